// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/colorareas.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace {
constexpr int kFullHue = 360;
constexpr int kFull = 255;
constexpr int kHueStops = 16;
const QColor kFrame(100, 100, 100);
} // namespace

// ---- HColorArea ----

HColorArea::HColorArea(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void HColorArea::setStripHeight(int pixels, int margin)
{
    m_stripHeight = qMax(1, pixels);
    m_margin = qMax(0, margin);
    update();
}

void HColorArea::setHue(int hue)
{
    m_hue = qBound(0, hue, kFullHue);
    update();
}

int HColorArea::hueAt(int y) const
{
    const double f = qBound(0.0, 1.0 - double(y - m_margin) / m_stripHeight, 1.0);
    return static_cast<int>(f * kFullHue);
}

void HColorArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF strip(width() * 0.2, m_margin, width() * 0.6, m_stripHeight);
    QLinearGradient gradient(strip.topLeft(), strip.bottomLeft());
    // Top is hue 360 (= 0), running down through the wheel to 0 at the bottom.
    for (int i = 0; i < kHueStops; ++i)
        gradient.setColorAt(double(i) / kHueStops,
                           QColor::fromHsv((kFullHue - kFullHue * i / kHueStops) % kFullHue, kFull, kFull));
    gradient.setColorAt(1.0, QColor::fromHsv(0, kFull, kFull));
    painter.fillRect(strip, gradient);
    painter.setPen(kFrame);
    painter.drawRect(strip);

    // Two small triangles either side of the strip at the current hue.
    const double y = m_margin + (1.0 - double(m_hue) / kFullHue) * m_stripHeight;
    const double a = qMax(5.0, width() * 0.3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawPolygon(QPolygonF({QPointF(0, y - a / 2), QPointF(a, y), QPointF(0, y + a / 2)}));
    painter.drawPolygon(QPolygonF({QPointF(width(), y - a / 2), QPointF(width() - a, y),
                                   QPointF(width(), y + a / 2)}));
}

void HColorArea::mousePressEvent(QMouseEvent *event)
{
    setHue(hueAt(event->pos().y()));
    emit hueChanged(m_hue);
}

void HColorArea::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        mousePressEvent(event);
}

// ---- SVColorArea ----

SVColorArea::SVColorArea(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::CrossCursor);
}

void SVColorArea::setSide(int pixels)
{
    m_side = qMax(1, pixels);
    update();
}

void SVColorArea::setHsv(int hue, int saturation, int value)
{
    m_hue = hue;
    m_saturation = qBound(0, saturation, kFull);
    m_value = qBound(0, value, kFull);
    update();
}

QPoint SVColorArea::svAt(const QPoint &pos) const
{
    // The square's pixels map onto the full 0..255 scales, whatever its size on screen.
    const int x = qBound(0, pos.x(), m_side);
    const int y = qBound(0, pos.y(), m_side);
    return QPoint(qRound(double(x) * kFull / m_side), qRound(double(m_side - y) * kFull / m_side));
}

void SVColorArea::setHue(int hue)
{
    m_hue = hue;
    update();
}

void SVColorArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect square(0, 0, m_side, m_side);
    QLinearGradient saturation(0, 0, m_side, 0);
    saturation.setColorAt(0, QColor(255, 255, 255));
    saturation.setColorAt(1, QColor::fromHsv(m_hue % kFullHue, kFull, kFull));
    painter.fillRect(square, saturation);
    QLinearGradient value(0, 0, 0, m_side);
    value.setColorAt(0, QColor(0, 0, 0, 0));
    value.setColorAt(1, QColor(0, 0, 0, 255));
    painter.fillRect(square, value);

    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF at(double(m_saturation) * m_side / kFull, m_side - double(m_value) * m_side / kFull);
    const double radius = qMax(4.0, m_side * 6.0 / 128.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0), 1.5));
    painter.drawEllipse(at, radius + 1, radius + 1);
    painter.setPen(QPen(QColor(255, 255, 255), 1.5));
    painter.drawEllipse(at, radius, radius);
}

void SVColorArea::pick(const QPoint &pos)
{
    const QPoint sv = svAt(pos);
    setHsv(m_hue, sv.x(), sv.y());
    emit hsvChanged(m_hue, m_saturation, m_value);
}

void SVColorArea::mousePressEvent(QMouseEvent *event)
{
    pick(event->pos());
}

void SVColorArea::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        pick(event->pos());
}

// ---- PreviewColorArea ----

PreviewColorArea::PreviewColorArea(QWidget *parent) : QWidget(parent) {}

void PreviewColorArea::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void PreviewColorArea::setHsv(int hue, int saturation, int value)
{
    setColor(QColor::fromHsv(hue % kFullHue, saturation, value));
}

void PreviewColorArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    painter.setPen(kFrame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- DefaultColorArea ----

DefaultColorArea::DefaultColorArea(const QColor &color, QWidget *parent)
    : QWidget(parent), m_color(color)
{
    setCursor(Qt::PointingHandCursor);
}

void DefaultColorArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kFrame, 1));
    painter.setBrush(m_color);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

void DefaultColorArea::mousePressEvent(QMouseEvent *)
{
    emit clicked(m_color);
}
