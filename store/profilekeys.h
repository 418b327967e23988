// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <utility>

#include <QString>

#include "store/configrecord.h"

// The shape of a profile's keys, one member per stored field, of type K.
template <class K>
struct ProfileKeyShape
{
    struct Dpi
    {
        K used, link, xy, x, y;
    };
    struct Step
    {
        K map, low, high;
    };
    struct Button
    {
        K ID, Fun, LoopNumber, KeyNumber, Res1, Res2, Res3, Res4, macroname;
        std::array<Step, KEY_STEPS> steps;
    };
    struct Effect
    {
        K RGB, h, s, v, bright, breath;
    };

    K pollrate, dpi, LedMode, LedMoveOFF, LedSleepTime;
    K mousespeed, dbclickspeed, scrollispage, scrollspeed, accelenable, acee;
    K ProfileName, ProfilePath;
    std::array<Dpi, DPI_LEVELS> levels;
    std::array<Button, BUTTON_SLOTS> buttons;
    std::array<Effect, LED_EFFECTS> effects;
};

// The key of every field of a profile, relative to its group ("PROFILE" in a ".prof"
// file, "PROFILE_<slot>" in a ".conf" file). Built once: a full profile has about
// 8,400 keys and they are needed on every load and save.
struct ProfileKeys : ProfileKeyShape<QString>
{
    static const ProfileKeys &instance();

private:
    ProfileKeys();
};

// For a visit that needs the fields and their order but no key names (a binary copy):
// nothing to build.
using NoProfileKeys = ProfileKeyShape<bool>;

// Calls f(key, field, defaultValue) for every stored field of a profile, in the same
// order for reading and writing. P is ProfileRecord or const ProfileRecord. The two
// lighting options belong to ".prof" files only.
enum class LedOptions
{
    Include,
    Skip
};

template <class P, class F, class Keys>
void visitProfileFields(P &p, LedOptions ledOptions, F &&f, const Keys &k)
{
    f(k.pollrate, p.pollrate, 0);
    f(k.dpi, p.dpi, 0);
    for (int i = 0; i < DPI_LEVELS; ++i) {
        auto &level = p.DPI_INFO[i];
        const auto &key = k.levels[i];
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
        const auto &key = k.buttons[b];
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
        const auto &key = k.effects[e];
        f(key.RGB, effect.RGB, 0);
        f(key.h, effect.h, 0);
        f(key.s, effect.s, 0);
        f(key.v, effect.v, 0);
        f(key.bright, effect.bright, 0);
        f(key.breath, effect.breath, 0);
    }
}

template <class P, class F>
void visitProfileFields(P &p, LedOptions ledOptions, F &&f)
{
    visitProfileFields(p, ledOptions, std::forward<F>(f), ProfileKeys::instance());
}
