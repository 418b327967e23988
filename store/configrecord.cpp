// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/configrecord.h"

#include <algorithm>
#include <iterator>

#include "store/devicedescription.h"
#include "store/macrodb.h"

bool DpiInfo::operator==(const DpiInfo &o) const
{
    return used == o.used && link == o.link && xy == o.xy && x == o.x && y == o.y;
}

bool ButtonInfo::operator==(const ButtonInfo &o) const
{
    return ID == o.ID && Fun == o.Fun && LoopNumber == o.LoopNumber && KeyNumber == o.KeyNumber
        && KeyInfo == o.KeyInfo && Res1 == o.Res1 && Res2 == o.Res2 && Res3 == o.Res3
        && Res4 == o.Res4 && macroname == o.macroname;
}

bool LedModeInfo::operator==(const LedModeInfo &o) const
{
    return RGB == o.RGB && h == o.h && s == o.s && v == o.v && bright == o.bright
        && breath == o.breath;
}

bool ProfileRecord::operator==(const ProfileRecord &o) const
{
    return pollrate == o.pollrate && dpi == o.dpi && LedMode == o.LedMode
        && LedMoveOFF == o.LedMoveOFF && LedSleepTime == o.LedSleepTime && DPI_INFO == o.DPI_INFO
        && mousespeed == o.mousespeed && dbclickspeed == o.dbclickspeed
        && scrollispage == o.scrollispage && scrollspeed == o.scrollspeed
        && accelenable == o.accelenable && acee == o.acee && BUTTON_INFO == o.BUTTON_INFO
        && LED_MODE == o.LED_MODE && ProfileName == o.ProfileName && ProfilePath == o.ProfilePath;
}

bool ConfigRecord::operator==(const ConfigRecord &o) const
{
    return ProfileID == o.ProfileID && profiles == o.profiles && AngleValue == o.AngleValue
        && LiftHigh == o.LiftHigh && Sync == o.Sync && Count == o.Count && Jitter == o.Jitter
        && Debounce == o.Debounce && Wake == o.Wake && SensorMode == o.SensorMode
        && names == o.names;
}

int activeSlotIndex(const ConfigRecord &config)
{
    return std::min<int>(config.ProfileID, SLOT_COUNT - 1);
}

int activeDpiIndex(const ProfileRecord &profile)
{
    return std::min<int>(profile.dpi, DPI_LEVELS - 1);
}

int activeEffectIndex(const ProfileRecord &profile)
{
    return std::min<int>(profile.LedMode, LED_EFFECTS - 1);
}

int validKeySteps(const ButtonInfo &button)
{
    return std::clamp<qint32>(button.KeyNumber, 0, KEY_STEPS);
}

namespace {

void applyDeviceDefaults(ProfileRecord &p, const DeviceDefaults &d)
{
    p.pollrate = quint8(d.pollrate);
    p.LedMode = d.LedMode;
    p.dpi = d.dpi;
    p.LedMoveOFF = 0;
    p.LedSleepTime = 1;
    for (int i = 0; i < DPI_LEVELS; ++i) {
        DpiInfo &level = p.DPI_INFO[i];
        level.used = 1;
        level.link = 1;
        level.xy = level.x = level.y = d.dpiCodes[i];
    }
    for (int b = 0; b < DEFAULT_BUTTONS; ++b) {
        const DefaultButton &src = d.buttons[b];
        ButtonInfo &dst = p.BUTTON_INFO[b];
        dst.Fun = src.Fun;
        dst.LoopNumber = src.LoopNumber;
        dst.KeyNumber = src.KeyNumber;
        dst.Res1 = src.Res1;
        dst.Res2 = src.Res2;
        dst.Res3 = src.Res3;
        dst.Res4 = src.Res4;
    }
    for (int e = 0; e < LED_EFFECTS; ++e) {
        LedModeInfo &effect = p.LED_MODE[e];
        effect.RGB = d.effects[e].RGB;
        effect.h = 360;
        effect.s = 0;
        effect.v = 0;
        effect.bright = d.effects[e].bright;
        effect.breath = d.effects[e].breath;
    }
}

// Used when the model's description file is missing.
void applyBuiltInDefaults(ProfileRecord &p)
{
    p.LedMoveOFF = 0;
    p.LedSleepTime = 1;
    p.LedMode = 9;
    static constexpr quint32 codes[DPI_LEVELS] = {8, 12, 16, 24, 50, 75, 0, 0};
    for (int i = 0; i < DPI_LEVELS; ++i) {
        DpiInfo &level = p.DPI_INFO[i];
        level.used = 1;
        level.link = 1;
        level.xy = level.x = level.y = codes[i];
    }
    static constexpr qint32 functions[] = {1, 2, 3, 4, 5, 4, 5};
    for (int b = 0; b < int(std::size(functions)); ++b)
        p.BUTTON_INFO[b].Fun = functions[b];
    for (int e = 0; e < LED_EFFECTS; ++e) {
        LedModeInfo &effect = p.LED_MODE[e];
        effect.RGB = e == 10 ? KestRgb(0, 255, 0) : KestRgb(255, 0, 0);
        effect.h = 360;
        effect.s = 0;
        effect.v = 0;
        effect.bright = 3;
        effect.breath = 3;
    }
}

} // namespace

