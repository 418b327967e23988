// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/buttonupload.h"

#include <algorithm>

#include <QDebug>
#include <QFileInfo>
#include <QThread>

#include "buttons/keys/functioncatalogue.h"
#include "buttons/keys/keytable.h"
#include "device/dpiencoding.h"
#include "device/kestdevicecontext.h"
#include "device/sendcommand.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"
#include "platform/logging.h"

namespace {

// The firmware needs time to take in a macro before the next one is read.
constexpr unsigned long kMacroEncodePauseMs = 50;
constexpr int kComboSteps = 10; // five keys, each a press and a release

// Table entries of the two wheel positions; ScrollRev models have them the other way round.
constexpr int kWheelUpPosition = 14;
constexpr int kWheelDownPosition = 15;
constexpr int kWheelUpButton = 40;
constexpr int kWheelDownButton = 41;

bool isMacroFunction(qint32 fun) { return fun == FunMacro || fun == FunGunFile; }

quint8 modifierBit(KeyCode code)
{
    switch (code) {
    case Key::LeftCtrl:
    case Key::RightCtrl: return ButtonWire::ModCtrl;
    case Key::LeftShift:
    case Key::RightShift: return ButtonWire::ModShift;
    case Key::LeftAlt:
    case Key::RightAlt: return ButtonWire::ModAlt;
    case Key::LeftWindows:
    case Key::RightWindows: return ButtonWire::ModWindows;
    default: return 0;
    }
}

void encodeCombo(const ButtonInfo &button, ButtonEntry &entry)
{
    int sum = 0;
    quint8 key = 0;
    for (int s = 0; s < kComboSteps; ++s) {
        const quint8 usage = button.KeyInfo[size_t(s)].map;
        if (usage == 0)
            continue;
        KeyCode code = 0;
        const quint8 bit = usageToKeyCode(usage, code) ? modifierBit(code) : 0;
        if (bit)
            sum += bit;
        else
            key = usage;
    }
    // Each modifier shows up twice, as its press and its release step.
    entry.p1 = quint8(sum >> 1);
    entry.p2 = key;
}

int tableEntryFor(int position, const ButtonMatrix &matrix, bool scrollReversed)
{
    if (position == kWheelUpPosition)
        return scrollReversed ? kWheelDownPosition : kWheelUpPosition;
    if (position == kWheelDownPosition)
        return scrollReversed ? kWheelUpPosition : kWheelDownPosition;
    return matrix[size_t(position)];
}

QVector<KeyInfo> stepsOf(const QVector<MacroAction> &actions)
{
    QVector<KeyInfo> steps;
    steps.reserve(actions.size());
    for (const MacroAction &action : actions)
        steps.append(macroActionToKeyInfo(action));
    return steps;
}

template <size_t N>
quint8 sendAll(KestDeviceContext &context, const std::array<KestCommandReport, N> &reports)
{
    for (const KestCommandReport &report : reports) {
        if (const quint8 result = sendCommand(context, report))
            return result;
    }
    return SEND_OK;
}

} // namespace

KestMacroFiles readMacroFiles(const ProfileRecord &slot)
{
    KestMacroFiles files;
    for (const ButtonInfo &button : slot.BUTTON_INFO) {
        if (!isMacroFunction(button.Fun) || files.contains(button.macroname))
            continue;
        KestMacroFile file;
        file.found = isValidStoreName(button.macroname) && QFileInfo(macroFilePath(button.macroname)).isFile();
        if (file.found)
            file.actions = readMacroActions(button.macroname);
        files.insert(button.macroname, file);
    }
    return files;
}

KestButtonLayout KestButtonLayout::read()
{
    KestButtonLayout layout;
    readMatrix(layout.matrix);
    // The matrix has an entry for sixteen positions; a larger count cannot be placed.
    layout.buttonCount = qBound(0, readButtonCount(), int(layout.matrix.size()));
    layout.scrollReversed = readScrollRev() == 1;
    layout.sensor = readSensorCode();
    return layout;
}

KestButtonUpload::KestButtonUpload(KestDeviceContext &context, ProfileRecord &slot, const KestButtonLayout &layout)
    : m_context(context), m_slot(slot), m_layout(layout)
{
    m_layout.buttonCount = qBound(0, m_layout.buttonCount, int(m_layout.matrix.size()));
}

int KestButtonUpload::numberOf(const QString &name) const
{
    for (const auto &pair : m_numbers) {
        if (pair.second == name)
            return pair.first;
    }
    return -1;
}

int KestButtonUpload::macroNumberFor(const QString &name)
{
    const int known = numberOf(name);
    if (known >= 0)
        return known;
    const int number = int(m_numbers.size());
    m_numbers[number] = name;
    return number;
}

void KestButtonUpload::encodeMacroButton(ButtonInfo &button, ButtonEntry &entry)
{
    const int number = macroNumberFor(button.macroname);
    button.Res4 = quint8(number);
    switch (button.Res1) {
    case MacroLoop::WhileHeld:
        entry.p1 = quint8(number | ButtonWire::MacroWhileHeld);
        entry.p2 = entry.p3 = ButtonWire::MacroEndless;
        break;
    case MacroLoop::UntilPressed:
        entry.p1 = quint8(number | ButtonWire::MacroUntilPressed);
        entry.p2 = entry.p3 = ButtonWire::MacroEndless;
        break;
    default: // an unknown loop mode runs like a counted one
        entry.p1 = quint8(number);
        entry.p2 = quint8(button.LoopNumber & 0xFF);
        entry.p3 = quint8((button.LoopNumber >> 8) & 0xFF);
        break;
    }
}

