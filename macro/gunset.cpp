// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/gunset.h"

MacroSteps gunsetSteps(const QVector<GunShot> &shots)
{
    MacroSteps steps;
    for (const GunShot &shot : shots) {
        steps.append({MACRO_MOUSE_UP, 0, 1});
        steps.append({MACRO_MOUSE_DOWN, 0, 1});
        // Corrections go out as raw signed bytes: the dialog's range keeps them at ±100.
        if (shot.horizontal != 0)
            steps.append({MACRO_MOVE, quint8(shot.horizontal & 0xFF), 0});
        if (shot.vertical != 0)
            steps.append({MACRO_MOVE, 0, quint8(shot.vertical & 0xFF)});
        if (shot.delayMs != 0)
            steps.append(delayStep(shot.delayMs / kGunDelayUnitMs));
    }
    return steps;
}

QString firstFreeName(const QString &name, const std::function<bool(const QString &)> &taken)
{
    if (!taken(name))
        return name;
    for (int i = 1;; ++i) {
        const QString candidate = QStringLiteral("%1_%2").arg(name).arg(i);
        if (!taken(candidate))
            return candidate;
    }
}
