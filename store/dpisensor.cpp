// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/dpisensor.h"

#include <cstdlib>
#include <utility>

#include "store/appsettings.h"
#include "store/configrecord.h"
#include "store/devicedescription.h"

namespace {

struct SensorRange
{
    int sensor;
    int minimum;
    int maximum;
    bool linkShown;
};

constexpr SensorRange kRanges[] = {
    {3325, 1, 50, false},   {33252, 1, 75, false},  {3311, 1, 120, false},
    {33112, 1, 180, false}, {3360, 1, 180, true},   {3370, 1, 290, false},
    {3327, 1, 106, false},  {3389, 2, 480, true},   {3212, 16, 111, false},
    {3104, 14, 105, true},  {31042, 14, 158, true}, {3335, 1, 160, false},
    {33352, 1, 240, false}, {3333, 2, 120, false},  {3399, 0, 599, true},
    {3395, 0, 519, false},  {33952, 0, 779, false},
};

// Models whose 3327 firmware stops at 12400 DPI.
constexpr const char *kShort3327Products[] = {"KX-25", "KX-03", "KX-26", "KX-07", "KX-08",
                                              "KX-10", "KX-20", "KX-21", "KX-22"};

constexpr int kFallbackSensor = 3311;

const SensorRange *findRange(int sensor)
{
    for (const SensorRange &range : kRanges) {
        if (range.sensor == sensor)
            return &range;
    }
    return nullptr;
}

} // namespace

bool isKnownSensor(int sensor)
{
    return findRange(sensor) != nullptr;
}

DpiCodeRange dpiCodeRange(int sensor, const QString &product, bool extended33254)
{
    DpiCodeRange result;
    const SensorRange *known = findRange(sensor);
    if (!known)
        return result;
    result.minimum = known->minimum;
    result.maximum = known->maximum;
    result.linkShown = known->linkShown;
    if ((sensor == 3325 || sensor == 33252) && extended33254)
        result.maximum = 90;
    if (sensor == 3327) {
        for (const char *name : kShort3327Products) {
            if (product == QLatin1String(name))
                result.maximum = 92;
        }
    }
    return result;
}

DpiCodeRange dpiCodeRangeForInstalled(int sensor)
{
    return dpiCodeRange(sensor, readProductName(), readDpiRange33254() == 1);
}

int displayDpi(int code, int sensor)
{
    return dpiCodeToDpi(code, isKnownSensor(sensor) ? sensor : kFallbackSensor);
}

int snapDpiToCode(int dpi, int sensor, int minimum, int maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    // The conversions are not all linear (some sensors round to their own grid), so the
    // codes are searched rather than the formula inverted; there are at most a few hundred.
    int best = minimum;
    int bestDistance = std::abs(displayDpi(minimum, sensor) - dpi);
    for (int code = minimum + 1; code <= maximum; ++code) {
        const int distance = std::abs(displayDpi(code, sensor) - dpi);
        if (distance < bestDistance) {
            best = code;
            bestDistance = distance;
        }
    }
    return best;
}
