// SPDX-License-Identifier: GPL-2.0-or-later
// Line icons of the profile bar, the status display, the macro steps and the message box.
#include "skinstyle.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace skin {

namespace {

enum class Glyph { Import, Export, Reset, Add, Delete, Copy, Menu };

// Icons are drawn on a 24 × 24 grid; hover adds a faint accent disc and lights the glyph.
void profileIcon(QPainter &p, const QRectF &r, Glyph glyph, bool hover)
{
    const Palette &c = palette();
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 24.0, r.height() / 24.0);
    // Both states fill the same tile, since the normal picture gives the button its mask.
    p.setPen(QPen(hover ? withAlpha(c.accent, 160) : QColor(58, 62, 68), 1));
    p.setBrush(hover ? mix(QColor(34, 36, 40), c.accent, 0.25) : QColor(34, 36, 40));
    p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 5, 5);
    const QColor ink = hover ? c.bright : c.glyph;
    p.setPen(stroke(ink, 1.6));
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::Import:
    case Glyph::Export: {
        // One profile file: a page with a folded corner, an arrow taking it in (pointing at
        // the page) or out (pointing away). The whole-configuration buttons beside them are
        // words, so the two kinds never look alike.
        QPolygonF page;
        page << QPointF(3.5, 3.5) << QPointF(9.5, 3.5) << QPointF(12.5, 6.5) << QPointF(12.5, 20.5)
             << QPointF(3.5, 20.5) << QPointF(3.5, 3.5);
        p.drawPolyline(page);
        p.drawPolyline(poly({QPointF(9.5, 3.5), QPointF(9.5, 6.5), QPointF(12.5, 6.5)}));
        p.drawLine(QPointF(6, 11), QPointF(10, 11));
        p.drawLine(QPointF(6, 15), QPointF(10, 15));
        p.setPen(stroke(hover ? c.accent.lighter(130) : ink, 1.8));
        p.drawLine(QPointF(15, 13), QPointF(21, 13));
        QPolygonF head;
        if (glyph == Glyph::Import)
            head << QPointF(18, 10) << QPointF(15, 13) << QPointF(18, 16);
        else
            head << QPointF(18, 10) << QPointF(21, 13) << QPointF(18, 16);
        p.drawPolyline(head);
        break;
    }
    case Glyph::Reset: {
        QPainterPath arc;
        arc.arcMoveTo(QRectF(5, 5, 14, 14), 100);
        arc.arcTo(QRectF(5, 5, 14, 14), 100, 290);
        p.drawPath(arc);
        QPolygonF head;
        head << QPointF(7.5, 3.8) << QPointF(10.8, 5.4) << QPointF(8.6, 8.6);
        p.drawPolyline(head);
        break;
    }
    case Glyph::Add:
        p.drawLine(QPointF(12, 5), QPointF(12, 19));
        p.drawLine(QPointF(5, 12), QPointF(19, 12));
        break;
    case Glyph::Delete: {
        // Waste bin.
        p.drawLine(QPointF(5, 7), QPointF(19, 7));
        p.drawLine(QPointF(10, 7), QPointF(10.5, 4.5));
        p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
        p.drawLine(QPointF(13.5, 4.5), QPointF(14, 7));
        QPolygonF bin;
        bin << QPointF(7, 7) << QPointF(8, 19.5) << QPointF(16, 19.5) << QPointF(17, 7);
        p.drawPolyline(bin);
        p.drawLine(QPointF(10.5, 10), QPointF(10.8, 16.5));
        p.drawLine(QPointF(13.5, 10), QPointF(13.2, 16.5));
        break;
    }
    case Glyph::Copy:
        p.drawRoundedRect(QRectF(8.5, 8.5, 10.5, 11), 1.5, 1.5);
        p.drawPolyline(poly({QPointF(15.5, 5.5), QPointF(15.5, 4.5), QPointF(5, 4.5),
                                 QPointF(5, 15.5), QPointF(6, 15.5)}));
        break;
    case Glyph::Menu:
        for (qreal y : {7.0, 12.0, 17.0}) {
            p.drawLine(QPointF(9, y), QPointF(19, y));
            p.setBrush(ink);
            p.drawEllipse(QPointF(5.5, y), 0.6, 0.6);
        }
        break;
    }
    p.restore();
}

