// SPDX-License-Identifier: GPL-2.0-or-later
// Window chrome: the main background, text buttons, fields, markers, battery frames and
// check box indicators.
#include "skinstyle.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace skin {

namespace {

void mainBackground(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    const qreal radius = 14;
    QPainterPath outline;
    outline.addRoundedRect(r, radius, radius);

    // Ground: near-black with a faint warm-up towards the top.
    QLinearGradient ground(r.topLeft(), r.bottomLeft());
    ground.setColorAt(0, QColor(24, 26, 29));
    ground.setColorAt(0.12, QColor(18, 19, 22));
    ground.setColorAt(1, c.deep);
    p.fillPath(outline, ground);

    p.save();
    p.setClipPath(outline);
    // Accent haze behind the header and a cooler one at the lower left, for depth.
    glow(p, QPointF(r.width() * 0.30, -40), 420, withAlpha(c.accent, 34));
    glow(p, QPointF(r.width() * 0.95, r.height() + 80), 380, withAlpha(c.accent, 18));

    // Fine diagonal texture in the header band.
    p.setPen(QPen(QColor(255, 255, 255, 7), 1));
    for (qreal x = -64; x < r.width(); x += 6)
        p.drawLine(QPointF(x, 64), QPointF(x + 64, 0));

    // Header rule: accent in the middle, fading out at both ends.
    QLinearGradient rule(QPointF(0, 0), QPointF(r.width(), 0));
    rule.setColorAt(0, withAlpha(c.accent, 0));
    rule.setColorAt(0.25, withAlpha(c.accent, 200));
    rule.setColorAt(0.75, withAlpha(c.accent, 200));
    rule.setColorAt(1, withAlpha(c.accent, 0));
    p.fillRect(QRectF(0, 63, r.width(), 2), rule);
    p.fillRect(QRectF(0, 65, r.width(), 6), QColor(0, 0, 0, 60));
    p.restore();

    // Side column (profiles, slots, battery) and the page area with its footer.
    const QColor top = QColor(30, 32, 36, 235);
    const QColor bottom = QColor(22, 24, 27, 235);
    panel(p, QRectF(14, 74, 256, 552), 8, top, bottom, QColor(52, 56, 62));
    panel(p, QRectF(280, 74, 705, 472), 8, top, bottom, QColor(52, 56, 62));
    panel(p, QRectF(280, 556, 705, 70), 8, top, bottom, QColor(52, 56, 62));

    // Accent tick at the top of the side column and the page area.
    p.fillRect(QRectF(30, 74, 60, 2), c.accent);
    p.fillRect(QRectF(296, 74, 60, 2), c.accent);

    // Window edge: a light hairline inside the outline keeps it readable on dark desktops.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

// Title-bar buttons: a glyph on a disc that lights up on hover and darkens when pressed.
void titleButton(QPainter &p, const QRectF &r, int state, bool close)
{
    const Palette &c = palette();
    const QPointF centre = r.center();
    // Every state fills the same disc: the button's mask is taken from the normal picture.
    QColor disc(36, 38, 42);
    if (state == 1)
        disc = close ? c.accent : QColor(70, 74, 80);
    else if (state == 2)
        disc = close ? c.accent.darker(160) : QColor(48, 51, 56);
    p.setPen(state == 0 ? QPen(QColor(60, 64, 70), 1) : QPen(Qt::NoPen));
    p.setBrush(disc);
    p.drawEllipse(centre, r.width() / 2 - 0.5, r.height() / 2 - 0.5);
    p.setPen(stroke(state == 0 ? c.glyph : c.bright, 1.6));
    const qreal a = r.width() * 0.24;
    if (close) {
        p.drawLine(centre + QPointF(-a, -a), centre + QPointF(a, a));
        p.drawLine(centre + QPointF(-a, a), centre + QPointF(a, -a));
    } else {
        p.drawLine(centre + QPointF(-a, 0), centre + QPointF(a, 0));
    }
}

// Text buttons and tabs: 1 normal, 2 pressed or current, 3 hover.
void tabButton(QPainter &p, const QRectF &r, int which)
{
    const Palette &c = palette();
    if (which == 1) {
        panel(p, r, 3, QColor(44, 47, 52), QColor(33, 35, 39), QColor(64, 68, 75));
    } else if (which == 3) {
        panel(p, r, 3, QColor(56, 60, 66), QColor(40, 43, 47), withAlpha(c.accent, 170));
    } else {
        panel(p, r, 3, c.accent.lighter(115), c.accent.darker(170), c.accent.lighter(130));
        // A top sheen keeps the pressed face from looking flat.
        p.fillRect(QRectF(r.left() + 2, r.top() + 1, r.width() - 4, r.height() * 0.4),
                   QColor(255, 255, 255, 28));
    }
}

void field(QPainter &p, const QRectF &r, bool hover)
{
    const Palette &c = palette();
    panel(p, r, 4, QColor(20, 21, 24), QColor(28, 30, 33),
          hover ? c.accent : QColor(66, 70, 77));
    if (hover) // pencil hint at the right end
    {
        const QPointF tip(r.right() - 18, r.center().y() + 5);
        p.setPen(stroke(c.accent, 1.4));
        p.drawLine(tip, tip + QPointF(8, -8));
        p.drawLine(tip + QPointF(-1, 1), tip + QPointF(2, 0));
    }
}

void chevronDown(QPainter &p, const QPointF &centre, qreal half, const QColor &color, qreal width)
{
    p.setPen(stroke(color, width));
    p.setBrush(Qt::NoBrush);
    QPolygonF v;
    v << centre + QPointF(-half, -half / 2) << centre + QPointF(0, half / 2)
      << centre + QPointF(half, -half / 2);
    p.drawPolyline(v);
}

void profileSelect(QPainter &p, const QRectF &r)
{
    panel(p, r.adjusted(1, 1, -1, -1), 4, QColor(48, 51, 56), QColor(34, 36, 40),
          QColor(70, 74, 80));
    chevronDown(p, r.center() + QPointF(0, 1), 4.5, palette().bright, 1.6);
}

void rateButton(QPainter &p, const QRectF &r)
{
    panel(p, r, 4, QColor(44, 47, 52), QColor(30, 32, 36), QColor(70, 74, 80));
    const qreal x = r.right() - 22;
    p.fillRect(QRectF(x, r.top() + 6, 1, r.height() - 12), QColor(80, 84, 90));
    chevronDown(p, QPointF(x + 11, r.center().y() + 1), 4, palette().accent, 1.6);
}

void languageButton(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    const qreal h = r.height();
    panel(p, r.adjusted(0.5, 0.5, -0.5, -0.5), h / 2 - 0.5, QColor(40, 43, 47), QColor(30, 32, 36),
          QColor(70, 74, 80));
    // Globe at the left end, clear of the centred text.
    const QPointF g(r.left() + h * 0.62, r.center().y());
    const qreal rad = h * 0.3;
    p.setPen(stroke(c.accent, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(g, rad, rad);
    p.drawEllipse(g, rad * 0.45, rad);
    p.drawLine(g + QPointF(-rad, 0), g + QPointF(rad, 0));
}

// Markers over the DPI buttons of the mouse picture: up/down arrows. Pairs 1/2 (round)
// and 3/4 (square); the odd picture is the hover one.
void dpiMarker(QPainter &p, const QRectF &r, bool up, bool hover, bool round)
{
    const Palette &c = palette();
    const QRectF face = r.adjusted(1.5, 1.5, -1.5, -1.5);
    p.setBrush(hover ? c.accent : QColor(26, 28, 31, 220));
    p.setPen(QPen(hover ? c.accent.lighter(140) : withAlpha(c.accent, 200), 1.4));
    if (round)
        p.drawEllipse(face);
    else
        p.drawRoundedRect(face, 4, 4);
    const QPointF m = r.center();
    const qreal s = r.width() * 0.2;
    QPolygonF arrow;
    if (up)
        arrow << m + QPointF(-s, s * 0.6) << m + QPointF(0, -s * 0.8) << m + QPointF(s, s * 0.6);
    else
        arrow << m + QPointF(-s, -s * 0.6) << m + QPointF(0, s * 0.8) << m + QPointF(s, -s * 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(hover ? QColor(255, 255, 255) : c.bright);
    p.drawPolygon(arrow);
}

// Marker over a button of the mouse picture: a dark disc with an accent ring, so the
// number drawn on it stays readable over any part of the picture.
void marker(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    p.setPen(QPen(c.accent, 1.5));
    p.setBrush(QColor(18, 19, 22, 225));
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
}

void logo(QPainter &p, const QRectF &r)
{
    const Palette &c = palette();
    // A small mouse outline with a lit wheel, then the word mark.
    const QRectF body(r.left() + 4, r.top() + 6, 20, 28);
    p.setPen(stroke(c.bright, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body, 10, 10);
    p.setPen(stroke(c.accent, 2.4));
    p.drawLine(QPointF(body.center().x(), body.top() + 6), QPointF(body.center().x(), body.top() + 11));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(17);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    p.setFont(font);
    p.setPen(c.bright);
    const QRectF text(r.left() + 34, r.top(), r.width() - 34, r.height());
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("MOUSE"));
    const qreal w = p.fontMetrics().horizontalAdvance(QStringLiteral("MOUSE"));
    p.setPen(c.accent);
    p.drawText(text.adjusted(w + 1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("CFG"));
}

// Battery frame; the bar sits in the body at (10, 15) 62 × 17 of the 86 × 47 design.
void batteryFrame(QPainter &p, const QRectF &r, bool powered)
{
    const Palette &c = palette();
    const QRectF body(r.left() + 6, r.top() + 11, 70, 25);
    p.setPen(QPen(QColor(150, 155, 162), 2));
    p.setBrush(QColor(16, 17, 19));
    p.drawRoundedRect(body, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 155, 162));
    p.drawRoundedRect(QRectF(body.right() + 1, body.top() + 7, 4, 11), 1.5, 1.5);
    if (!powered)
        return;
    // Mains or charging: a full, lit cell with a plug.
    QLinearGradient cell(body.topLeft(), body.bottomLeft());
    cell.setColorAt(0, c.accent.lighter(120));
    cell.setColorAt(1, c.accent.darker(150));
    p.setBrush(cell);
    p.drawRoundedRect(body.adjusted(3, 3, -3, -3), 2, 2);
    const QPointF m = body.center();
    p.setPen(stroke(QColor(255, 255, 255), 1.6));
    p.drawLine(m + QPointF(-9, 0), m + QPointF(-3, 0));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(m.x() - 3, m.y() - 5, 7, 10), 1.5, 1.5);
    p.drawLine(m + QPointF(4, -3), m + QPointF(8, -3));
    p.drawLine(m + QPointF(4, 3), m + QPointF(8, 3));
}

// Check box indicators are drawn at their natural 18 × 18 size: lines sit on pixel centres.
void checkBox(QPainter &p, const QRectF &r, bool checked, bool round)
{
    const Palette &c = palette();
    const QRectF box = r.adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(checked ? c.accent : QColor(130, 135, 142), 1));
    p.setBrush(checked ? withAlpha(c.accent, 60) : QColor(20, 21, 24));
    if (round)
        p.drawEllipse(box);
    else
        p.drawRoundedRect(box, 3, 3);
    if (!checked)
        return;
    if (round) {
        p.setPen(Qt::NoPen);
        p.setBrush(c.accent);
        p.drawEllipse(r.center(), 4, 4);
    } else {
        p.setBrush(c.accent);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
        p.setPen(stroke(QColor(255, 255, 255), 1.8));
        QPolygonF tick;
        tick << QPointF(5, 9.5) << QPointF(8, 12.5) << QPointF(13.5, 6);
        p.drawPolyline(tick);
    }
}

} // namespace

void addChromePictures(std::function<void(const QString &, Painter)> add)
{
    add(QStringLiteral("cfgMainback.png"), mainBackground);
    add(QStringLiteral("cfgMainback@2x.png"), mainBackground);
    for (int state = 0; state < 3; ++state) {
        const QString n = QString::number(state + 1);
        add(QStringLiteral("close-%1.png").arg(n),
            [state](QPainter &p, const QRectF &r) { titleButton(p, r, state, true); });
        add(QStringLiteral("min-%1.png").arg(n),
            [state](QPainter &p, const QRectF &r) { titleButton(p, r, state, false); });
        add(QStringLiteral("tabbutton-%1.png").arg(n),
            [state](QPainter &p, const QRectF &r) { tabButton(p, r, state + 1); });
    }
    add(QStringLiteral("profile_edit_name_1.png"),
        [](QPainter &p, const QRectF &r) { field(p, r, false); });
    add(QStringLiteral("profile_edit_name_2.png"),
        [](QPainter &p, const QRectF &r) { field(p, r, true); });
    add(QStringLiteral("profilesel.png"), profileSelect);
    add(QStringLiteral("rate.png"), rateButton);
    add(QStringLiteral("lang.png"), languageButton);
    for (int i = 1; i <= 4; ++i) {
        const bool hover = (i % 2) == 1;
        const bool round = i <= 2;
        add(QStringLiteral("btn_up%1.png").arg(i), [hover, round](QPainter &p, const QRectF &r) {
            dpiMarker(p, r, true, hover, round);
        });
        add(QStringLiteral("btn_down%1.png").arg(i), [hover, round](QPainter &p, const QRectF &r) {
            dpiMarker(p, r, false, hover, round);
        });
    }
    add(QStringLiteral("marker.png"), marker);
    add(QStringLiteral("mouselogo.png"), logo);
    add(QStringLiteral("bat1.png"), [](QPainter &p, const QRectF &r) { batteryFrame(p, r, false); });
    add(QStringLiteral("bat2.png"), [](QPainter &p, const QRectF &r) { batteryFrame(p, r, true); });
    add(QStringLiteral("checkbox1-1.png"),
        [](QPainter &p, const QRectF &r) { checkBox(p, r, false, false); });
    add(QStringLiteral("checkbox1-2.png"),
        [](QPainter &p, const QRectF &r) { checkBox(p, r, true, false); });
    add(QStringLiteral("checkbox2-1.png"),
        [](QPainter &p, const QRectF &r) { checkBox(p, r, false, true); });
    add(QStringLiteral("checkbox2-2.png"),
        [](QPainter &p, const QRectF &r) { checkBox(p, r, true, true); });
}

} // namespace skin
