// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QString>

#include "store/configrecord.h"

// The key of every field of a profile, relative to its group ("PROFILE" in a ".prof"
// file, "PROFILE_<slot>" in a ".conf" file). Built once: a full profile has about
// 8,400 keys and they are needed on every load and save.
struct ProfileKeys
{
    struct Dpi
    {
        QString used, link, xy, x, y;
    };
    struct Step
    {
        QString map, low, high;
    };
    struct Button
    {
        QString ID, Fun, LoopNumber, KeyNumber, Res1, Res2, Res3, Res4, macroname;
        std::array<Step, KEY_STEPS> steps;
    };
    struct Effect
    {
        QString RGB, h, s, v, bright, breath;
    };

    QString pollrate, dpi, LedMode, LedMoveOFF, LedSleepTime;
    QString mousespeed, dbclickspeed, scrollispage, scrollspeed, accelenable, acee;
    QString ProfileName, ProfilePath;
    std::array<Dpi, DPI_LEVELS> levels;
    std::array<Button, BUTTON_SLOTS> buttons;
    std::array<Effect, LED_EFFECTS> effects;

    static const ProfileKeys &instance();

private:
    ProfileKeys();
};

// Calls f(key, field, defaultValue) for every stored field of a profile, in the same
// order for reading and writing. P is ProfileRecord or const ProfileRecord. The two
// lighting options belong to ".prof" files only.
enum class LedOptions
{
    Include,
    Skip
};

template <class P, class F>
void visitProfileFields(P &p, LedOptions ledOptions, F &&f)
{
    const ProfileKeys &k = ProfileKeys::instance();
    f(k.pollrate, p.pollrate, 0);
    f(k.dpi, p.dpi, 0);
    for (int i = 0; i < DPI_LEVELS; ++i) {
        auto &level = p.DPI_INFO[i];
        const ProfileKeys::Dpi &key = k.levels[i];
        f(key.used, level.used, 0);
        f(key.link, level.link, 0);
        f(key.xy, level.xy, 0);
        f(key.x, level.x, 0);
        f(key.y, level.y, 0);
    }
    f(k.mousespeed, p.mousespeed, 0);
    f(k.dbclickspeed, p.dbclickspeed, 0);
    f(k.scrollispage, p.scrollispage, 0);
    f(k.scrollspeed, p.scrollspeed, 0);
    f(k.accelenable, p.accelenable, 0);
    f(k.acee, p.acee, 0);
    for (int b = 0; b < BUTTON_SLOTS; ++b) {
        auto &button = p.BUTTON_INFO[b];
        const ProfileKeys::Button &key = k.buttons[b];
        f(key.ID, button.ID, 0);
        f(key.Fun, button.Fun, 0);
        f(key.LoopNumber, button.LoopNumber, 0);
        f(key.KeyNumber, button.KeyNumber, 0);
        f(key.Res1, button.Res1, 0);
        f(key.Res2, button.Res2, 0);
        f(key.Res3, button.Res3, 0);
        f(key.Res4, button.Res4, 0);
        f(key.macroname, button.macroname, 0);
        for (int s = 0; s < KEY_STEPS; ++s) {
            auto &step = button.KeyInfo[s];
            f(key.steps[s].map, step.map, 0);
            f(key.steps[s].low, step.low, 0);
            f(key.steps[s].high, step.high, 0);
        }
    }
    f(k.ProfileName, p.ProfileName, 0);
    f(k.ProfilePath, p.ProfilePath, 0);
    f(k.LedMode, p.LedMode, 0);
    if (ledOptions == LedOptions::Include) {
        f(k.LedMoveOFF, p.LedMoveOFF, 255);
        f(k.LedSleepTime, p.LedSleepTime, 1);
    }
    for (int e = 0; e < LED_EFFECTS; ++e) {
        auto &effect = p.LED_MODE[e];
        const ProfileKeys::Effect &key = k.effects[e];
        f(key.RGB, effect.RGB, 0);
        f(key.h, effect.h, 0);
        f(key.s, effect.s, 0);
        f(key.v, effect.v, 0);
        f(key.bright, effect.bright, 0);
        f(key.breath, effect.breath, 0);
    }
}
