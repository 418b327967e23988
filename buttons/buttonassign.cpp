#include "buttons/buttonassign.h"

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
