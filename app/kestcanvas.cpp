// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestcanvas.h"

#include <algorithm>

#include <QWidget>

#include "widgets/kestkeyboardfocus.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {
// Design-canvas bands of the window: the profile column on the left, the bar with the
// page tabs and the window's own buttons on top, and the bar with OK / Cancel / Apply.
constexpr int kColumnRight = 260;
constexpr int kHeaderBottom = 74;
constexpr int kFooterTop = 560;
} // namespace

KestCanvas::KestCanvas(QWidget &window) : m_window(window) {}

void KestCanvas::place(QWidget *widget, const QRect &designRect)
{
    m_placements.append({widget, designRect, false});
    widget->setGeometry(scaled(designRect.x()), scaled(designRect.y()),
                        scaled(designRect.width()), scaled(designRect.height()));
}

void KestCanvas::pin(QWidget *widget, const QRect &rect)
{
    for (Placement &placement : m_placements) {
        if (placement.widget == widget) {
            placement.designRect = rect;
            placement.unscaled = true;
        }
    }
    widget->setGeometry(rect);
}

void KestCanvas::replace(QWidget *old, QWidget *replacement)
{
    for (Placement &placement : m_placements) {
        if (placement.widget == old) {
            replacement->setGeometry(old->geometry());
            replacement->setVisible(old->isVisibleTo(&m_window));
            placement.widget = replacement;
            return;
        }
    }
}

void KestCanvas::relayout()
{
    for (const Placement &placement : qAsConst(m_placements)) {
        if (!placement.widget)
            continue;
        const QRect &r = placement.designRect;
        if (placement.unscaled)
            placement.widget->setGeometry(r);
        else
            placement.widget->setGeometry(scaled(r.x()), scaled(r.y()), scaled(r.width()),
                                          scaled(r.height()));
    }
}

void KestCanvas::setEnabledExcept(const QWidget *kept, bool enabled)
{
    for (const Placement &placement : qAsConst(m_placements)) {
        if (placement.widget && placement.widget != kept)
            placement.widget->setEnabled(enabled);
    }
}

KestPushButton *KestCanvas::button(const QStringList &pictures, const QRect &designRect)
{
    auto *button = new KestPushButton(pictures, &m_window);
    place(button, designRect);
    return button;
}

KestPushButton *KestCanvas::textButton(const QRect &designRect)
{
    // Normal, hover, pressed.
    return button(pictures({"tabbutton-1.png", "tabbutton-3.png", "tabbutton-2.png"}), designRect);
}

QStringList KestCanvas::pictures(std::initializer_list<const char *> names)
{
    QStringList paths;
    for (const char *name : names)
        paths << skinPath(QString::fromLatin1(name));
    return paths;
}

QVector<QWidget *> KestCanvas::keyboardOrder() const
{
    // The bands are told apart on the design canvas, so the order is the same at every scale;
    // a control inside a panel goes with its panel (a list scrolled down may reach below
    // the page, but is read with it).
    QWidget *window = &m_window;
    const double factor = scaleFactor();
    const auto designCentre = [window, factor](QWidget *w) {
        while (w->parentWidget() && w->parentWidget() != window)
            w = w->parentWidget();
        return QPointF(w->geometry().center()) / factor;
    };
    QVector<QWidget *> column, header, page, footer;
    for (QWidget *stop : KestKeyboardFocus::tabStops(window)) {
        const QPointF centre = designCentre(stop);
        if (centre.x() < kColumnRight)
            column << stop;
        else if (centre.y() < kHeaderBottom)
            header << stop;
        else if (centre.y() >= kFooterTop)
            footer << stop;
        else
            page << stop;
    }
    // The tabs and the window's buttons share one strip: left to right.
    std::stable_sort(header.begin(), header.end(), [&designCentre](QWidget *a, QWidget *b) {
        return designCentre(a).x() < designCentre(b).x();
    });
    return KestKeyboardFocus::readingOrder(window, column) + header
           + KestKeyboardFocus::readingOrder(window, page)
           + KestKeyboardFocus::readingOrder(window, footer);
}
