// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include "store/configrecord.h"

// The slot whose lighting the mouse shows, which is also the one the lighting panel edits:
// slot 0 for the KX-27, which keeps one lighting for all its slots; the current slot
// (ProfileID, clamped) for every other product. The panel and the write both ask here, so
// what the user edits is what the mouse receives.
int lightingSlotIndex(const ConfigRecord &config, const QString &product);
