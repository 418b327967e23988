// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/keycapture.h"

#include <iterator>

#include <QCoreApplication>
#include <QKeyEvent>

namespace platform {

namespace {

// X11 (and Qt's Wayland backend) report the evdev key code plus 8 as the native scan code.
constexpr quint32 kX11KeycodeOffset = 8;

constexpr quint32 kScanAlt = 56;

struct ExtendedKey
{
    quint32 evdev;
    quint32 scanCode;
    bool extended;
};

// evdev codes 1..88 are the set-1 make codes themselves; these are the keys above 88
// (and Num Lock, which the hook reports as extended although set 1 does not prefix it).
constexpr ExtendedKey kExtendedKeys[] = {
    {69, 69, true},   // Num Lock
    {96, 28, true},   // keypad Enter
    {97, 29, true},   // right Ctrl
    {98, 53, true},   // keypad /
    {99, 55, true},   // Print Screen
    {100, 56, true},  // right Alt
    {102, 71, true},  // Home
    {103, 72, true},  // Up
    {104, 73, true},  // Page Up
    {105, 75, true},  // Left
    {106, 77, true},  // Right
    {107, 79, true},  // End
    {108, 80, true},  // Down
    {109, 81, true},  // Page Down
    {110, 82, true},  // Insert
    {111, 83, true},  // Delete
    {119, 69, false}, // Pause (E1 1D 45): the hook reports its last byte, unextended
    {125, 91, true},  // left Windows
    {126, 92, true},  // right Windows
    {127, 93, true},  // Menu
};

bool evdevToScanCode(quint32 evdev, quint32 *scanCode, bool *extended)
{
    for (const ExtendedKey &key : kExtendedKeys) {
        if (key.evdev == evdev) {
            *scanCode = key.scanCode;
            *extended = key.extended;
            return true;
        }
    }
    if (evdev >= 1 && evdev <= 88) {
        *scanCode = evdev;
        *extended = false;
        return true;
    }
    return false;
}

// Virtual-key codes of the unextended set-1 codes 0..88 (US layout; keypad keys as
// with Num Lock on).
constexpr quint8 kPlainVirtualKeys[89] = {
    0x00, 0x1B, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, // 0..9
    0x39, 0x30, 0xBD, 0xBB, 0x08, 0x09, 'Q', 'W', 'E', 'R',    // 10..19
    'T', 'Y', 'U', 'I', 'O', 'P', 0xDB, 0xDD, 0x0D, 0xA2,      // 20..29
    'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 0xBA,         // 30..39
    0xDE, 0xC0, 0xA0, 0xDC, 'Z', 'X', 'C', 'V', 'B', 'N',      // 40..49
    'M', 0xBC, 0xBE, 0xBF, 0xA1, 0x6A, 0xA4, 0x20, 0x14, 0x70, // 50..59
    0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x13, // 60..69 (69: Pause)
    0x91, 0x67, 0x68, 0x69, 0x6D, 0x64, 0x65, 0x66, 0x6B, 0x61, // 70..79
    0x62, 0x63, 0x60, 0x6E, 0x00, 0x00, 0xE2, 0x7A, 0x7B,       // 80..88
};

struct ExtendedVirtualKey
{
    quint32 scanCode;
    quint8 vkCode;
};

constexpr ExtendedVirtualKey kExtendedVirtualKeys[] = {
    {28, 0x0D}, {29, 0xA3}, {53, 0x6F}, {55, 0x2C}, {56, 0xA5}, {69, 0x90},
    {71, 0x24}, {72, 0x26}, {73, 0x21}, {75, 0x25}, {77, 0x27}, {79, 0x23},
    {80, 0x28}, {81, 0x22}, {82, 0x2D}, {83, 0x2E}, {91, 0x5B}, {92, 0x5C},
    {93, 0x5D},
};

quint32 virtualKeyOf(quint32 scanCode, bool extended)
{
    if (!extended)
        return scanCode < std::size(kPlainVirtualKeys) ? kPlainVirtualKeys[scanCode] : 0;
    for (const ExtendedVirtualKey &key : kExtendedVirtualKeys) {
        if (key.scanCode == scanCode)
            return key.vkCode;
    }
    return 0;
}

} // namespace

KeyCapture::KeyCapture(Handler handler, QObject *parent)
    : QObject(parent), m_handler(std::move(handler))
{
}

KeyCapture::~KeyCapture()
{
    uninstall();
}

void KeyCapture::install()
{
    if (m_installed || !QCoreApplication::instance())
        return;
    m_leftAltHeld = m_rightAltHeld = false;
    QCoreApplication::instance()->installEventFilter(this);
    m_installed = true;
}

void KeyCapture::uninstall()
{
    if (!m_installed)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_installed = false;
}

bool KeyCapture::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    // A key event enters the application at a window and is then forwarded, as the same
    // event, to the focus widget and its parents; taking it at the window sees each key
    // exactly once, and swallowing it there keeps it from every widget.
    if (!watched->isWindowType() || !m_handler)
        return false;

    const auto *keyEvent = static_cast<const QKeyEvent *>(event);
    const bool release = type == QEvent::KeyRelease;
    const quint32 native = keyEvent->nativeScanCode();

    KeyHookEvent hook;
    bool extended = false;
    if (native <= kX11KeycodeOffset
        || !evdevToScanCode(native - kX11KeycodeOffset, &hook.scanCode, &extended)) {
        hook.scanCode = 0; // a key outside the PC keyboard: still reported, without a code
        extended = false;
    }
    hook.vkCode = virtualKeyOf(hook.scanCode, extended);
    hook.autoRepeat = keyEvent->isAutoRepeat();

    if (hook.scanCode == kScanAlt) {
        bool &held = extended ? m_rightAltHeld : m_leftAltHeld;
        held = !release;
    }
    hook.flags = (extended ? KeyHookExtended : 0u) | (release ? KeyHookUp : 0u)
                 | ((m_leftAltHeld || m_rightAltHeld) ? KeyHookAltDown : 0u);

    return m_handler(hook);
}

} // namespace platform
