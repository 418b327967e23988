// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "store/configrecord.h"

// A fresh install holds no sensor options yet, and a missing key would read as 0: each
// option the settings file does not hold is taken from the device description into
// `record`. True when any was taken (the caller then saves them).
bool takeDescribedSensorOptions(ConfigRecord &record);
