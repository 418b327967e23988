// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestscale.h"

#include <array>

#include <QScreen>

namespace KestScale {

int stepForDpi(double logicalDpi)
{
    // Upper bounds of the ratio to 96 DPI for steps 0..15; anything above is step 16.
    static constexpr std::array<double, kMaxStep> bounds = {
        1.1, 1.4, 1.6, 1.8, 2.1, 2.3, 2.6, 2.8, 3.1, 3.3, 3.6, 3.8, 4.1, 4.3, 4.6, 4.8};
    const double ratio = logicalDpi / 96.0;
    for (int step = 0; step < kMaxStep; ++step) {
        if (ratio < bounds[step])
            return step;
    }
    return kMaxStep;
}

double factorForStep(int step)
{
    return 1.0 + 0.25 * qBound(0, step, kMaxStep);
}

int stepForScreen(const QScreen *screen)
{
    return screen ? stepForDpi(screen->logicalDotsPerInch()) : 0;
}

QSize canvasSize(double factor)
{
    return QSize(int(kCanvasWidth * factor), int(kCanvasHeight * factor));
}

} // namespace KestScale
