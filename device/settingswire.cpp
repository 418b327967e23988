// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/settingswire.h"

#include "device/dpiencoding.h"

using namespace SettingsWire;

static_assert(sizeof(::DpiLevelBytes) == DpiLevelSize, "encoder and wire agree on the level size");

namespace {

// The effect whose values ride along. A LedMode outside the effect table has none: its
// values go out as zero rather than borrowing another effect's.
const LedModeInfo *selectedEffect(const ProfileRecord &profile)
{
    return profile.LedMode < LED_EFFECTS ? &profile.LED_MODE[profile.LedMode] : nullptr;
}

KestCommandReport extendedReport(quint8 subCommand)
{
    KestCommandReport report(CommandReport::DpiLevels0to5);
    report[2] = 0x00;
    report[ExtendedMarkerByte] = ExtendedMarker;
    report[SubCommandByte] = subCommand;
    return report;
}

} // namespace

KestCommandReport buildMarkerReport(bool begin)
{
    KestCommandReport report(CommandReport::Marker);
    report[2] = begin ? BeginFirst : EndFirst;
    report[3] = begin ? BeginSecond : EndSecond;
    report.seal();
    return report;
}

KestCommandReport buildLightingReport(const ProfileRecord &slot, const ProfileRecord &lighting)
{
    const LedModeInfo *effect = selectedEffect(lighting);
    const quint8 mode = lighting.LedMode;

    KestCommandReport report(CommandReport::Settings);
    report[ActiveDpiByte] = slot.dpi;
    report[PollRateByte] = slot.pollrate;
    report[LedModeByte] = mode;
    // Static effects have no speed; effects 0, 3 and 4 have no brightness.
    if (effect && mode != 0 && mode != 1)
        report[SpeedByte] = quint8(effect->breath & 0xFF);
    if (effect && mode != 0 && mode != 3 && mode != 4)
        report[BrightnessByte] = quint8(effect->bright & 0xFF);
    report.seal();
    return report;
}

KestCommandReport buildSensorReport(const ConfigRecord &record, const ProfileRecord &lighting)
{
    const LedModeInfo *effect = selectedEffect(lighting);

    KestCommandReport report(CommandReport::SensorAndColour);
    report[SensorSubCommandByte] = SensorSubCommand;
    report[LiftByte] = record.LiftHigh;
    report[SleepTimeByte] = lighting.LedSleepTime;
    report[MoveOffByte] = lighting.LedMoveOFF != MoveOffDisabled ? 1 : 0;
    report[AngleByte] = record.AngleValue;
    report[SyncByte] = record.Sync;
    if (effect && effect->RGB.isValid()) {
        report[RedByte] = quint8(effect->RGB.red());
        report[GreenByte] = quint8(effect->RGB.green());
        report[BlueByte] = quint8(effect->RGB.blue());
    }
    report.seal();
    return report;
}

std::array<KestCommandReport, 2> buildDpiReports(const ProfileRecord &slot, int sensor)
{
    std::array<KestCommandReport, 2> reports = {KestCommandReport(CommandReport::DpiLevels0to5),
                                                KestCommandReport(CommandReport::DpiLevels6to7)};
    for (int level = 0; level < DPI_LEVELS; ++level) {
        const DpiInfo &info = slot.DPI_INFO[level];
        const ::DpiLevelBytes bytes = encodeDpiLevel(info.x, info.y, sensor);
        KestCommandReport &report = reports[level < LevelsInFirstReport ? 0 : 1];
        const int at = CommandReport::FirstParameterByte + (level % LevelsInFirstReport) * DpiLevelSize;
        report[at] = bytes.xRange;
        report[at + 1] = bytes.xLow;
        report[at + 2] = bytes.xHigh;
        report[at + 3] = bytes.yLow;
        report[at + 4] = bytes.yHigh;
    }
    for (KestCommandReport &report : reports)
        report.seal();
    return reports;
}

KestCommandReport buildSelectSlotReport(quint8 slot)
{
    KestCommandReport report = extendedReport(SelectSlot);
    report[FirstArgumentByte] = slot;
    return report;
}

KestCommandReport buildMenuReport(quint8 argument)
{
    KestCommandReport report = extendedReport(MenuRequest);
    report[FirstArgumentByte] = MenuRequestTag;
    report[FirstArgumentByte + 1] = argument;
    return report;
}
