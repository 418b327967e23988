// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QString>

#include "store/kestrgb.h"

// The profile set: everything the program writes into the mouse, as one plain value
// that is copied, compared and assigned whole.

constexpr int SLOT_COUNT = 5;
constexpr int DPI_LEVELS = 8;
constexpr int BUTTON_SLOTS = 42;
constexpr int KEY_STEPS = 63;
constexpr int LED_EFFECTS = 14;

struct SensorDefaults;

// Function code of a button bound to a macro file.
constexpr int MACRO_FUNCTION = 200;

struct DpiInfo
{
    quint8 used = 0;
    quint8 link = 0;
    quint32 xy = 0; // only loaded, saved and set by the defaults
    quint32 x = 0;  // sensor register codes, not DPI numbers
    quint32 y = 0;

    bool operator==(const DpiInfo &o) const;
    bool operator!=(const DpiInfo &o) const { return !(*this == o); }
};

struct KeyInfo
{
    quint8 map = 0;
    quint8 low = 0;
    quint8 high = 0;

    bool operator==(const KeyInfo &o) const { return map == o.map && low == o.low && high == o.high; }
    bool operator!=(const KeyInfo &o) const { return !(*this == o); }
};

struct ButtonInfo
{
    qint32 ID = 0;
    qint32 Fun = 0;
    qint32 LoopNumber = 0;
    qint32 KeyNumber = 0; // a count of valid KeyInfo steps for key and macro functions: clamp before use
    std::array<::KeyInfo, KEY_STEPS> KeyInfo{};
    quint8 Res1 = 0;
    quint8 Res2 = 0;
    quint8 Res3 = 0;
    quint8 Res4 = 0;
    QString macroname;

    bool operator==(const ButtonInfo &o) const;
    bool operator!=(const ButtonInfo &o) const { return !(*this == o); }
};

struct LedModeInfo
{
    KestRgb RGB; // invalid until a file or the defaults set it
    qint32 h = 0;
    qint32 s = 0;
    qint32 v = 0;
    qint32 bright = 0;
    qint32 breath = 0;

    bool operator==(const LedModeInfo &o) const;
    bool operator!=(const LedModeInfo &o) const { return !(*this == o); }
};

struct ProfileRecord
{
    quint8 pollrate = 0;
    quint8 dpi = 0;     // active DPI level: clamp to DPI_LEVELS before indexing
    quint8 LedMode = 0; // active effect: clamp to LED_EFFECTS before indexing
    quint8 LedMoveOFF = 0;
    quint8 LedSleepTime = 0;
    std::array<DpiInfo, DPI_LEVELS> DPI_INFO{};
    quint8 mousespeed = 0;
    quint8 dbclickspeed = 0;
    quint8 scrollispage = 0;
    quint8 scrollspeed = 0;
    quint8 accelenable = 0;
    quint8 acee = 0;
    std::array<ButtonInfo, BUTTON_SLOTS> BUTTON_INFO{};
    std::array<LedModeInfo, LED_EFFECTS> LED_MODE{};
    QString ProfileName;
    QString ProfilePath;

    bool operator==(const ProfileRecord &o) const;
    bool operator!=(const ProfileRecord &o) const { return !(*this == o); }
};

struct ConfigRecord
{
    quint8 ProfileID = 0; // active slot: clamp to SLOT_COUNT before indexing
    std::array<ProfileRecord, SLOT_COUNT> profiles{};
    quint8 AngleValue = 0;
    quint8 LiftHigh = 0;
    quint8 Sync = 0;
    quint8 Count = 0; // carried through unchanged; nothing reads it
    quint8 Jitter = 0;
    quint8 Debounce = 0;
    quint8 Wake = 0;
    quint8 SensorMode = 0;
    std::array<QString, SLOT_COUNT> names{};

    bool operator==(const ConfigRecord &o) const;
    bool operator!=(const ConfigRecord &o) const { return !(*this == o); }
};

// Which groups of settings must be sent to the mouse.
using ChangeMask = quint8;
constexpr ChangeMask CHANGE_NONE = 0;
constexpr ChangeMask CHANGE_GENERAL = 1;
constexpr ChangeMask CHANGE_DPI = 2;
constexpr ChangeMask CHANGE_BUTTONS = 4; // buttons and macros
constexpr ChangeMask CHANGE_LIGHTING = 8;
constexpr ChangeMask CHANGE_ALL = 15;

// Overwrites a slot with the model's defaults (the description file, or the built-in
// fallback when there is none).
void makeDefaultProfile(ProfileRecord &profile);

// The sensor options a device description gives, into the set.
void takeSensorDefaults(ConfigRecord &config, const SensorDefaults &sensor);

// Resets the active slot index, slot 0, the sensor options and the slot names.
// Slots 1..4 and Count keep their values.
void makeDefaultConfig(ConfigRecord &config);

// The report rate is kept as the mouse's code, the interval in milliseconds: 8, 4, 2, 1,
// listed here from the slowest rate to the fastest.
constexpr quint8 RATE_CODES[] = {8, 4, 2, 1};
int rateCodeToHz(int code); // 0 for a code the mouse does not use
int rateHzToCode(int hz);   // 0 for a rate the mouse does not offer

// DPI value of a sensor register code; 0 for a sensor the table does not know.
int dpiCodeToDpi(int code, int sensor);

// Groups in which the working set differs from the last-written one. A macro button
// whose file was edited since it was last sent counts as changed; its file's write
// flag is cleared on the way.
ChangeMask diffConfig(const ConfigRecord &working, const ConfigRecord &lastWritten);

// Safe indexes for stored values that are kept without range limits.
int activeSlotIndex(const ConfigRecord &config);          // ProfileID clamped to 0..4
int activeDpiIndex(const ProfileRecord &profile);         // dpi clamped to 0..7
int activeEffectIndex(const ProfileRecord &profile);      // LedMode clamped to 0..13
int validKeySteps(const ButtonInfo &button);              // KeyNumber clamped to 0..63
