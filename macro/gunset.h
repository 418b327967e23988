// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QString>
#include <QVector>

#include "macro/macrostep.h"

struct GunShot
{
    int delayMs = 100;  // 1..999
    int horizontal = 0; // -100..100, negative is left
    int vertical = 0;   // -100..100, negative is up
};

constexpr int kGunShotCount = 5;
// The recoil macro counts its delays in fixed 10 ms units, whatever the device says.
constexpr int kGunDelayUnitMs = 10;

// Per shot: left release, left press, the corrections as moves, then the delay.
MacroSteps gunsetSteps(const QVector<GunShot> &shots);

// name itself when it is free, else name + "_1", "_2", ... (the first free one).
QString firstFreeName(const QString &name, const std::function<bool(const QString &)> &taken);
