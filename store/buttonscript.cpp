// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/buttonscript.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFileInfo>

#include "buttons/keys/functioncatalogue.h"
#include "buttons/keys/keytable.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"

namespace {

constexpr quint8 kComboLow = 5;
constexpr quint8 kComboPress = 0x80;
constexpr quint8 kComboRelease = 0x00;
constexpr quint8 kFireLeft = 0x81;
constexpr quint8 kFireRight = 0x82;
constexpr quint8 kFireMiddle = 0x84;
constexpr int kComboMaxKeys = 5;
enum Menu { NotOffered = 0, MainMenu = 1, WheelMenu = 2, Both = 3 };

struct FunctionName
{
    qint32 code;
    const char *name;
    int menus;
};

// The functions the button window offers, under names a script can type.
constexpr FunctionName kFunctions[] = {
    {FunLeft, "left", Both},
    {FunRight, "right", Both},
    {FunMiddle, "middle", Both},
    {FunForward, "forward", Both},
    {FunBack, "back", Both},
    {FunSingleKey, "key", Both},
    {FunComboKey, "combo", Both},
    {FunFireKey, "fire", MainMenu},
    {FunButtonOff, "off", MainMenu},
    {FunCut, "cut", MainMenu},
    {FunCopy, "copy", MainMenu},
    {FunPaste, "paste", MainMenu},
    {FunSelectAll, "select-all", MainMenu},
    {FunFind, "find", MainMenu},
    {FunNew, "new", MainMenu},
    {FunPrint, "print", MainMenu},
    {FunSave, "save", MainMenu},
    {FunSwitchWindow, "switch-window", MainMenu},
    {FunCloseWindow, "close-window", MainMenu},
    {FunMyComputer, "my-computer", MainMenu},
    {FunRun, "run", MainMenu},
    {FunShowDesktop, "show-desktop", MainMenu},
    {FunLockPc, "lock-pc", MainMenu},
    {FunBrowserHome, "browser-home", MainMenu},
    {FunBrowserBackward, "browser-back", MainMenu},
    {FunBrowserForward, "browser-forward", MainMenu},
    {FunBrowserStop, "browser-stop", MainMenu},
    {FunBrowserRefresh, "browser-refresh", MainMenu},
    {FunBrowserSearch, "browser-search", MainMenu},
    {FunBrowserFavorite, "browser-favorite", MainMenu},
    {FunMail, "mail", MainMenu},
    {FunBossKey, "boss-key", MainMenu},
    {FunPlayPause, "play-pause", MainMenu},
    {FunStop, "stop", MainMenu},
    {FunPreviousTrack, "previous-track", MainMenu},
    {FunNextTrack, "next-track", MainMenu},
    {FunVolumeUp, "volume-up", Both},
    {FunVolumeDown, "volume-down", Both},
    {FunMute, "mute", MainMenu},
    {FunMediaPlayer, "media-player", MainMenu},
    {FunDpiSwitch, "dpi-switch", MainMenu},
    {FunDpiUp, "dpi-up", MainMenu},
    {FunDpiDown, "dpi-down", MainMenu},
    {FunRateSwitch, "rate-switch", MainMenu},
    {FunRateUp, "rate-up", MainMenu},
    {FunRateDown, "rate-down", MainMenu},
    {FunScrollUp, "scroll-up", WheelMenu},
    {FunScrollDown, "scroll-down", WheelMenu},
    {FunLedSwitch, "led-switch", MainMenu},
    {FunMacro, "macro", MainMenu},
    // Kept when a stored profile holds them, never offered.
    {FunSniper, "sniper", NotOffered},
    {FunProfileUp, "profile-up", NotOffered},
    {FunProfileDown, "profile-down", NotOffered},
    {FunProfileSwitch, "profile-switch", NotOffered},
    {FunGunFile, "gun", NotOffered},
};

const FunctionName *functionByCode(qint32 code)
{
    for (const FunctionName &f : kFunctions) {
        if (f.code == code)
            return &f;
    }
    return nullptr;
}

const FunctionName *functionByName(const QString &name)
{
    for (const FunctionName &f : kFunctions) {
        if (name == QLatin1String(f.name))
            return &f;
    }
    return nullptr;
}

QString scriptKeyName(KeyCode code)
{
    return keyName(code, KeyNameSet::English).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
}

bool keyByName(const QString &typed, KeyCode *code)
{
    const QString name = typed.toLower();
    for (int c = 1; c < 256; ++c) {
        const QString known = scriptKeyName(KeyCode(c));
        if (!known.isEmpty() && known == name)
            return *code = KeyCode(c), true;
    }
    return false;
}

// Modifiers of a combination: the window stores the left-hand key whichever was pressed.
struct Modifier
{
    const char *name;
    KeyCode code;
    int order; // Shift, Ctrl, Windows, Alt, as the window inserts them
};
constexpr Modifier kModifiers[] = {
    {"shift", Key::LeftShift, 0}, {"ctrl", Key::LeftCtrl, 1}, {"win", Key::LeftWindows, 2}, {"alt", Key::LeftAlt, 3}};

const Modifier *modifierByName(const QString &name)
{
    for (const Modifier &m : kModifiers) {
        if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0)
            return &m;
    }
    return nullptr;
}

