// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/keys/functioncatalogue.h"

#include <algorithm>

#include <QCoreApplication>

namespace {

using G = FunctionGroup;

QVector<FunctionEntry> buildCatalogue()
{
    const FunctionGroups top = G::TopLevel;
    const FunctionGroups topWheel = G::TopLevel | G::Wheel;
    return {
        {FunLeft, topWheel, QT_TRANSLATE_NOOP("ButtonFunction", "Left"), true},
        {FunRight, topWheel, QT_TRANSLATE_NOOP("ButtonFunction", "Right"), true},
        {FunMiddle, topWheel, QT_TRANSLATE_NOOP("ButtonFunction", "Middle"), true},
        {FunForward, topWheel, QT_TRANSLATE_NOOP("ButtonFunction", "Forward"), true},
        {FunBack, topWheel, QT_TRANSLATE_NOOP("ButtonFunction", "Back"), true},
        {FunSingleKey, G::Advance | G::Wheel, QT_TRANSLATE_NOOP("ButtonFunction", "SINGLE KEY"), true},
        {FunComboKey, G::Advance | G::Wheel, QT_TRANSLATE_NOOP("ButtonFunction", "COMBO KEY"), true},
        {FunFireKey, G::Advance, QT_TRANSLATE_NOOP("ButtonFunction", "FIRE KEY"), true},
        {FunButtonOff, top, QT_TRANSLATE_NOOP("ButtonFunction", "Button Off"), true},
        {FunCut, G::Basic, QT_TRANSLATE_NOOP("ButtonFunction", "Cut"), true},
        {FunCopy, G::Basic, QT_TRANSLATE_NOOP("ButtonFunction", "Copy"), true},
        {FunPaste, G::Basic, QT_TRANSLATE_NOOP("ButtonFunction", "Paste"), true},
        {FunSelectAll, G::Basic, QT_TRANSLATE_NOOP("ButtonFunction", "All"), true},
        {FunFind, G::Basic, QT_TRANSLATE_NOOP("ButtonFunction", "Find"), true},
        {FunNew, G::Basic, QT_TRANSLATE_NOOP("ButtonFunction", "New"), true},
        {FunPrint, G::Basic, QT_TRANSLATE_NOOP("ButtonFunction", "Print"), true},
        {FunSave, G::Basic, QT_TRANSLATE_NOOP("ButtonFunction", "Save"), true},
        {FunSwitchWindow, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Switch Window"), true},
        {FunCloseWindow, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Close Window"), true},
        {FunMyComputer, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "My Computer"), true},
        {FunRun, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Run"), true},
        {FunShowDesktop, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Show Desktop"), true},
        {FunLockPc, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Lock PC"), true},
        {FunBrowserHome, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Browser Home"), true},
        {FunBrowserBackward, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Browser Backward"), true},
        {FunBrowserForward, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Browser Forward"), true},
        {FunBrowserStop, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Browser Stop"), true},
        {FunBrowserRefresh, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Browser Refresh"), true},
        {FunBrowserSearch, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Browser Search"), true},
        {FunBrowserFavorite, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Browser Favorite"), true},
        {FunMail, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Mail"), true},
        {FunPlayPause, G::Media, QT_TRANSLATE_NOOP("ButtonFunction", "Play/Pause"), true},
        {FunStop, G::Media, QT_TRANSLATE_NOOP("ButtonFunction", "Stop"), true},
        {FunPreviousTrack, G::Media, QT_TRANSLATE_NOOP("ButtonFunction", "Previous Track"), true},
        {FunNextTrack, G::Media, QT_TRANSLATE_NOOP("ButtonFunction", "Next Track"), true},
        {FunVolumeUp, G::Media | G::Wheel, QT_TRANSLATE_NOOP("ButtonFunction", "Volume Up"), true},
        {FunVolumeDown, G::Media | G::Wheel, QT_TRANSLATE_NOOP("ButtonFunction", "Volume Down"), true},
        {FunMute, G::Media, QT_TRANSLATE_NOOP("ButtonFunction", "Mute"), true},
        {FunMediaPlayer, G::Media, QT_TRANSLATE_NOOP("ButtonFunction", "Media Player"), true},
        {FunDpiSwitch, G::Dpi, QT_TRANSLATE_NOOP("ButtonFunction", "DPI Switch"), true},
        {FunDpiUp, G::Dpi, QT_TRANSLATE_NOOP("ButtonFunction", "DPI +"), true},
        {FunDpiDown, G::Dpi, QT_TRANSLATE_NOOP("ButtonFunction", "DPI -"), true},
        {FunRateUp, G::PollingRate, QT_TRANSLATE_NOOP("ButtonFunction", "Rate +"), true},
        {FunRateDown, G::PollingRate, QT_TRANSLATE_NOOP("ButtonFunction", "Rate -"), true},
        {FunScrollUp, G::Wheel, QT_TRANSLATE_NOOP("ButtonFunction", "Scroll Up"), true},
        {FunScrollDown, G::Wheel, QT_TRANSLATE_NOOP("ButtonFunction", "Scroll Down"), true},
        {FunLedSwitch, top, QT_TRANSLATE_NOOP("ButtonFunction", "Led Switch"), true},
        {FunSniper, G::Advance, QT_TRANSLATE_NOOP("ButtonFunction", "SNIPER"), false},
        {FunProfileUp, G::ProfileMenu, QT_TRANSLATE_NOOP("ButtonFunction", "Profile +"), false},
        {FunProfileDown, G::ProfileMenu, QT_TRANSLATE_NOOP("ButtonFunction", "Profile -"), false},
        {FunProfileSwitch, G::ProfileMenu, QT_TRANSLATE_NOOP("ButtonFunction", "Profile Switch"), false},
        {FunBossKey, G::Windows, QT_TRANSLATE_NOOP("ButtonFunction", "Boss Key"), true},
        {FunRateSwitch, G::PollingRate, QT_TRANSLATE_NOOP("ButtonFunction", "Rate Switch"), true},
        {FunMacro, top, "", true},
        {FunGunFile, G::None, "", false},
    };
}

} // namespace

const QVector<FunctionEntry> &functionCatalogue()
{
    static const QVector<FunctionEntry> catalogue = buildCatalogue();
    return catalogue;
}

const FunctionEntry *findFunction(qint32 code)
{
    for (const FunctionEntry &entry : functionCatalogue()) {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

QVector<FunctionEntry> functionsInGroup(FunctionGroup group)
{
    QVector<FunctionEntry> entries;
    for (const FunctionEntry &entry : functionCatalogue()) {
        if (entry.groups.testFlag(group))
            entries.append(entry);
    }
    return entries;
}

QVector<qint32> menuFunctions(FunctionGroup group)
{
    const auto rank = [group](qint32 code) {
        if (group == FunctionGroup::PollingRate)
            return code == FunRateSwitch ? 0 : 1;
        if (group == FunctionGroup::Wheel) {
            if (code == FunScrollUp || code == FunScrollDown)
                return 0;
            return (code == FunVolumeUp || code == FunVolumeDown) ? 1 : 2;
        }
        return 0;
    };
    QVector<qint32> codes;
    for (const FunctionEntry &entry : functionsInGroup(group)) {
        if (entry.offered)
            codes.append(entry.code);
    }
    std::stable_sort(codes.begin(), codes.end(),
                     [&rank](qint32 a, qint32 b) { return rank(a) < rank(b); });
    return codes;
}

QString functionText(qint32 code)
{
    const FunctionEntry *entry = findFunction(code);
    if (!entry || !*entry->text)
        return QString();
    return QCoreApplication::translate(kFunctionContext, entry->text);
}

QString functionGroupTitle(FunctionGroup group)
{
    switch (group) {
    case FunctionGroup::Basic: return QCoreApplication::translate("ButtonFunction", "Basic");
    case FunctionGroup::Windows: return QCoreApplication::translate("ButtonFunction", "Windows");
    case FunctionGroup::Advance: return QCoreApplication::translate("ButtonFunction", "Advance");
    case FunctionGroup::Media: return QCoreApplication::translate("ButtonFunction", "Media");
    case FunctionGroup::Dpi: return QCoreApplication::translate("ButtonFunction", "DPI");
    case FunctionGroup::ProfileMenu:
        return QCoreApplication::translate("ButtonFunction", "Profile Menu");
    case FunctionGroup::PollingRate:
        return QCoreApplication::translate("ButtonFunction", "Polling Rate");
    default: return QString();
    }
}

QString functionLabel(qint32 code, const QString &macroName, bool wheelEntry)
{
    if (code == FunMacro || code == FunGunFile)
        return macroName;
    if ((code == FunScrollUp || code == FunScrollDown) && !wheelEntry)
        return QString();
    return functionText(code);
}