void makeDefaultProfile(ProfileRecord &profile)
{
    profile = ProfileRecord{};
    profile.pollrate = 1;
    profile.dpi = 1;
    profile.LedMode = 1;
    profile.mousespeed = 10;
    profile.dbclickspeed = 5;
    profile.scrollispage = 0;
    profile.scrollspeed = 1;
    profile.accelenable = 1;
    profile.acee = 1;

    DeviceDefaults defaults;
    if (readDeviceDefaults(defaults) == 0)
        applyDeviceDefaults(profile, defaults);
    else
        applyBuiltInDefaults(profile);

    // The wheel entries are fixed for every model.
    profile.BUTTON_INFO[40].Fun = 52;
    profile.BUTTON_INFO[41].Fun = 53;
}

void takeSensorDefaults(ConfigRecord &config, const SensorDefaults &sensor)
{
    config.AngleValue = sensor.angle;
    config.LiftHigh = sensor.lift;
    config.Jitter = sensor.jitter;
    config.Debounce = sensor.butondelay;
    config.Wake = sensor.wake;
    config.SensorMode = sensor.sensormode;
    config.Sync = sensor.sync;
}

void makeDefaultConfig(ConfigRecord &config)
{
    // Without a description file the struct keeps the per-key defaults.
    SensorDefaults sensor;
    readSensorDefaults(sensor);
    takeSensorDefaults(config, sensor);

    config.ProfileID = 0;
    makeDefaultProfile(config.profiles[0]);
    for (int i = 0; i < SLOT_COUNT; ++i)
        config.names[i] = QStringLiteral("Profile %1").arg(i + 1);
}

int rateCodeToHz(int code)
{
    for (quint8 known : RATE_CODES) {
        if (known == code)
            return 1000 / code;
    }
    return 0;
}

int rateHzToCode(int hz)
{
    for (quint8 code : RATE_CODES) {
        if (rateCodeToHz(code) == hz)
            return code;
    }
    return 0;
}

int dpiCodeToDpi(int c, int sensor)
{
    switch (sensor) {
    case 3104:
    case 31042: {
        if (c > 106)
            return 80 * c - 4240;
        const int dpi = 40 * c;
        return dpi == 560 ? 500 : dpi;
    }
    case 3212: {
        int dpi;
        if (c > 94) {
            dpi = ((c - 63) * 152 / 10) * 10;
            return dpi == 7290 ? 7200 : dpi;
        }
        if (c >= 64)
            return ((c - 32) * 76 / 10) * 10;
        dpi = (c * 38 / 10) * 10;
        switch (dpi) {
        case 790: return 800;
        case 1210: return 1200;
        case 1630: return 1600;
        case 2390: return 2400;
        default: return dpi;
        }
    }
    case 3311:
    case 3360:
    case 33112:
        return c <= 120 ? 100 * c : 200 * c - 12000;
    case 3325:
    case 33252:
        if (c <= 50)
            return 100 * c;
        return c <= 75 ? 200 * c - 5000 : 400 * c - 20000;
    case 3327:
        if (c <= 61)
            return 100 * (c + 1);
        if (c <= 92)
            return 200 * c - 6000;
        return c == 106 ? 16400 : 300 * c - 15300;
    case 3333:
        return c <= 80 ? 100 * c : 200 * c - 8000;
    case 3335:
    case 33352:
        return c <= 160 ? 100 * c : 200 * c - 16000;
    case 3370:
        return c <= 200 ? 50 * c : 100 * c - 10000;
    case 3389:
        return c <= 320 ? 50 * c : 100 * c - 16000;
    case 3395:
    case 33952:
        return c <= 519 ? 50 * (c + 1) : 100 * c - 25900;
    case 3399:
        return c <= 399 ? 50 * (c + 1) : 100 * c - 19900;
    default:
        return 0;
    }
}

