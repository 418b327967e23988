#include "device/buttonupload.h"

#include <QDebug>
#include <QThread>

#include "buttons/keys/functioncatalogue.h"
#include "buttons/keys/keytable.h"
#include "device/dpiencoding.h"
#include "device/sendcommand.h"
#include "device/sentrecord.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "store/macrodb.h"
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

int macroNumberFor(const QString &name)
{
    MacroNumberMap &numbers = MacroNumbers();
    for (const auto &pair : numbers) {
        if (pair.second == name)
            return pair.first;
    }
    const int number = int(numbers.size());
    numbers[number] = name;
    return number;
}

void encodeMacroButton(ButtonInfo &button, ButtonEntry &entry)
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

// The number a macro got in this transaction, or -1 when none of the sent buttons has it.
int numberOf(const QString &name)
{
    for (const auto &pair : MacroNumbers()) {
        if (pair.second == name)
            return pair.first;
    }
    return -1;
}

int tableEntryFor(int position, const ButtonMatrix &matrix, bool scrollReversed)
{
    if (position == kWheelUpPosition)
        return scrollReversed ? kWheelDownPosition : kWheelUpPosition;
    if (position == kWheelDownPosition)
        return scrollReversed ? kWheelUpPosition : kWheelDownPosition;
    return matrix[size_t(position)];
}

QVector<KeyInfo> readMacroSteps(const QString &name)
{
    const QVector<MacroAction> actions = readMacroActions(name);
    QVector<KeyInfo> steps;
    steps.reserve(actions.size());
    for (const MacroAction &action : actions)
        steps.append(macroActionToKeyInfo(action));
    return steps;
}

template <size_t N>
quint8 sendAll(const std::array<KestCommandReport, N> &reports)
{
    for (const KestCommandReport &report : reports) {
        if (const quint8 result = SendCommand(report))
            return result;
    }
    return SEND_OK;
}

} // namespace

ButtonTableBytes &ButtonTable()
{
    static ButtonTableBytes table{};
    return table;
}

MacroNumberMap &MacroNumbers()
{
    static MacroNumberMap numbers;
    return numbers;
}

MacroSlotArray &MacroSlots()
{
    static MacroSlotArray memory{};
    return memory;
}

QVector<KestMacroSkip> &SkippedMacroButtons()
{
    static QVector<KestMacroSkip> skipped;
    return skipped;
}

void EncodeButton(ButtonInfo &button, int entryIndex)
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
        entry.p2 = entry.p3 = sniperValue(button.Res1, readSensorCode());
        break;
    case FunMacro:
    case FunGunFile:
        encodeMacroButton(button, entry);
        break;
    default:
        break;
    }
    ButtonTable()[size_t(entryIndex)] = entry;
}

quint8 SendButtonTable()
{
    MacroNumbers().clear();
    ConfigRecord &sent = SentRecord();
    ProfileRecord &profile = sent.profiles[size_t(activeSlotIndex(sent))];

    ButtonMatrix matrix{};
    readMatrix(matrix);
    const bool scrollReversed = readScrollRev() == 1;
    // The matrix has an entry for sixteen positions; a larger count cannot be placed.
    const int buttons = qBound(0, readButtonCount(), int(matrix.size()));
    QVector<int> encoded;
    for (int position = 0; position < buttons; ++position) {
        EncodeButton(profile.BUTTON_INFO[size_t(position)], tableEntryFor(position, matrix, scrollReversed));
        encoded.append(position);
    }
    EncodeButton(profile.BUTTON_INFO[kWheelUpButton], tableEntryFor(kWheelUpPosition, matrix, scrollReversed));
    EncodeButton(profile.BUTTON_INFO[kWheelDownButton], tableEntryFor(kWheelDownPosition, matrix, scrollReversed));
    encoded << kWheelUpButton << kWheelDownButton;

    // Buttons whose macro is numbered beyond the mouse's memory keep their table entry
    // but will get no macro; the caller tells the user which.
    QVector<KestMacroSkip> &skipped = SkippedMacroButtons();
    skipped.clear();
    for (int index : qAsConst(encoded)) {
        const ButtonInfo &button = profile.BUTTON_INFO[size_t(index)];
        if (isMacroFunction(button.Fun) && numberOf(button.macroname) >= MacroWire::SlotCount)
            skipped.append(KestMacroSkip{index, button.macroname});
    }

    return sendAll(buildButtonReports(ButtonTable()));
}

void EncodeMacro(const QVector<KeyInfo> &steps, int number)
{
    if (number < 0 || number >= MacroWire::SlotCount)
        return;
    MacroSlots()[size_t(number)] = layoutMacro(steps);
}

quint8 SendMacros()
{
    MacroSlotArray &memory = MacroSlots();
    for (MacroSlotBytes &slot : memory)
        slot.fill(0);

    // Every numbered macro belongs to a button of the current slot, so its buttons are all
    // the scan needs; each macro is encoded once, at its first button.
    MacroNumberMap &numbers = MacroNumbers();
    const ConfigRecord &sent = SentRecord();
    for (const ButtonInfo &button : sent.profiles[size_t(activeSlotIndex(sent))].BUTTON_INFO) {
        if (numbers.empty())
            break;
        if (!isMacroFunction(button.Fun))
            continue;
        auto it = numbers.begin();
        while (it != numbers.end() && it->second != button.macroname)
            ++it;
        if (it == numbers.end())
            continue;
        if (it->first >= MacroWire::SlotCount) {
            // The mouse holds twelve; the first twelve still go.
            qCDebug(lcExchange, "iIndex>=MAX_MACRO_NUMBER_560\n");
            continue;
        }
        EncodeMacro(readMacroSteps(button.macroname), it->first);
        QThread::msleep(kMacroEncodePauseMs);
        numbers.erase(it);
    }

    for (int k = 0; k < MacroWire::SlotCount; ++k) {
        if (!macroSlotUsed(memory[size_t(k)]))
            continue;
        if (const quint8 result = sendAll(buildMacroReports(k, memory[size_t(k)])))
            return result;
    }
    return SEND_OK;
}
