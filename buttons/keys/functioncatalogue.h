// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QFlags>
#include <QString>
#include <QVector>

// Function codes stored in ButtonInfo::Fun. Codes 8..11, 13..15, 56, 60 and 61 are unused.
enum ButtonFunction : qint32 {
    FunNone = 0,
    FunLeft = 1,
    FunRight = 2,
    FunMiddle = 3,
    FunForward = 4,
    FunBack = 5,
    FunSingleKey = 6,
    FunComboKey = 7,
    FunFireKey = 12,
    FunButtonOff = 16,
    FunCut = 17,
    FunCopy = 18,
    FunPaste = 19,
    FunSelectAll = 20,
    FunFind = 21,
    FunNew = 22,
    FunPrint = 23,
    FunSave = 24,
    FunSwitchWindow = 25,
    FunCloseWindow = 26,
    FunMyComputer = 27,
    FunRun = 28,
    FunShowDesktop = 29,
    FunLockPc = 30,
    FunBrowserHome = 31,
    FunBrowserBackward = 32,
    FunBrowserForward = 33,
    FunBrowserStop = 34,
    FunBrowserRefresh = 35,
    FunBrowserSearch = 36,
    FunBrowserFavorite = 37,
    FunMail = 38,
    FunPlayPause = 39,
    FunStop = 40,
    FunPreviousTrack = 41,
    FunNextTrack = 42,
    FunVolumeUp = 43,
    FunVolumeDown = 44,
    FunMute = 45,
    FunMediaPlayer = 46,
    FunDpiSwitch = 47,
    FunDpiUp = 48,
    FunDpiDown = 49,
    FunRateUp = 50,
    FunRateDown = 51,
    FunScrollUp = 52,
    FunScrollDown = 53,
    FunLedSwitch = 54,
    FunSniper = 55,
    FunProfileUp = 57,
    FunProfileDown = 58,
    FunProfileSwitch = 59,
    FunBossKey = 62,
    FunRateSwitch = 63,
    FunMacro = 200,
    FunGunFile = 510,
};

// Where a function appears in the assignment window; one function may appear in several.
enum class FunctionGroup : quint16 {
    None = 0,
    TopLevel = 0x001,
    Basic = 0x002,
    Windows = 0x004,
    Advance = 0x008,
    Media = 0x010,
    Dpi = 0x020,
    ProfileMenu = 0x040,
    PollingRate = 0x080,
    Wheel = 0x100,
};
Q_DECLARE_FLAGS(FunctionGroups, FunctionGroup)
Q_DECLARE_OPERATORS_FOR_FLAGS(FunctionGroups)

struct FunctionEntry {
    qint32 code;
    FunctionGroups groups;
    const char *text;  // untranslated source text; empty for macro and gun file (their name)
    bool offered;      // false for codes kept when loaded but not offered in the menus
};

// Translation context of the function texts and group titles.
constexpr const char kFunctionContext[] = "ButtonFunction";

// Every function of the catalogue, in code order.
const QVector<FunctionEntry> &functionCatalogue();

// The entry for a code, or nullptr for a code outside the catalogue.
const FunctionEntry *findFunction(qint32 code);

// The entries of one group, in code order (for building a submenu).
QVector<FunctionEntry> functionsInGroup(FunctionGroup group);
// What a menu of the group offers, in menu order: the offered entries, with the group's
// own functions first (the rate switch before its steps, scrolling and volume before the
// buttons in the wheel menu).
QVector<qint32> menuFunctions(FunctionGroup group);

// Translated display text of a code; empty for codes outside the catalogue and for macro and
// gun file, whose label is the bound name.
QString functionText(qint32 code);

// Translated title of a submenu group ("Basic", "Windows", ...); empty for the top level and
// the wheel menu, which have no title of their own.
QString functionGroupTitle(FunctionGroup group);

// What a button label shows: the macro's name for macro and gun file, the function text
// otherwise. "Scroll Up"/"Scroll Down" are labelled only on the two wheel entries; anything
// without a text gives an empty label.
QString functionLabel(qint32 code, const QString &macroName, bool wheelEntry);