namespace {

bool generalDiffers(const ConfigRecord &w, const ConfigRecord &l)
{
    for (int k = 0; k < SLOT_COUNT; ++k) {
        if (w.profiles[k].pollrate != l.profiles[k].pollrate
            || w.profiles[k].scrollspeed != l.profiles[k].scrollspeed)
            return true;
    }
    if (w.AngleValue != l.AngleValue || w.LiftHigh != l.LiftHigh || w.Sync != l.Sync
        || w.Jitter != l.Jitter || w.Debounce != l.Debounce || w.Wake != l.Wake
        || w.SensorMode != l.SensorMode)
        return true;
    if (w.ProfileID != l.ProfileID)
        return true;
    const ProfileRecord &wp = w.profiles[activeSlotIndex(w)];
    const ProfileRecord &lp = l.profiles[activeSlotIndex(l)];
    return wp.dpi != lp.dpi || wp.LedMode != lp.LedMode || wp.LedMoveOFF != lp.LedMoveOFF
        || wp.LedSleepTime != lp.LedSleepTime;
}

bool dpiDiffers(const ConfigRecord &w, const ConfigRecord &l)
{
    for (int k = 0; k < SLOT_COUNT; ++k) {
        for (int i = 0; i < DPI_LEVELS; ++i) {
            const DpiInfo &a = w.profiles[k].DPI_INFO[i];
            const DpiInfo &b = l.profiles[k].DPI_INFO[i];
            if (a.used != b.used || a.x != b.x || a.y != b.y)
                return true;
        }
    }
    return false;
}

bool buttonDiffers(const ButtonInfo &a, const ButtonInfo &b)
{
    if (a.ID != b.ID || a.Fun != b.Fun || a.LoopNumber != b.LoopNumber
        || a.KeyNumber != b.KeyNumber || a.Res1 != b.Res1 || a.Res2 != b.Res2
        || a.Res3 != b.Res3 || a.Res4 != b.Res4)
        return true;
    if (a.KeyInfo != b.KeyInfo)
        return true;
    if (a.Fun != MACRO_FUNCTION)
        return false;
    if (a.macroname != b.macroname)
        return true;
    // Same binding on both sides: the macro itself may have been edited since it was
    // sent. The flag is consumed here because the caller goes on to send the buttons.
    if (readWriteSign(a.macroname) != 0) {
        // Left set, the macro is only sent again next time.
        static_cast<void>(clearWriteSign(a.macroname));
        return true;
    }
    return false;
}

bool buttonsDiffer(const ConfigRecord &w, const ConfigRecord &l)
{
    for (int k = 0; k < SLOT_COUNT; ++k) {
        for (int b = 0; b < BUTTON_SLOTS; ++b) {
            if (buttonDiffers(w.profiles[k].BUTTON_INFO[b], l.profiles[k].BUTTON_INFO[b]))
                return true;
        }
    }
    return false;
}

bool lightingDiffers(const ConfigRecord &w, const ConfigRecord &l)
{
    for (int k = 0; k < SLOT_COUNT; ++k) {
        const ProfileRecord &wp = w.profiles[k];
        const ProfileRecord &lp = l.profiles[k];
        if (wp.LedMode != lp.LedMode)
            return true;
        const int e = activeEffectIndex(wp);
        if (wp.LED_MODE[e] != lp.LED_MODE[e])
            return true;
    }
    return false;
}

} // namespace

ChangeMask diffConfig(const ConfigRecord &working, const ConfigRecord &lastWritten)
{
    ChangeMask mask = CHANGE_NONE;
    if (generalDiffers(working, lastWritten))
        mask |= CHANGE_GENERAL;
    if (dpiDiffers(working, lastWritten))
        mask |= CHANGE_DPI;
    if (buttonsDiffer(working, lastWritten))
        mask |= CHANGE_BUTTONS;
    if (lightingDiffers(working, lastWritten))
        mask |= CHANGE_LIGHTING;
    return mask;
}
