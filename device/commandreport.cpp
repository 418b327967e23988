// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/commandreport.h"

#include <cstring>

quint8 Checksum(const quint8 *bytes, int count)
{
    quint8 area[31] = {};
    const int used = qBound(0, count, 31);
    if (used > 0)
        std::memcpy(area, bytes, size_t(used));
    unsigned sum = 0;
    for (quint8 b : area)
        sum += b;
    return quint8(~sum & 0xFF);
}
