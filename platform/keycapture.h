// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Keyboard capture for the key dialogs and the macro recorder. While installed, every key
// press and release that reaches one of the application's windows is handed to a handler
// in the shape a low-level keyboard hook delivers it: a virtual-key code, the PC set-1
// scan code (without its E0/E1 prefix) and the hook flags. The handler decides whether
// the event goes on to the widgets or is swallowed.
//
// Scan codes follow the hook's conventions rather than raw set 1 where the two differ:
// Num Lock arrives as 69 with the extended flag and Pause as plain 69, so that
// translateHookKey() tells them apart the way the key tables expect.
//
// Only keys typed into this application are seen; other programs' keys never are.

#include <functional>

#include <QObject>

namespace platform {

// Bits of KeyHookEvent::flags.
enum KeyHookFlag : quint32 {
    KeyHookExtended = 0x01, // the key's scan code carries the E0 (or E1) prefix
    KeyHookAltDown = 0x20,  // an Alt key is held (set on an Alt key's own press too)
    KeyHookUp = 0x80,       // key released
};

struct KeyHookEvent
{
    quint32 vkCode = 0;   // virtual-key code, US layout; left/right modifiers differ (165 = right Alt)
    quint32 scanCode = 0; // set-1 make code; 0 for a key that has none
    quint32 flags = 0;    // KeyHookFlag bits
    bool autoRepeat = false; // a held key's repeated press (the hook reports these as presses)

    bool isRelease() const { return flags & KeyHookUp; }
    bool isExtended() const { return flags & KeyHookExtended; }
};

class KeyCapture final : public QObject
{
    Q_OBJECT
public:
    // Returns true to swallow the event: no widget of the application receives it.
    using Handler = std::function<bool(const KeyHookEvent &)>;

    explicit KeyCapture(Handler handler, QObject *parent = nullptr);
    ~KeyCapture() override; // uninstalls

    // Starts or stops delivery. The most recently installed capture sees events first;
    // when it swallows one, captures installed before it do not see it either.
    void install();
    void uninstall();
    bool isInstalled() const { return m_installed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler m_handler;
    bool m_installed = false;
    bool m_leftAltHeld = false;
    bool m_rightAltHeld = false;
};

} // namespace platform
