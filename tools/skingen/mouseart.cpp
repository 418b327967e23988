// SPDX-License-Identifier: GPL-2.0-or-later
// The sample model seen from above and from its left side, 300 × 400 design, front up.
// The button shapes here match kMouseButtonAnchors in widgets/kestskinnames.h.
#include "skinstyle.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace skin {

namespace {

const QColor kShellDark(22, 23, 26);
const QColor kShellLight(52, 55, 61);
const QColor kGroove(8, 9, 10);

QPainterPath bodyOutline()
{
    // Right half first, then the mirror image: a slightly waisted shell, wider at the back.
    QPainterPath path;
    path.moveTo(150, 26);
    path.cubicTo(196, 26, 217, 44, 219, 74);
    path.cubicTo(222, 112, 211, 146, 213, 176);
    path.cubicTo(215, 214, 236, 246, 235, 292);
    path.cubicTo(234, 352, 196, 386, 150, 386);
    path.cubicTo(104, 386, 66, 352, 65, 292);
    path.cubicTo(64, 246, 85, 214, 87, 176);
    path.cubicTo(89, 146, 78, 112, 81, 74);
    path.cubicTo(83, 44, 104, 26, 150, 26);
    path.closeSubpath();
    return path;
}

QPainterPath mainButtonRegion(bool left)
{
    QPainterPath region;
    region.moveTo(0, 0);
    region.lineTo(149, 0);
    region.lineTo(149, 46);
    region.lineTo(137, 52);
    region.lineTo(137, 190);
    region.quadTo(104, 186, 60, 216);
    region.lineTo(0, 216);
    region.closeSubpath();
    if (!left) {
        QTransform mirror;
        mirror.translate(300, 0);
        mirror.scale(-1, 1);
        region = mirror.map(region);
    }
    return bodyOutline().intersected(region);
}

QPainterPath wheelShape()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(141, 60, 18, 60), 8, 8);
    return path;
}

QPainterPath sideButtonShape(int which) // 0 forward (front), 1 back
{
    QPainterPath path;
    path.addRoundedRect(QRectF(-7, -22, 14, 44), 7, 7);
    QTransform place;
    if (which == 0) {
        place.translate(86, 178);
        place.rotate(-3);
    } else {
        place.translate(80, 226);
        place.rotate(-12);
    }
    return place.map(path);
}

QPainterPath dpiShape()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(142, 135, 16, 28), 5, 5);
    return path;
}

QPainterPath lightShape()
{
    QPainterPath path;
    path.addEllipse(QPointF(150, 206), 8, 8);
    return path;
}

QPainterPath buttonShape(int button) // 1-based marker number
{
    switch (button) {
    case 1: return mainButtonRegion(true);
    case 2: return mainButtonRegion(false);
    case 3: return wheelShape();
    case 4: return sideButtonShape(0);
    case 5: return sideButtonShape(1);
    case 6: return dpiShape();
    case 7: return lightShape();
    default: return QPainterPath();
    }
}

void shell(QPainter &p, const QPainterPath &path, const QPointF &light, qreal reach)
{
    QRadialGradient fill(light, reach);
    fill.setColorAt(0, kShellLight);
    fill.setColorAt(0.55, QColor(34, 36, 40));
    fill.setColorAt(1, kShellDark);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

void lit(QPainter &p, const QPainterPath &shape)
{
    const Palette &c = palette();
    const QRectF box = shape.boundingRect();
    p.save();
    glow(p, box.center(), qMax(box.width(), box.height()) * 0.9, withAlpha(c.accent, 70));
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, withAlpha(c.accent.lighter(130), 230));
    fill.setColorAt(1, withAlpha(c.accent.darker(130), 200));
    p.setBrush(fill);
    p.setPen(QPen(c.accent.lighter(160), 1.6));
    p.drawPath(shape);
    p.restore();
}

void groove(QPainter &p, const QPainterPath &path)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGroove, 2.2));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 16), 0.8));
    p.drawPath(path.translated(0.8, 1.2));
}