QString usageName(quint8 usage)
{
    for (const Modifier &m : kModifiers) {
        quint8 modifierUsage = 0;
        if (keyCodeToUsage(m.code, modifierUsage) && modifierUsage == usage)
            return QLatin1String(m.name);
    }
    KeyCode code = 0;
    return usageToKeyCode(usage, code) ? scriptKeyName(code) : QStringLiteral("usage-%1").arg(usage);
}

QString fireSourceText(quint8 source)
{
    switch (source) {
    case 0: // the fire dialog reads an unset source as the left button
    case kFireLeft: return QStringLiteral("left");
    case kFireRight: return QStringLiteral("right");
    case kFireMiddle: return QStringLiteral("middle");
    default: return usageName(source);
    }
}

bool parseInt(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

SlotSettingChange failure(SlotSettingChange::Outcome outcome, const QString &message)
{
    SlotSettingChange change;
    change.outcome = outcome;
    change.message = message;
    return change;
}

SlotSettingChange refused(const QString &message) { return failure(SlotSettingChange::Refused, message); }
SlotSettingChange usage(const QString &message) { return failure(SlotSettingChange::Usage, message); }

bool inRange(const QString &text, int minimum, int maximum, int *value)
{
    return parseInt(text, value) && *value >= minimum && *value <= maximum;
}

SlotSettingChange rangeRefusal(const QString &name, const QString &text, int minimum, int maximum)
{
    return refused(QCoreApplication::translate("SlotSettings", "%1 takes %2 to %3, not \"%4\"").arg(name).arg(minimum).arg(maximum).arg(text));
}

} // namespace

QStringList buttonFunctionNames()
{
    QStringList names;
    for (const FunctionName &f : kFunctions) {
        if (f.menus != NotOffered)
            names << QLatin1String(f.name);
    }
    return names;
}

QString buttonScriptText(const ButtonInfo &button)
{
    const FunctionName *function = functionByCode(button.Fun);
    if (!function)
        return QStringLiteral("code-%1").arg(button.Fun);
    const QString name = QLatin1String(function->name);
    switch (button.Fun) {
    case FunSingleKey: {
        const QString key = scriptKeyName(KeyCode(button.Res1));
        return name + QLatin1Char(' ') + (key.isEmpty() ? QStringLiteral("code-%1").arg(button.Res1) : key);
    }
    case FunComboKey: {
        QStringList keys;
        for (const KeyInfo &step : button.KeyInfo) {
            if (step.low != kComboLow || step.high != kComboPress)
                break;
            keys << usageName(step.map);
        }
        return name + QLatin1Char(' ') + keys.join(QLatin1Char('+'));
    }
    case FunFireKey:
        return QStringLiteral("%1 %2 %3 %4")
            .arg(name, fireSourceText(button.Res1))
            .arg(button.LoopNumber)
            .arg(button.KeyNumber);
    case FunMacro: {
        const QString repeat = button.Res1 == 1   ? QStringLiteral("held")
                               : button.Res1 == 2 ? QStringLiteral("toggle")
                                                  : QString::number(button.LoopNumber);
        return QStringLiteral("%1 %2 %3").arg(name, button.macroname, repeat);
    }
    case FunGunFile: return name + QLatin1Char(' ') + button.macroname;
    case FunSniper: return name + QLatin1Char(' ') + QString::number(button.Res1);
    default: return name;
    }
}