void KestButtonUpload::encodeButton(ButtonInfo &button, int entryIndex)
{
    if (entryIndex < 0 || entryIndex >= ButtonWire::TableEntries)
        return;
    ButtonEntry entry = defaultButtonEntry(button.Fun);
    switch (button.Fun) {
    case FunSingleKey: {
        quint8 usage = 0;
        keyCodeToUsage(button.Res1, usage);
        entry.p2 = usage;
        break;
    }
    case FunComboKey:
        encodeCombo(button, entry);
        break;
    case FunFireKey:
        if (button.Res1 != 0) {
            entry.p1 = button.Res1;
            entry.p2 = quint8(button.LoopNumber & 0xFF);
            entry.p3 = quint8((button.KeyNumber / 10) & 0xFF);
        } else {
            entry = ButtonWire::FireKeyFallback;
        }
        break;
    case FunSniper:
        entry.p1 = 1;
        entry.p2 = entry.p3 = sniperValue(button.Res1, m_layout.sensor);
        break;
    case FunMacro:
    case FunGunFile:
        encodeMacroButton(button, entry);
        break;
    default:
        break;
    }
    m_context.buttonTable()[size_t(entryIndex)] = entry;
}

quint8 KestButtonUpload::sendTable()
{
    m_numbers.clear();
    m_skipped.clear();
    QVector<int> encoded;
    for (int position = 0; position < m_layout.buttonCount; ++position) {
        encodeButton(m_slot.BUTTON_INFO[size_t(position)],
                     tableEntryFor(position, m_layout.matrix, m_layout.scrollReversed));
        encoded.append(position);
    }
    encodeButton(m_slot.BUTTON_INFO[kWheelUpButton],
                 tableEntryFor(kWheelUpPosition, m_layout.matrix, m_layout.scrollReversed));
    encodeButton(m_slot.BUTTON_INFO[kWheelDownButton],
                 tableEntryFor(kWheelDownPosition, m_layout.matrix, m_layout.scrollReversed));
    encoded << kWheelUpButton << kWheelDownButton;

    // Buttons whose macro is numbered beyond the mouse's memory keep their table entry
    // but will get no macro; the caller tells the user which.
    for (int index : qAsConst(encoded)) {
        const ButtonInfo &button = m_slot.BUTTON_INFO[size_t(index)];
        if (isMacroFunction(button.Fun) && numberOf(button.macroname) >= MacroWire::SlotCount)
            m_skipped.append(KestMacroSkip{index, button.macroname, KestMacroSkip::NoRoom});
    }
    return sendAll(m_context, buildButtonReports(m_context.buttonTable()));
}

quint8 KestButtonUpload::sendMacros(const KestMacroFiles &macros)
{
    std::array<MacroSlotBytes, MacroWire::SlotCount> memory{};
    // Every numbered macro belongs to a button of this slot, so its buttons are all the scan
    // needs; each macro is laid out once, at its first button. One that cannot be played is
    // named and passed over: the ones after it still go.
    QVector<bool> laidOut(MacroWire::SlotCount, false);
    QVector<KestMacroSkip> unplayable;
    for (int index = 0; index < BUTTON_SLOTS; ++index) {
        const ButtonInfo &button = m_slot.BUTTON_INFO[size_t(index)];
        if (!isMacroFunction(button.Fun))
            continue;
        const int number = numberOf(button.macroname);
        if (number < 0 || number >= MacroWire::SlotCount) {
            if (number >= MacroWire::SlotCount)
                qCDebug(lcExchange, "macro index beyond the mouse's memory");
            continue;
        }
        // Another button with a macro that cannot be played is named too.
        const auto file = macros.constFind(button.macroname);
        const bool found = file != macros.cend() && file->found;
        if (!laidOut[number]) {
            // An empty slot still goes out: it clears what an earlier write left there.
            memory[size_t(number)] = layoutMacro(found ? stepsOf(file->actions) : QVector<KeyInfo>());
            laidOut[number] = true;
            QThread::msleep(kMacroEncodePauseMs);
        }
        if (!found)
            unplayable.append(KestMacroSkip{index, button.macroname, KestMacroSkip::MissingFile});
        else if (file->actions.isEmpty() || !macroSlotUsed(memory[size_t(number)]))
            unplayable.append(KestMacroSkip{index, button.macroname, KestMacroSkip::NoSteps});
    }
    m_skipped += unplayable;
    std::stable_sort(m_skipped.begin(), m_skipped.end(),
                     [](const KestMacroSkip &a, const KestMacroSkip &b) { return a.button < b.button; });

    for (int k = 0; k < MacroWire::SlotCount; ++k) {
        if (!macroSlotUsed(memory[size_t(k)]))
            continue;
        if (const quint8 result = sendAll(m_context, buildMacroReports(k, memory[size_t(k)])))
            return result;
    }
    return SEND_OK;
}