void wheel(QPainter &p)
{
    const Palette &c = palette();
    // Channel, then the rubber tyre with its ridges and a lit rim.
    p.setPen(Qt::NoPen);
    p.setBrush(kGroove);
    p.drawRoundedRect(QRectF(137, 50, 26, 78), 10, 10);
    glow(p, QPointF(150, 90), 26, withAlpha(c.accent, 90));
    QLinearGradient tyre(QPointF(141, 0), QPointF(159, 0));
    tyre.setColorAt(0, QColor(28, 29, 32));
    tyre.setColorAt(0.5, QColor(78, 82, 88));
    tyre.setColorAt(1, QColor(28, 29, 32));
    p.setBrush(tyre);
    p.drawPath(wheelShape());
    p.setPen(QPen(QColor(18, 19, 21), 1.2));
    for (qreal y = 66; y < 116; y += 5)
        p.drawLine(QPointF(143, y), QPointF(157, y));
    p.setPen(QPen(withAlpha(c.accent, 170), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(140.5, 59.5, 19, 61), 8.5, 8.5);
}

enum class Mark { None, Dpi, Light };

void smallButton(QPainter &p, const QPainterPath &shape, Mark mark = Mark::None)
{
    const QRectF box = shape.boundingRect();
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0, QColor(70, 74, 80));
    face.setColorAt(1, QColor(36, 38, 42));
    p.setPen(QPen(kGroove, 1.6));
    p.setBrush(face);
    p.drawPath(shape);
    p.setPen(stroke(QColor(190, 194, 200), 1.3));
    const QPointF m = box.center();
    if (mark == Mark::Dpi) {
        // Three steps of growing dots: the level switch.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 194, 200));
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(m + QPointF(0, 7 - 7 * i), 1.0 + 0.5 * i, 1.0 + 0.5 * i);
    } else if (mark == Mark::Light) {
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(m, 3, 3);
        p.drawLine(m + QPointF(0, -3), m + QPointF(0, 0));
    }
}

