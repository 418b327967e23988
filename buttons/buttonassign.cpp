// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/buttonassign.h"

#include <QCoreApplication>
#include <QStringList>

#include "buttons/keys/functioncatalogue.h"
#include "store/macrodb.h"

namespace {

// Combo key steps: "low" marks a key step, "high" tells press from release.
constexpr quint8 COMBO_STEP_LOW = 5;
constexpr quint8 COMBO_PRESS = 0x80;
constexpr quint8 COMBO_RELEASE = 0x00;

} // namespace

bool removesLastLeftClick(const ProfileRecord &profile, int slot, qint32 code)
{
    if (slot < 0 || slot >= BUTTON_SLOTS || code == FunLeft
        || profile.BUTTON_INFO[slot].Fun != FunLeft)
        return false;
    for (int other = 0; other < BUTTON_SLOTS; ++other) {
        if (other != slot && profile.BUTTON_INFO[other].Fun == FunLeft)
            return false;
    }
    return true;
}

void assignPlainFunction(ButtonInfo &button, qint32 code)
{
    button.Fun = code;
}

void assignSingleKey(ButtonInfo &button, KeyCode key)
{
    button.Res1 = key;
    button.Fun = FunSingleKey;
}

void assignComboKey(ButtonInfo &button, const QVector<KeyCode> &keys)
{
    button.KeyInfo.fill(KeyInfo{});
    const int count = qMin(keys.size(), KEY_STEPS / 2);
    for (int i = 0; i < count; ++i) {
        quint8 usage = 0;
        keyCodeToUsage(keys[i], usage);
        button.KeyInfo[i] = KeyInfo{usage, COMBO_STEP_LOW, COMBO_PRESS};
        button.KeyInfo[2 * count - 1 - i] = KeyInfo{usage, COMBO_STEP_LOW, COMBO_RELEASE};
    }
    button.Fun = FunComboKey;
}

quint8 fireSource(FireMode mode, KeyCode key)
{
    switch (mode) {
    case FireMode::Left: return FIRE_LEFT;
    case FireMode::Right: return FIRE_RIGHT;
    case FireMode::Middle: return FIRE_MIDDLE;
    case FireMode::Key: break;
    }
    quint8 usage = 0;
    keyCodeToUsage(key, usage);
    return usage;
}

void assignFireKey(ButtonInfo &button, quint8 source, int times, int delay)
{
    button.Res1 = source;
    button.LoopNumber = times;
    button.KeyNumber = delay;
    button.Fun = FunFireKey;
}

MacroAssignResult assignMacro(ButtonInfo &button, const QString &name, int loopCount, int loopMode)
{
    const QVector<MacroAction> actions = readMacroActions(name);
    if (actions.size() > KEY_STEPS)
        return MacroAssignResult::TooLong;

    button.Fun = FunMacro;
    button.LoopNumber = loopCount;
    button.Res1 = quint8(loopMode);
    button.macroname = name;
    button.KeyNumber = actions.size();
    // Steps left over from an earlier function mean nothing for a macro; clear them so
    // the record holds the macro and nothing else.
    button.KeyInfo.fill(KeyInfo{});
    for (int i = 0; i < actions.size(); ++i)
        button.KeyInfo[i] = macroActionToKeyInfo(actions[i]);
    return MacroAssignResult::Assigned;
}

namespace {

QString trBinding(const char *text)
{
    return QCoreApplication::translate("ButtonBinding", text);
}

QString keyFromUsage(quint8 usage)
{
    // The key table's modifier names are short (macro rows, AZERTY caps); bindings and the
    // key dialogs show them whole.
    static const char *const modifiers[] = {
        QT_TRANSLATE_NOOP("ButtonBinding", "Left Ctrl"),  QT_TRANSLATE_NOOP("ButtonBinding", "Left Shift"),
        QT_TRANSLATE_NOOP("ButtonBinding", "Left Alt"),   QT_TRANSLATE_NOOP("ButtonBinding", "Left Super"),
        QT_TRANSLATE_NOOP("ButtonBinding", "Right Ctrl"), QT_TRANSLATE_NOOP("ButtonBinding", "Right Shift"),
        QT_TRANSLATE_NOOP("ButtonBinding", "Right Alt"),  QT_TRANSLATE_NOOP("ButtonBinding", "Right Super")};
    constexpr quint8 kFirstModifierUsage = 0xE0;
    if (usage >= kFirstModifierUsage && usage < kFirstModifierUsage + 8)
        return trBinding(modifiers[usage - kFirstModifierUsage]);
    KeyCode code = 0;
    return usageToKeyCode(usage, code) ? keyName(code) : QStringLiteral("0x%1").arg(usage, 2, 16, QLatin1Char('0'));
}

} // namespace

