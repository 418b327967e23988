// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QString>

#include "store/configrecord.h"

// Readers of the model's description file "DefaultProfile.bin" (INI text, one section
// PROFILE) in the application directory. It is installed with the product and only read;
// every call reads the file again.

namespace DescriptionKey {
constexpr const char *ProductName = "PROFILE/ProductName";
constexpr const char *Version = "PROFILE/Version";
constexpr const char *ButtonCount = "PROFILE/ButtonCount";
constexpr const char *MouseDpi = "PROFILE/MouseDpi";
constexpr const char *DPICount = "PROFILE/DPICount";
constexpr const char *DisableMacro = "PROFILE/DisableMacro";
constexpr const char *LedDisable = "PROFILE/ledDisable";
constexpr const char *ShowSleep = "PROFILE/ShowSleep";
constexpr const char *SleepMin = "PROFILE/SleepMin";
constexpr const char *SleepMax = "PROFILE/SleepMax";
constexpr const char *ColorMode = "PROFILE/ColorMode";
constexpr const char *SyncMode = "PROFILE/SyncMode";
constexpr const char *ShowMouseButton = "PROFILE/showMouseButton";
constexpr const char *ScrollRev = "PROFILE/ScrollRev";
constexpr const char *DpiRange33254 = "PROFILE/33254";
constexpr const char *MinDelay = "PROFILE/MinDelay";
constexpr const char *French = "PROFILE/french";
} // namespace DescriptionKey

constexpr int MATRIX_SIZE = 16;
constexpr int DEFAULT_BUTTONS = 20;      // default entries of DeviceDefaults
constexpr int DESCRIBED_BUTTONS = 16;    // of which the file supplies these

using ButtonMatrix = std::array<quint8, MATRIX_SIZE>;

struct SensorDefaults
{
    quint8 lift = 0;
    quint8 angle = 0;
    quint8 butondelay = 20;
    quint8 jitter = 0;
    quint8 wake = 0;
    quint8 sensormode = 1;
    quint8 sync = 0;
};

struct DefaultButton
{
    qint32 ID = 0;
    qint32 Fun = 0;
    qint32 LoopNumber = 0;
    qint32 KeyNumber = 0;
    quint8 Res1 = 0;
    quint8 Res2 = 0;
    quint8 Res3 = 0;
    quint8 Res4 = 0;
};

struct DefaultEffect
{
    KestRgb RGB;
    qint32 bright = 0;
    qint32 breath = 0;
};

struct DeviceDefaults
{
    quint8 dpi = 0;
    std::array<quint32, DPI_LEVELS> dpiCodes{};
    qint32 pollrate = 0;
    quint8 LedMode = 0;
    std::array<DefaultButton, DEFAULT_BUTTONS> buttons{};
    std::array<DefaultEffect, LED_EFFECTS> effects{};
};

struct SleepRange
{
    int min = 1;
    int max = 9;
};

QString deviceDescriptionPath(); // applicationDir() + "/DefaultProfile.bin"
bool deviceDescriptionExists();

// Counts through the XOR rule of the file.
int readButtonCount();   // ButtonCount ^ MouseDpi
int readDpiLevelCount(); // ButtonCount ^ MouseDpi ^ DPICount

// Button layout tables. readMatrix leaves the table alone when the file is missing;
// readMatrix2 returns the button count, or -1 (table untouched) when it is missing.
void readMatrix(ButtonMatrix &matrix);
int readMatrix2(ButtonMatrix &matrix);

// Block readers: 0 on success, -1 (output untouched) when the file is missing.
int readSensorDefaults(SensorDefaults &defaults);
int readDeviceDefaults(DeviceDefaults &defaults);

SleepRange readSleepRange();

// Single keys, with their defaults when missing.
QString readDescriptionProductName();
QString readDescriptionVersion();
int readDisableMacro();    // 0
int readLedDisable();      // 0
int readShowSleep();       // 1
int readColorMode();       // 0
int readSyncMode();        // 0
int readShowMouseButton(); // 1
int readScrollRev();       // 0
int readDpiRange33254();   // 0
int readMinDelay();        // 10; never below 1, callers divide by it
int readFrench();          // -1
