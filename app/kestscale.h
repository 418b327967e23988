// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>

class QScreen;

// Every window is laid out on a 999 x 640 design canvas and scaled by one factor,
// chosen in quarter steps from the screen's logical DPI.
namespace KestScale {

inline constexpr int kCanvasWidth = 999;
inline constexpr int kCanvasHeight = 640;
inline constexpr int kMaxStep = 16;

// Step 0..16 for a logical DPI (96 = ratio 1.0).
int stepForDpi(double logicalDpi);
// 1.0 + 0.25 x step.
double factorForStep(int step);
// The step for a screen; step 0 without one.
int stepForScreen(const QScreen *screen);
// The canvas at that factor, fractions dropped.
QSize canvasSize(double factor);

} // namespace KestScale
