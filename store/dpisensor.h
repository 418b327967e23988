// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// What the DPI rows show for the mouse's sensor: the register codes a bar covers,
// whether X and Y may be set apart, and the DPI number of a code.

struct DpiCodeRange
{
    int minimum = 1;
    int maximum = 120;
    bool linkShown = false; // the sensor takes separate X and Y resolutions
};

// Range for a sensor code ("MouseSenSor/1"). Some sensors go further on some models:
// the 3327 depends on the product name, the 3325 family on the description's
// "PROFILE/33254" switch. Unknown sensors get 1..120.
DpiCodeRange dpiCodeRange(int sensor, const QString &product, bool extended33254);

// The same for the installed product and description file.
DpiCodeRange dpiCodeRangeForInstalled(int sensor);

bool isKnownSensor(int sensor);

// DPI shown for a code. The store's conversion knows nothing of an unknown sensor and
// would show 0 everywhere; such sensors are shown at 100 DPI per code like the common
// 3311/3360 family, which matches the 1..120 range they are given.
int displayDpi(int code, int sensor);

// The code whose DPI lies nearest to `dpi` within minimum..maximum: a typed value snaps
// to the sensor's own step and never leaves the range. On a tie the lower code wins.
int snapDpiToCode(int dpi, int sensor, int minimum, int maximum);
