// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/statusdecode.h"

#include "store/configrecord.h"

namespace statusdecode {

Battery decodeBattery(quint8 charge, quint8 level, bool cable)
{
    Battery battery;
    battery.off = level == 0;
    battery.charging = charge != 0 || cable;
    if (level != 0 && !cable)
        battery.percent = qMin(int(level), 100);
    return battery;
}

int dpiLevel(int reported)
{
    return qBound(0, reported, DPI_LEVELS - 1);
}

int dpiLevel(const ProfileRecord &profile)
{
    return activeDpiIndex(profile);
}

} // namespace statusdecode
