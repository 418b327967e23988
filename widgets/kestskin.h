// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>

// Process-wide look of the skinned interface: where the pictures live, how far the design
// canvas is scaled, the accent colour and the colour mode. The main window sets the values
// once it knows them; everything else only reads them.

// Application directory + "/skin/" + name ("close-1.png", "mouse/KX-27/Mouse.png").
QString skinPath(const QString &name);

// The picture at a full path, decoded once per file and shared by every widget that shows
// it; null when the file is missing or unreadable.
QPixmap skinPicture(const QString &path);

// The picture at a full path, decoded now unless prefetchSkinPictures() has it, and not
// kept: for a large picture shown once, scaled (the mouse).
QPixmap takeSkinPicture(const QString &path);

// Starts decoding the pictures a start shows first on a thread of their own, at once, so
// that the work overlaps the rest of the start; skinPicture() and takeSkinPicture() take
// them from there (waiting for one still on its way). Full paths; call as soon as they are
// known.
void prefetchSkinPictures(const QStringList &paths);

// 1.0 until the main window has measured the screen; 1.0 to 5.0 in steps of 0.25.
double scaleFactor();
void setScaleFactor(double factor);
// A design-canvas length at the current scale, the fraction dropped.
int scaled(int designPixels);
int scaled(double designPixels);

// Accent colour ("Config/GColorID"). Read from the settings at first use until a setter
// call fixes it.
QColor themeColor();
void setThemeColor(const QColor &color);

// "PROFILE/ColorMode" of the device description: 0 light texts on dark pictures,
// non-zero dark texts on light hover pictures.
int colorMode();
void setColorMode(int mode);

// The font of the current language at the current scale: family "FONT_LIST/FONT_%d" and
// pixel size "FONT_LIST/FONT_SIZE_%d" times the scale factor. A fixed size, when given
// (> 0), replaces the configured size; the decrement is taken off before scaling. Missing
// keys fall back to the application's default family and kFallbackFontPixels.
constexpr int kFallbackFontPixels = 12;
QFont languageFont(int fixedPixelSize = 0, int decrement = 0);

// Style sheet of every popup menu, built on the accent colour.
QString menuStyleSheet(const QColor &accent);
QString menuStyleSheet(); // with themeColor()
// Tool tips in the skin's colours instead of the platform's yellow box.
QString toolTipStyleSheet(const QColor &accent);

// Compiles the ":/skin/loading.gif" resource into a static link; call once from main()
// (the application and tests that need the animation).
void initWidgetResources();
