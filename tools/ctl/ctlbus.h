// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTextStream>

#include "tools/ctl/ctloptions.h"

// While the utility runs it owns the mouse and the settings: status, select-slot, apply,
// get and set go through its session-bus interface instead of opening the device a second
// time or writing files under the window.
constexpr int kNoUtilityOnBus = -1;

// The exit status of the command done through the running utility, or kNoUtilityOnBus
// when there is none (or the command does not go that way): then talk to the mouse.
int runThroughUtility(const CtlOptions &options, QTextStream &out, QTextStream &err);
