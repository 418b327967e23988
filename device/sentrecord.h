// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "store/configrecord.h"

// The profile set last handed to a write, as the link context keeps it
// (KestDeviceContext::sentRecord()); the slot switch takes its pointer speed from there.
// Kept for tools/ until it uses the context; to be removed then.
ConfigRecord &SentRecord();
