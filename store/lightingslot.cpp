// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/lightingslot.h"

int lightingSlotIndex(const ConfigRecord &config, const QString &product)
{
    return product == QLatin1String("KX-27") ? 0 : activeSlotIndex(config);
}
