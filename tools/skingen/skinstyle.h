// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <initializer_list>

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>

// Shared colours and drawing helpers of the generated skin: one dark look, lit by the
// accent colour.
namespace skin {

struct Palette
{
    QColor accent;
    QColor deep{14, 15, 17};     // window ground
    QColor panel{27, 29, 32};    // panels and dialogs
    QColor raised{37, 40, 44};   // buttons, fields
    QColor line{58, 62, 68};     // borders
    QColor glyph{178, 182, 188}; // icons at rest
    QColor bright{235, 237, 240};
};

const Palette &palette();
void setAccent(const QColor &accent);

QColor withAlpha(QColor color, int alpha);
QColor mix(const QColor &a, const QColor &b, double t); // t = 0 gives a

// A painter function draws one picture into its design rectangle (0, 0, w, h); the
// generator has already scaled the painter by the picture's density.
using Painter = std::function<void(QPainter &, const QRectF &)>;

// Rounded panel with a top-lit gradient and a hairline border.
void panel(QPainter &p, const QRectF &r, qreal radius, const QColor &top, const QColor &bottom,
           const QColor &border, qreal borderWidth = 1.0);
// Pen with round caps and joins, the usual icon stroke.
QPen stroke(const QColor &color, qreal width);
QPolygonF poly(std::initializer_list<QPointF> points);
// Soft radial glow, used behind lit icons.
void glow(QPainter &p, const QPointF &centre, qreal radius, const QColor &color);

// Picture families; each registers its pictures by file name (relative to skin/).
void addChromePictures(std::function<void(const QString &, Painter)> add);
void addIconPictures(std::function<void(const QString &, Painter)> add);
void addDialogPictures(std::function<void(const QString &, Painter)> add);

// Mouse pictures of one product, 300 × 400 design: front view, optionally with one
// button (1-based) lit, and the side view.
void drawMouseFront(QPainter &p, const QRectF &r, int litButton);
void drawMouseSide(QPainter &p, const QRectF &r);

// The loading animation: frame i of count, 128 × 128 design, on an opaque disc that
// matches the middle of process.png (GIF has no partial transparency).
void drawLoadingFrame(QPainter &p, const QRectF &r, int frame, int count);
void drawYesIcon(QPainter &p, const QRectF &r);
void drawNoIcon(QPainter &p, const QRectF &r);

} // namespace skin
