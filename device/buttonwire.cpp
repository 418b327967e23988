// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/buttonwire.h"

#include <utility>

#include "buttons/keys/functioncatalogue.h"

using namespace ButtonWire;

namespace {

// Keyboard shortcuts and consumer usages the mouse plays itself.
constexpr std::pair<qint32, ButtonEntry> kFixedEntries[] = {
    {FunLeft, {0x81, 0, 0, 0}},
    {FunRight, {0x82, 0, 0, 0}},
    {FunMiddle, {0x83, 0, 0, 0}},
    {FunForward, {0x85, 0, 0, 0}},
    {FunBack, {0x84, 0, 0, 0}},
    {FunSingleKey, {SingleKey, 0, 0, 0}},
    {FunComboKey, {KeyCombo, 0, 0, 0}},
    {FunFireKey, {FireKey, 0, 0, 0}},
    {13, {0x30, 0, 0, 0}},
    {FunButtonOff, {0x00, 0, 0, 0}},
    {FunCut, {KeyCombo, ModCtrl, 0x1B, 0}},
    {FunCopy, {KeyCombo, ModCtrl, 0x06, 0}},
    {FunPaste, {KeyCombo, ModCtrl, 0x19, 0}},
    {FunSelectAll, {KeyCombo, ModCtrl, 0x04, 0}},
    {FunFind, {KeyCombo, ModCtrl, 0x09, 0}},
    {FunNew, {KeyCombo, ModCtrl, 0x11, 0}},
    {FunPrint, {KeyCombo, ModCtrl, 0x13, 0}},
    {FunSave, {KeyCombo, ModCtrl, 0x16, 0}},
    {FunSwitchWindow, {KeyCombo, ModAlt, 0x2B, 0}},
    {FunCloseWindow, {KeyCombo, ModAlt, 0x3D, 0}},
    {FunMyComputer, {KeyCombo, ModWindows, 0x08, 0}},
    {FunRun, {KeyCombo, ModWindows, 0x15, 0}},
    {FunShowDesktop, {KeyCombo, ModWindows, 0x07, 0}},
    {FunLockPc, {KeyCombo, ModWindows, 0x0F, 0}},
    {FunBrowserHome, {Consumer, 0x01, 0x23, 0x02}},
    {FunBrowserBackward, {Consumer, 0x01, 0x24, 0x02}},
    {FunBrowserForward, {Consumer, 0x01, 0x25, 0x02}},
    {FunBrowserStop, {Consumer, 0x01, 0x26, 0x02}},
    {FunBrowserRefresh, {Consumer, 0x01, 0x27, 0x02}},
    {FunBrowserSearch, {Consumer, 0x01, 0x21, 0x02}},
    {FunBrowserFavorite, {Consumer, 0x01, 0x2A, 0x02}},
    {FunMail, {Consumer, 0x01, 0x8A, 0x01}},
    {FunPlayPause, {Consumer, 0x01, 0xCD, 0x00}},
    {FunStop, {Consumer, 0x01, 0xB7, 0x00}},
    {FunPreviousTrack, {Consumer, 0x01, 0xB6, 0x00}},
    {FunNextTrack, {Consumer, 0x01, 0xB5, 0x00}},
    {FunVolumeUp, {Consumer, 0x01, 0xE9, 0x00}},
    {FunVolumeDown, {Consumer, 0x01, 0xEA, 0x00}},
    {FunMute, {Consumer, 0x01, 0xE2, 0x00}},
    {FunMediaPlayer, {Consumer, 0x01, 0x83, 0x01}},
    {FunDpiSwitch, {0x88, 0, 0, 0}},
    {FunDpiUp, {0x8A, 0, 0, 0}},
    {FunDpiDown, {0x89, 0, 0, 0}},
    {FunRateUp, {0x94, 0, 0, 0}},
    {FunRateDown, {0x95, 0, 0, 0}},
    {FunScrollUp, {0x8B, 0, 0, 0}},
    {FunScrollDown, {0x8C, 0, 0, 0}},
    {FunLedSwitch, {0x9B, 0x08, 0, 0}},
    {FunSniper, {Sniper, 0, 0, 0}},
    // The firmware shares one entry between the rate and profile steps.
    {FunProfileUp, {0x94, 0, 0, 0}},
    {FunProfileDown, {0x95, 0, 0, 0}},
    {FunProfileSwitch, {0x8D, 0, 0, 0}},
    {60, {0x9F, 0, 0, 0}},
    {61, {0xA0, 0, 0, 0}},
    {FunBossKey, {KeyCombo, ModWindows, 0x10, 0}},
    {FunRateSwitch, {0x94, 0x01, 0, 0}},
    {64, {0x9B, 0, 0, 0}},
    {FunMacro, {Macro, 0, 0, 0}},
    {FunGunFile, {GunFile, 0, 0, 0}},
};

} // namespace

ButtonEntry defaultButtonEntry(qint32 function)
{
    for (const auto &pair : kFixedEntries) {
        if (pair.first == function)
            return pair.second;
    }
    return {};
}

std::array<KestCommandReport, ReportCount> buildButtonReports(const ButtonTableBytes &table)
{
    std::array<KestCommandReport, ReportCount> reports = {
        KestCommandReport(CommandReport::ButtonsFirst), KestCommandReport(CommandReport::ButtonsSecond),
        KestCommandReport(CommandReport::ButtonsWheel)};
    for (int entry = 0; entry < TableEntries; ++entry) {
        KestCommandReport &report = reports[entry / EntriesPerReport];
        const int at = CommandReport::FirstParameterByte + (entry % EntriesPerReport) * int(sizeof(ButtonEntry));
        const ButtonEntry &bytes = table[entry];
        report[at] = bytes.f;
        report[at + 1] = bytes.p1;
        report[at + 2] = bytes.p2;
        report[at + 3] = bytes.p3;
    }
    for (KestCommandReport &report : reports)
        report.seal();
    return reports;
}