SlotSettingChange assignButtonScript(ProfileRecord &profile, int recordIndex, bool wheel, const QStringList &words,
                                     const ButtonScriptOffer &offer)
{
    const FunctionName *function = functionByName(words.value(0));
    if (!function || function->menus == NotOffered)
        return refused(QCoreApplication::translate("SlotSettings", "\"%1\" is not a function a button can be given").arg(words.value(0)));
    if (!(function->menus & (wheel ? WheelMenu : MainMenu)))
        return refused(QCoreApplication::translate("SlotSettings", "the wheel cannot be given \"%1\"").arg(words.value(0)));
    if (function->code == FunMacro && !offer.macrosOffered)
        return refused(QCoreApplication::translate("SlotSettings", "this mouse takes no macros"));
    if (function->code == FunLedSwitch && !offer.ledSwitchOffered)
        return refused(QCoreApplication::translate("SlotSettings", "this mouse has no lighting switch"));
    // The mouse must keep a left click, or nobody could click the window to give it back.
    if (function->code != FunLeft && profile.BUTTON_INFO[size_t(recordIndex)].Fun == FunLeft) {
        bool another = false;
        for (int i = 0; i < BUTTON_SLOTS; ++i)
            another = another || (i != recordIndex && profile.BUTTON_INFO[size_t(i)].Fun == FunLeft);
        if (!another)
            return refused(QCoreApplication::translate("SlotSettings", "at least one button must keep the left click"));
    }

    ButtonInfo button = profile.BUTTON_INFO[size_t(recordIndex)];
    const QStringList args = words.mid(1);
    switch (function->code) {
    case FunSingleKey: {
        KeyCode key = 0;
        if (args.size() != 1 || !keyByName(args[0], &key))
            return usage(QCoreApplication::translate("SlotSettings", "key takes one key name, such as a, f5, space or page-up"));
        button.Res1 = key;
        break;
    }
    case FunComboKey: {
        const QStringList names = args.join(QLatin1Char('+')).split(QLatin1Char('+'), Qt::SkipEmptyParts);
        QVector<const Modifier *> modifiers;
        KeyCode plain = 0;
        for (const QString &name : names) {
            if (const Modifier *m = modifierByName(name)) {
                if (!modifiers.contains(m))
                    modifiers << m;
                continue;
            }
            KeyCode key = 0;
            if (plain != 0 || !keyByName(name, &key))
                return usage(QCoreApplication::translate("SlotSettings", "combo takes shift, ctrl, win and alt and one more key, joined by +"));
            plain = key;
        }
        if (names.isEmpty() || names.size() > kComboMaxKeys)
            return usage(QCoreApplication::translate("SlotSettings", "combo takes shift, ctrl, win and alt and one more key, joined by +"));
        std::sort(modifiers.begin(), modifiers.end(),
                  [](const Modifier *a, const Modifier *b) { return a->order < b->order; });
        QVector<KeyCode> keys;
        for (const Modifier *m : modifiers)
            keys << m->code;
        if (plain != 0)
            keys << plain;
        button.KeyInfo.fill(KeyInfo{});
        for (int i = 0; i < keys.size(); ++i) {
            quint8 usage = 0;
            keyCodeToUsage(keys[i], usage);
            button.KeyInfo[size_t(i)] = KeyInfo{usage, kComboLow, kComboPress};
            button.KeyInfo[size_t(2 * keys.size() - 1 - i)] = KeyInfo{usage, kComboLow, kComboRelease};
        }
        break;
    }
    case FunFireKey: {
        int times = 0;
        int delay = 0;
        if (args.size() != 3)
            return usage(QCoreApplication::translate("SlotSettings", "fire takes a source (left, right, middle or a key), the shots and the delay"));
        quint8 source = 0;
        KeyCode key = 0;
        if (args[0] == QLatin1String("left"))
            source = kFireLeft;
        else if (args[0] == QLatin1String("right"))
            source = kFireRight;
        else if (args[0] == QLatin1String("middle"))
            source = kFireMiddle;
        else if (!keyByName(args[0], &key) || !keyCodeToUsage(key, source))
            return refused(QCoreApplication::translate("SlotSettings", "\"%1\" cannot be fired").arg(args[0]));
        if (!inRange(args[1], 1, 255, &times))
            return rangeRefusal(QStringLiteral("fire shots"), args[1], 1, 255);
        if (!inRange(args[2], 1, 255, &delay))
            return rangeRefusal(QStringLiteral("fire delay"), args[2], 1, 255);
        button.Res1 = source;
        button.LoopNumber = times;
        button.KeyNumber = delay;
        break;
    }
    case FunMacro: {
        if (args.size() < 2)
            return usage(QCoreApplication::translate("SlotSettings", "macro takes a macro name and how it repeats: a count, held or toggle"));
        const QString repeat = args.last();
        const QString name = args.mid(0, args.size() - 1).join(QLatin1Char(' '));
        int mode = 0;
        int loops = button.Fun == FunMacro ? button.LoopNumber : 1;
        if (repeat == QLatin1String("held"))
            mode = 1;
        else if (repeat == QLatin1String("toggle"))
            mode = 2;
        else if (!inRange(repeat, 1, 255, &loops))
            return rangeRefusal(QStringLiteral("macro count"), repeat, 1, 255);
        if (!isValidStoreName(name) || !QFileInfo(macroFilePath(name)).isFile())
            return refused(QCoreApplication::translate("SlotSettings", "there is no macro \"%1\"").arg(name));
        const QVector<MacroAction> actions = readMacroActions(name);
        if (actions.size() > KEY_STEPS)
            return refused(QCoreApplication::translate("SlotSettings", "macro \"%1\" has %2 steps; a button holds %3").arg(name).arg(actions.size()).arg(KEY_STEPS));
        button.LoopNumber = qMax(1, loops);
        button.Res1 = quint8(mode);
        button.macroname = name;
        button.KeyNumber = actions.size();
        button.KeyInfo.fill(KeyInfo{});
        for (int i = 0; i < actions.size(); ++i)
            button.KeyInfo[size_t(i)] = macroActionToKeyInfo(actions[i]);
        break;
    }
    default:
        if (!args.isEmpty())
            return usage(QCoreApplication::translate("SlotSettings", "%1 takes no value").arg(words[0]));
        break;
    }
    button.Fun = function->code;
    SlotSettingChange change;
    change.outcome = button == profile.BUTTON_INFO[size_t(recordIndex)] ? SlotSettingChange::Unchanged
                                                                           : SlotSettingChange::Changed;
    change.mask = CHANGE_BUTTONS;
    profile.BUTTON_INFO[size_t(recordIndex)] = button;
    return change;
}