// USB receiver: a small plug with a body, optionally crossed out.
void receiver(QPainter &p, const QRectF &r, bool broken)
{
    const Palette &c = palette();
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 24.0, r.height() / 24.0);
    p.setPen(stroke(broken ? c.glyph : c.bright, 1.5));
    p.setBrush(QColor(40, 43, 47));
    p.drawRoundedRect(QRectF(6, 9, 12, 12), 2, 2);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, 3.5, 8, 5.5));
    p.drawLine(QPointF(10.5, 5.5), QPointF(10.5, 6.5));
    p.drawLine(QPointF(13.5, 5.5), QPointF(13.5, 6.5));
    p.setPen(Qt::NoPen);
    p.setBrush(broken ? c.glyph : c.accent);
    p.drawEllipse(QPointF(12, 16), 1.6, 1.6);
    if (broken) {
        p.setPen(stroke(c.accent, 2.2));
        p.drawLine(QPointF(3, 21), QPointF(21, 3));
    }
    p.restore();
}

void lightning(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 16.0, r.height() / 24.0);
    QPolygonF bolt;
    bolt << QPointF(10, 1) << QPointF(2, 13.5) << QPointF(7.5, 13.5) << QPointF(5.5, 23)
         << QPointF(14, 9.5) << QPointF(8.5, 9.5);
    QLinearGradient fill(QPointF(0, 0), QPointF(0, 24));
    fill.setColorAt(0, c.accent.lighter(150));
    fill.setColorAt(1, c.accent);
    p.setBrush(fill);
    p.setPen(QPen(c.accent.darker(150), 0.8));
    p.drawPolygon(bolt);
    p.restore();
}

void keyCap(QPainter &p, const QRectF &r, bool down)
{
    const Palette &c = palette();
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 20.0, r.height() / 20.0);
    panel(p, QRectF(1, 2, 18, 16), 3, QColor(70, 74, 80), QColor(42, 45, 49), QColor(110, 115, 122));
    p.fillRect(QRectF(3, 4, 14, 9), QColor(255, 255, 255, 18));
    p.setPen(stroke(down ? c.accent.lighter(120) : c.bright, 1.7));
    p.drawLine(QPointF(10, 5), QPointF(10, 14));
    QPolygonF head;
    if (down)
        head << QPointF(6.5, 10.5) << QPointF(10, 14) << QPointF(13.5, 10.5);
    else
        head << QPointF(6.5, 8.5) << QPointF(10, 5) << QPointF(13.5, 8.5);
    p.drawPolyline(head);
    p.restore();
}

void mouseMove(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 20.0, r.height() / 20.0);
    p.setPen(stroke(c.bright, 1.5));
    p.drawLine(QPointF(10, 2.5), QPointF(10, 17.5));
    p.drawLine(QPointF(2.5, 10), QPointF(17.5, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(c.accent);
    const QPointF tips[4] = {{10, 1.5}, {18.5, 10}, {10, 18.5}, {1.5, 10}};
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(tips[i]);
        p.rotate(90 * i);
        p.drawPolygon(poly({QPointF(0, 0), QPointF(-3, 3.5), QPointF(3, 3.5)}));
        p.restore();
    }
    p.setBrush(c.bright);
    p.drawEllipse(QPointF(10, 10), 2, 2);
    p.restore();
}

