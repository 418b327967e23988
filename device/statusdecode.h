// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

#include "store/configrecord.h"

// The mouse's wire values as the rest of the program wants them. Every face (window, bus,
// tray, notices, the command-line tool) decodes through these, so a new rate or a change in
// the battery bytes is taught in one place.
namespace statusdecode {

// Report-rate code (the interval in milliseconds on the wire: 8, 4, 2, 1) to Hz; 0 for a
// code the mouse does not use. The profile files keep the same code, so the store decodes it.
using ::rateCodeToHz;

struct Battery
{
    int percent = -1;      // 1..100; -1 when not known (switched off, on the cable, no report)
    bool charging = false; // charging, or powered by the cable
    bool off = false;      // the mouse reported level 0: switched off, even while charging
};
// The reader's bytes (charge flag, level) with the cable's presence: the cable powers the
// mouse and hides its level.
Battery decodeBattery(quint8 charge, quint8 level, bool cable);

// The DPI level the mouse reports, clamped to the eight levels a profile holds.
int dpiLevel(int reported);
// The active DPI level of a profile, 0-based.
int dpiLevel(const ProfileRecord &profile);

} // namespace statusdecode
