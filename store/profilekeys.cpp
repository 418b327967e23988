// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/profilekeys.h"

#include <QStringBuilder>

const ProfileKeys &ProfileKeys::instance()
{
    static const ProfileKeys keys;
    return keys;
}

ProfileKeys::ProfileKeys()
{
    pollrate = QStringLiteral("pollrate");
    dpi = QStringLiteral("dpi");
    LedMode = QStringLiteral("LedMode");
    LedMoveOFF = QStringLiteral("LedMoveOFF");
    LedSleepTime = QStringLiteral("LedSleepTime");
    mousespeed = QStringLiteral("mousespeed");
    dbclickspeed = QStringLiteral("dbclickspeed");
    scrollispage = QStringLiteral("scrollispage");
    scrollspeed = QStringLiteral("scrollspeed");
    accelenable = QStringLiteral("accelenable");
    acee = QStringLiteral("acee");
    ProfileName = QStringLiteral("ProfileName");
    ProfilePath = QStringLiteral("ProfilePath");
    // About 8,400 keys, built once per process before the first profile is read: each in
    // one allocation (QStringBuilder) rather than a string grown piece by piece.
    for (int i = 0; i < DPI_LEVELS; ++i) {
        const QString base = QLatin1String("DPI_INFO_") % QString::number(i) % QLatin1Char('_');
        levels[i] = {base % QLatin1String("used"), base % QLatin1String("link"), base % QLatin1String("xy"),
                     base % QLatin1String("x"), base % QLatin1String("y")};
    }
    for (int b = 0; b < BUTTON_SLOTS; ++b) {
        const QString base = QLatin1String("BUTTON_INFO_") % QString::number(b) % QLatin1Char('_');
        Button &button = buttons[b];
        button.ID = base % QLatin1String("ID");
        button.Fun = base % QLatin1String("Fun");
        button.LoopNumber = base % QLatin1String("LoopNumber");
        button.KeyNumber = base % QLatin1String("KeyNumber");
        button.Res1 = base % QLatin1String("Res1");
        button.Res2 = base % QLatin1String("Res2");
        button.Res3 = base % QLatin1String("Res3");
        button.Res4 = base % QLatin1String("Res4");
        button.macroname = base % QLatin1String("macroname");
        for (int s = 0; s < KEY_STEPS; ++s) {
            // The key of the low byte really ends in an underscore.
            const QString step = base % QLatin1String("KeyInfo_") % QString::number(s) % QLatin1Char('_');
            button.steps[s] = {step % QLatin1String("map"), step, step % QLatin1String("H")};
        }
    }
    for (int e = 0; e < LED_EFFECTS; ++e) {
        const QString base = QLatin1String("LedMode/LED_MODE_") % QString::number(e) % QLatin1Char('_');
        effects[e] = {base % QLatin1String("RGB"),    base % QLatin1String("h"),
                      base % QLatin1String("s"),      base % QLatin1String("v"),
                      base % QLatin1String("bright"), base % QLatin1String("breath")};
    }
}