void warning(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 45.0, r.height() / 45.0);
    glow(p, QPointF(22.5, 26), 22, withAlpha(c.accent, 60));
    QPainterPath triangle;
    triangle.moveTo(22.5, 5);
    triangle.lineTo(41, 38);
    triangle.lineTo(4, 38);
    triangle.closeSubpath();
    QLinearGradient fill(QPointF(0, 5), QPointF(0, 38));
    fill.setColorAt(0, c.accent.lighter(125));
    fill.setColorAt(1, c.accent.darker(140));
    p.setPen(stroke(c.accent.lighter(140), 2.5));
    p.setBrush(fill);
    p.drawPath(triangle);
    p.setPen(stroke(QColor(255, 255, 255), 3.6));
    p.drawLine(QPointF(22.5, 16), QPointF(22.5, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(22.5, 33), 2.2, 2.2);
    p.restore();
}

// Application and tray icon: the mouse silhouette with its lit wheel on a dark tile.
void appIcon(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 128.0, r.height() / 128.0);
    panel(p, QRectF(4, 4, 120, 120), 26, QColor(46, 49, 54), QColor(18, 19, 22), c.accent, 4);
    QPainterPath body;
    body.addRoundedRect(QRectF(40, 22, 48, 84), 24, 24);
    QLinearGradient shell(QPointF(40, 0), QPointF(88, 0));
    shell.setColorAt(0, QColor(90, 95, 102));
    shell.setColorAt(0.5, QColor(200, 204, 210));
    shell.setColorAt(1, QColor(90, 95, 102));
    p.setPen(Qt::NoPen);
    p.setBrush(shell);
    p.drawPath(body);
    p.setPen(QPen(QColor(30, 32, 36), 3));
    p.drawLine(QPointF(64, 22), QPointF(64, 58));
    p.drawLine(QPointF(42, 58), QPointF(86, 58));
    p.setPen(Qt::NoPen);
    p.setBrush(c.accent);
    p.drawRoundedRect(QRectF(59, 32, 10, 18), 5, 5);
    p.restore();
}

} // namespace

void drawYesIcon(QPainter &p, const QRectF &r)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 16.0, r.height() / 16.0);
    p.setPen(stroke(QColor(110, 220, 120), 2.2));
    p.drawPolyline(poly({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4.5)}));
    p.restore();
}

void drawNoIcon(QPainter &p, const QRectF &r)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 16.0, r.height() / 16.0);
    p.setPen(stroke(QColor(235, 95, 95), 2.2));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(4, 12), QPointF(12, 4));
    p.restore();
}

void addIconPictures(std::function<void(const QString &, Painter)> add)
{
    const struct
    {
        const char *name;
        Glyph glyph;
    } profileIcons[] = {{"import", Glyph::Import}, {"export", Glyph::Export},
                        {"reset", Glyph::Reset},   {"add", Glyph::Add},
                        {"del", Glyph::Delete},    {"copy", Glyph::Copy}};
    for (const auto &icon : profileIcons) {
        const Glyph glyph = icon.glyph;
        for (int state = 1; state <= 2; ++state) {
            add(QStringLiteral("profile_%1%2.png").arg(QLatin1String(icon.name)).arg(state),
                [glyph, state](QPainter &p, const QRectF &r) {
                    profileIcon(p, r, glyph, state == 2);
                });
        }
    }
    add(QStringLiteral("profile_apply1.png"),
        [](QPainter &p, const QRectF &r) { profileIcon(p, r, Glyph::Menu, false); });
    add(QStringLiteral("dongle.png"), [](QPainter &p, const QRectF &r) { receiver(p, r, false); });
    add(QStringLiteral("dongle2.png"), [](QPainter &p, const QRectF &r) { receiver(p, r, true); });
    add(QStringLiteral("lightning.png"), lightning);
    add(QStringLiteral("keydown.png"), [](QPainter &p, const QRectF &r) { keyCap(p, r, true); });
    add(QStringLiteral("keyup.png"), [](QPainter &p, const QRectF &r) { keyCap(p, r, false); });
    add(QStringLiteral("mouse_move.png"), mouseMove);
    add(QStringLiteral("warn.png"), warning);
    add(QStringLiteral("icon.ico"), appIcon);
}

} // namespace skin
