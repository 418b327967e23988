// SPDX-License-Identifier: GPL-2.0-or-later
#include "skinstyle.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace skin {

namespace {
Palette g_palette{QColor(255, 0, 0)};
}

const Palette &palette()
{
    return g_palette;
}

void setAccent(const QColor &accent)
{
    g_palette.accent = accent;
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t,
                            a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void panel(QPainter &p, const QRectF &r, qreal radius, const QColor &top, const QColor &bottom,
           const QColor &border, qreal borderWidth)
{
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    const qreal inset = borderWidth / 2;
    const QRectF inner = r.adjusted(inset, inset, -inset, -inset);
    p.setPen(borderWidth > 0 ? QPen(border, borderWidth) : QPen(Qt::NoPen));
    p.setBrush(fill);
    if (radius > 0)
        p.drawRoundedRect(inner, radius, radius);
    else
        p.drawRect(inner);
}

QPen stroke(const QColor &color, qreal width)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPolygonF poly(std::initializer_list<QPointF> points)
{
    return QPolygonF(QVector<QPointF>(points));
}

void glow(QPainter &p, const QPointF &centre, qreal radius, const QColor &color)
{
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0, color);
    gradient.setColorAt(1, withAlpha(color, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(centre, radius, radius);
}

} // namespace skin
