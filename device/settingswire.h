// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include "device/commandreport.h"
#include "store/configrecord.h"

// Wire layout of the settings commands of one write transaction (0x00, 0x01, 0x02, 0x05,
// 0x06) and of the profile-menu commands (0x05 with byte 3 = 0xFA). Builders only: the
// order in which they are sent lives in writeconfig.cpp.
namespace SettingsWire {

// Command 0x00: the transaction brackets.
constexpr quint8 BeginFirst = 0xAA;
constexpr quint8 BeginSecond = 0x55;
constexpr quint8 EndFirst = 0xCC;
constexpr quint8 EndSecond = 0x33;

// Command 0x01.
constexpr int ActiveDpiByte = 2;
constexpr int PollRateByte = 3;
constexpr int LedModeByte = 4;
constexpr int SpeedByte = 5;
constexpr int BrightnessByte = 6;

// Command 0x02.
constexpr quint8 SensorSubCommand = 0x06;
constexpr int SensorSubCommandByte = 2;
constexpr int LiftByte = 3;
constexpr int SleepTimeByte = 4;
constexpr int MoveOffByte = 5;
constexpr int AngleByte = 6;
constexpr int SyncByte = 7;
constexpr int RedByte = 8;
constexpr int GreenByte = 9;
constexpr int BlueByte = 10;
constexpr quint8 MoveOffDisabled = 0xFF; // LedMoveOFF value that clears the flag

// Commands 0x05/0x06: six and two levels of five bytes from byte 2 on.
constexpr int DpiLevelSize = 5;
constexpr int LevelsInFirstReport = 6;
constexpr int LevelsInSecondReport = 2;
static_assert(CommandReport::FirstParameterByte + LevelsInFirstReport * DpiLevelSize - 1
                  == CommandReport::LastParameterByte,
              "six DPI levels fill the parameter bytes exactly");

// Extended profile-menu format: no checksum.
constexpr quint8 ExtendedMarker = 0xFA;
constexpr int ExtendedMarkerByte = 3;
constexpr int SubCommandByte = 4;
constexpr int FirstArgumentByte = 5;
constexpr quint8 SelectSlot = 0x44;    // written without waiting for an answer
constexpr quint8 MenuRequest = 0x40;   // echoed
constexpr quint8 MenuRequestTag = 0xF3;
constexpr std::array<quint8, 5> MenuRefreshSequence = {0x04, 0x01, 0x02, 0x08, 0x10};

} // namespace SettingsWire

KestCommandReport buildMarkerReport(bool begin);
// Command 0x01: the active DPI level and report rate of `slot`, the effect and its values
// of `lighting` (the lighting slot, which may be another one).
KestCommandReport buildLightingReport(const ProfileRecord &slot, const ProfileRecord &lighting);
// Command 0x02: the shared sensor options of the record, sleep time, "move to light off"
// and colour of `lighting`.
KestCommandReport buildSensorReport(const ConfigRecord &record, const ProfileRecord &lighting);
// All eight levels of `slot`, in two reports (levels 0-5, levels 6-7).
std::array<KestCommandReport, 2> buildDpiReports(const ProfileRecord &slot, int sensor);

KestCommandReport buildSelectSlotReport(quint8 slot);
KestCommandReport buildMenuReport(quint8 argument);