void drawTop(QPainter &p, int litButton)
{
    const Palette &c = palette();
    const QPainterPath body = bodyOutline();

    // Cast shadow under the shell.
    p.save();
    p.translate(0, 8);
    for (int i = 6; i > 0; --i) {
        p.setPen(QPen(QColor(0, 0, 0, 14), i * 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(body);
    }
    p.restore();

    shell(p, body, QPointF(150, 230), 210);
    // Rim light on the flanks.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1.2));
    p.drawPath(body);

    // Main buttons are a shade lighter so the seam reads.
    shell(p, mainButtonRegion(true), QPointF(120, 60), 170);
    shell(p, mainButtonRegion(false), QPointF(180, 60), 170);
    groove(p, mainButtonRegion(true));
    groove(p, mainButtonRegion(false));

    wheel(p);
    smallButton(p, dpiShape(), Mark::Dpi);
    smallButton(p, lightShape(), Mark::Light);
    for (int side = 0; side < 2; ++side)
        smallButton(p, sideButtonShape(side));

    // Palm logo: an accent chevron with its glow, and light strips along the rear flanks.
    glow(p, QPointF(150, 300), 40, withAlpha(c.accent, 80));
    p.setPen(stroke(c.accent, 4));
    p.drawPolyline(poly({QPointF(130, 288), QPointF(150, 308), QPointF(170, 288)}));
    p.setPen(stroke(c.accent.lighter(150), 1.4));
    p.drawPolyline(poly({QPointF(130, 288), QPointF(150, 308), QPointF(170, 288)}));
    QPainterPath strips;
    strips.moveTo(78, 300);
    strips.cubicTo(82, 340, 110, 372, 138, 378);
    strips.moveTo(222, 300);
    strips.cubicTo(218, 340, 190, 372, 162, 378);
    p.setPen(stroke(withAlpha(c.accent, 90), 6));
    p.drawPath(strips);
    p.setPen(stroke(c.accent, 1.6));
    p.drawPath(strips);

    // Soft top highlight that gives the shell its curve.
    QRadialGradient sheen(QPointF(150, 200), 90);
    sheen.setColorAt(0, QColor(255, 255, 255, 22));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawPath(body);

    if (litButton > 0)
        lit(p, buttonShape(litButton));
}

void drawLeftSide(QPainter &p)
{
    const Palette &c = palette();
    // Front up; the base is the straight edge on the right, the shell bulges to the left
    // and is highest behind the middle, where the palm rests.
    QPainterPath shellPath;
    shellPath.moveTo(196, 28);
    shellPath.cubicTo(170, 30, 150, 60, 140, 110);
    shellPath.cubicTo(126, 180, 92, 220, 90, 282);
    shellPath.cubicTo(88, 340, 130, 384, 196, 386);
    shellPath.lineTo(206, 380);
    shellPath.lineTo(206, 36);
    shellPath.closeSubpath();

    p.save();
    p.translate(4, 8);
    for (int i = 6; i > 0; --i) {
        p.setPen(QPen(QColor(0, 0, 0, 14), i * 3));
        p.drawPath(shellPath);
    }
    p.restore();

    QLinearGradient fill(QPointF(90, 0), QPointF(206, 0));
    fill.setColorAt(0, kShellLight);
    fill.setColorAt(0.45, QColor(36, 38, 42));
    fill.setColorAt(1, kShellDark);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1.2));
    p.setBrush(fill);
    p.drawPath(shellPath);

    // Skirt: the darker lower band with the grip texture.
    QPainterPath skirt;
    skirt.moveTo(206, 60);
    skirt.cubicTo(184, 80, 176, 140, 172, 200);
    skirt.cubicTo(168, 280, 176, 350, 200, 382);
    skirt.lineTo(206, 380);
    skirt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(17, 18, 20));
    p.drawPath(skirt);
    p.save();
    p.setClipPath(skirt);
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (qreal y = 60; y < 400; y += 5)
        p.drawLine(QPointF(160, y), QPointF(210, y - 12));
    p.restore();

    // Main button edge and wheel on the top line.
    groove(p, [] {
        QPainterPath seam;
        seam.moveTo(141, 104);
        seam.cubicTo(156, 150, 170, 188, 178, 214);
        return seam;
    }());
    p.setPen(Qt::NoPen);
    // The wheel shows just above the shell line, lit by the accent from inside.
    glow(p, QPointF(150, 84), 22, withAlpha(c.accent, 90));
    QLinearGradient tyre(QPointF(140, 0), QPointF(156, 0));
    tyre.setColorAt(0, QColor(78, 82, 88));
    tyre.setColorAt(1, QColor(28, 29, 32));
    p.setPen(QPen(withAlpha(c.accent, 170), 1));
    p.setBrush(tyre);
    p.drawEllipse(QPointF(149, 84), 7.5, 22);

    // Highlight along the top line of the shell.
    QPainterPath ridge;
    ridge.moveTo(190, 32);
    ridge.cubicTo(166, 38, 150, 70, 141, 112);
    ridge.cubicTo(128, 178, 96, 222, 94, 282);
    p.setPen(stroke(QColor(255, 255, 255, 36), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(ridge);

    // Side buttons: forward (front) and back.
    for (int i = 0; i < 2; ++i) {
        QPainterPath capsule;
        capsule.addRoundedRect(QRectF(-9, -30, 18, 60), 9, 9);
        QTransform place;
        place.translate(i == 0 ? 150 : 138, i == 0 ? 168 : 238);
        place.rotate(i == 0 ? 16 : 8);
        smallButton(p, place.map(capsule));
    }

    // Accent strip along the skirt edge and the feet on the base.
    QPainterPath strip;
    strip.moveTo(196, 70);
    strip.cubicTo(178, 110, 170, 170, 168, 220);
    strip.cubicTo(166, 290, 174, 346, 194, 378);
    p.setPen(stroke(withAlpha(c.accent, 90), 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(strip);
    p.setPen(stroke(c.accent, 1.6));
    p.drawPath(strip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 212, 216));
    p.drawRoundedRect(QRectF(205, 48, 4, 40), 2, 2);
    p.drawRoundedRect(QRectF(205, 320, 4, 48), 2, 2);
}

} // namespace

void drawMouseFront(QPainter &p, const QRectF &r, int litButton)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 300.0, r.height() / 400.0);
    drawTop(p, litButton);
    p.restore();
}

void drawMouseSide(QPainter &p, const QRectF &r)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 300.0, r.height() / 400.0);
    drawLeftSide(p);
    p.restore();
}

} // namespace skin
