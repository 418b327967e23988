// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>

#include "store/kestrgb.h"

// Between the store's colour and the toolkit's, where a colour is drawn or picked. Header
// only, so that a program with the GUI library but without the widget kit can use it too.

inline QColor toQColor(const KestRgb &rgb)
{
    return rgb.isValid() ? QColor(rgb.red(), rgb.green(), rgb.blue()) : QColor();
}

// A colour picked in another model is taken as the RGB bytes it shows.
inline KestRgb toKestRgb(const QColor &color)
{
    if (!color.isValid())
        return KestRgb();
    const QColor rgb = color.toRgb();
    return KestRgb(rgb.red(), rgb.green(), rgb.blue());
}
