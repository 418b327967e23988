// SPDX-License-Identifier: GPL-2.0-or-later
// Dialog backgrounds, the progress plate with its animation, and the gun set pictures.
#include "skinstyle.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>

namespace skin {

namespace {

// Dialog plate: square corners, because the dialogs draw their own frame along the edge.
void dialogPlate(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    QLinearGradient ground(r.topLeft(), r.bottomLeft());
    ground.setColorAt(0, QColor(36, 38, 42));
    ground.setColorAt(0.2, QColor(27, 29, 32));
    ground.setColorAt(1, QColor(20, 21, 24));
    p.fillRect(r, ground);
    p.save();
    p.setClipRect(r);
    glow(p, QPointF(r.width() * 0.2, 0), r.width() * 0.45, withAlpha(c.accent, 30));
    p.restore();
    // Title band rule.
    QLinearGradient rule(r.topLeft(), r.topRight());
    rule.setColorAt(0, withAlpha(c.accent, 180));
    rule.setColorAt(0.6, withAlpha(c.accent, 40));
    rule.setColorAt(1, withAlpha(c.accent, 0));
    p.fillRect(QRectF(r.left() + 12, r.top() + 34, r.width() - 24, 1), rule);
}

constexpr QColor kPlateCentre(26, 28, 31);

void processPlate(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    const QRectF plate = r.adjusted(1, 1, -1, -1);
    QRadialGradient ground(plate.center(), plate.width() * 0.7);
    ground.setColorAt(0, kPlateCentre);
    ground.setColorAt(0.6, kPlateCentre);
    ground.setColorAt(1, QColor(16, 17, 19));
    p.setPen(QPen(withAlpha(c.accent, 150), 1.5));
    p.setBrush(ground);
    p.drawRoundedRect(plate, 18, 18);
}

void gunPlate(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    const qreal radius = 12;
    QPainterPath outline;
    outline.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    QLinearGradient ground(r.topLeft(), r.bottomLeft());
    ground.setColorAt(0, QColor(36, 38, 42));
    ground.setColorAt(0.15, QColor(26, 28, 31));
    ground.setColorAt(1, QColor(17, 18, 21));
    p.setPen(QPen(withAlpha(c.accent, 200), 1.5));
    p.setBrush(ground);
    p.drawPath(outline);
    p.save();
    p.setClipPath(outline);
    glow(p, QPointF(r.width() * 0.5, -30), 260, withAlpha(c.accent, 34));
    p.restore();
    // Title rule and the magazine well behind the shots (bullets at x 163 + 66 i, y 141).
    p.fillRect(QRectF(20, 44, r.width() - 40, 1), withAlpha(c.accent, 120));
    panel(p, QRectF(140, 126, 320, 70), 6, QColor(14, 15, 17), QColor(22, 24, 27),
          QColor(52, 56, 62));
}

void gunRail(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    const qreal y = r.center().y();
    QLinearGradient rail(r.topLeft(), r.topRight());
    rail.setColorAt(0, withAlpha(c.accent, 0));
    rail.setColorAt(0.1, withAlpha(c.accent, 160));
    rail.setColorAt(0.9, withAlpha(c.accent, 160));
    rail.setColorAt(1, withAlpha(c.accent, 0));
    p.fillRect(QRectF(r.left(), y - 1, r.width(), 2), rail);
    // One seat under each shot: shot i sits at 13 + 66 i, 9 wide.
    for (int i = 0; i < 5; ++i) {
        const qreal x = 13 + 66 * i + 4.5;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 64, 70));
        p.drawRoundedRect(QRectF(x - 8, r.bottom() - 5, 16, 4), 2, 2);
        p.setPen(QPen(QColor(90, 95, 102), 1));
        p.drawLine(QPointF(x, r.top() + 2), QPointF(x, r.top() + 6));
    }
}

void bullet(QPainter &p, const QRectF &r)
{
    // Copper tip over a brass case; 9 × 39 design.
    const qreal w = r.width();
    QPainterPath tip;
    tip.moveTo(r.left() + 0.8, r.top() + 15);
    tip.cubicTo(r.left() + 0.8, r.top() + 6, r.left() + w * 0.35, r.top() + 0.5, r.center().x(), r.top() + 0.5);
    tip.cubicTo(r.right() - w * 0.35, r.top() + 0.5, r.right() - 0.8, r.top() + 6, r.right() - 0.8, r.top() + 15);
    tip.closeSubpath();
    QLinearGradient copper(r.topLeft(), r.topRight());
    copper.setColorAt(0, QColor(140, 70, 40));
    copper.setColorAt(0.4, QColor(235, 150, 100));
    copper.setColorAt(1, QColor(120, 55, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(copper);
    p.drawPath(tip);
    QLinearGradient brass(r.topLeft(), r.topRight());
    brass.setColorAt(0, QColor(150, 115, 40));
    brass.setColorAt(0.4, QColor(245, 215, 120));
    brass.setColorAt(1, QColor(130, 95, 30));
    p.setBrush(brass);
    p.drawRect(QRectF(r.left() + 0.5, r.top() + 15, w - 1, r.height() - 19));
    p.drawRoundedRect(QRectF(r.left(), r.bottom() - 4, w, 4), 1, 1);
    p.fillRect(QRectF(r.left() + 0.5, r.bottom() - 5, w - 1, 1), QColor(90, 65, 20));
}

} // namespace

void drawLoadingFrame(QPainter &p, const QRectF &r, int frame, int count)
{
    const Palette &c = palette();
    const QPointF centre = r.center();
    p.setPen(Qt::NoPen);
    p.setBrush(kPlateCentre);
    p.drawEllipse(centre, 46, 46);
    // Twelve ticks with a bright head that walks round; the tail fades out.
    const int ticks = 12;
    const double head = double(frame) / count * ticks;
    for (int i = 0; i < ticks; ++i) {
        double behind = head - i;
        while (behind < 0)
            behind += ticks;
        const double strength = qMax(0.0, 1.0 - behind / (ticks * 0.75));
        QColor tick = mix(QColor(60, 64, 70), c.accent, strength);
        p.save();
        p.translate(centre);
        p.rotate(360.0 * i / ticks);
        p.setPen(stroke(tick, 5));
        p.drawLine(QPointF(0, -36), QPointF(0, -24));
        p.restore();
    }
}

void addDialogPictures(std::function<void(const QString &, Painter)> add)
{
    add(QStringLiteral("dlg.png"), dialogPlate);
    add(QStringLiteral("process.png"), processPlate);
    add(QStringLiteral("dlg_gun.png"), gunPlate);
    add(QStringLiteral("gunset_slider.png"), gunRail);
    add(QStringLiteral("gunset_bullet.png"), bullet);
}

} // namespace skin