QString keyDisplayName(KeyCode code)
{
    quint8 usage = 0;
    return keyCodeToUsage(code, usage) && usage != 0 ? keyFromUsage(usage) : keyName(code);
}

namespace {

QString comboKeys(const ButtonInfo &button)
{
    // The press steps come first, in the order the keys go down.
    QStringList keys;
    for (const KeyInfo &step : button.KeyInfo) {
        if (step.low != COMBO_STEP_LOW || step.high != COMBO_PRESS)
            break;
        keys << keyFromUsage(step.map);
    }
    return keys.join(QStringLiteral(" + "));
}

QString macroDetail(const ButtonInfo &button)
{
    QString repeat;
    switch (button.Res1) {
    case 1: repeat = trBinding(QT_TRANSLATE_NOOP("ButtonBinding", "repeats while held")); break;
    case 2: repeat = trBinding(QT_TRANSLATE_NOOP("ButtonBinding", "repeats until pressed again")); break;
    default:
        repeat = button.LoopNumber == 1 ? trBinding(QT_TRANSLATE_NOOP("ButtonBinding", "once"))
                                        : trBinding(QT_TRANSLATE_NOOP("ButtonBinding", "%1 times")).arg(int(button.LoopNumber));
        break;
    }
    return QStringLiteral("%1 (%2)").arg(button.macroname, repeat);
}

QString fireDetail(const ButtonInfo &button)
{
    QString source;
    switch (button.Res1) {
    case FIRE_LEFT: source = trBinding(QT_TRANSLATE_NOOP("ButtonBinding", "Left button")); break;
    case FIRE_RIGHT: source = trBinding(QT_TRANSLATE_NOOP("ButtonBinding", "Right button")); break;
    case FIRE_MIDDLE: source = trBinding(QT_TRANSLATE_NOOP("ButtonBinding", "Middle button")); break;
    default: source = keyFromUsage(button.Res1); break;
    }
    return trBinding(QT_TRANSLATE_NOOP("ButtonBinding", "%1, %2 shots, %3 ms apart"))
        .arg(source)
        .arg(int(button.LoopNumber))
        .arg(int(button.KeyNumber));
}

} // namespace

QString bindingDetail(const ButtonInfo &button)
{
    switch (button.Fun) {
    case FunSingleKey: {
        quint8 usage = 0;
        return keyCodeToUsage(KeyCode(button.Res1), usage) ? keyFromUsage(usage)
                                                            : keyName(KeyCode(button.Res1));
    }
    case FunComboKey: return comboKeys(button);
    case FunFireKey: return fireDetail(button);
    case FunMacro: return macroDetail(button);
    default: return QString();
    }
}

QString bindingLabel(const ButtonInfo &button, bool wheelEntry)
{
    const QString detail = bindingDetail(button);
    return detail.isEmpty() ? functionLabel(button.Fun, button.macroname, wheelEntry) : detail;
}

QString bindingToolTip(const ButtonInfo &button, bool wheelEntry)
{
    const QString name = button.Fun == FunMacro ? trBinding(QT_TRANSLATE_NOOP("ButtonBinding", "Macro"))
                                                : functionLabel(button.Fun, button.macroname, wheelEntry);
    const QString detail = bindingDetail(button);
    if (detail.isEmpty())
        return name;
    return name.isEmpty() ? detail : QStringLiteral("%1: %2").arg(name, detail);
}
