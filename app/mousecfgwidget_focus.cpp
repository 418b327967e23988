// SPDX-License-Identifier: GPL-2.0-or-later
// The window from the keyboard: which controls Tab stops at, and in what order.

#include "app/mousecfgwidget.h"

#include <algorithm>

#include <QScrollArea>

#include "widgets/kestkeyboardfocus.h"
#include "widgets/kestpushbutton.h"

namespace {
// Design-canvas bands of the window: the profile column on the left, the bar with the
// page tabs and the window's own buttons on top, and the bar with OK / Cancel / Apply.
constexpr int kColumnRight = 260;
constexpr int kHeaderBottom = 74;
constexpr int kFooterTop = 560;
} // namespace

void MousecfgWidget::setupKeyboard()
{
    // The list of button functions is reached through its entries; the area around them
    // would only be one more stop that does nothing.
    m_buttonScroll->setFocusPolicy(Qt::NoFocus);
    // The markers on the picture stand for the entries of that list one for one: from the
    // keyboard the list is the way, not twenty stops around a picture.
    for (const auto &view : m_markers) {
        for (KestPushButton *marker : view)
            marker->setFocusPolicy(Qt::NoFocus);
    }
    KestKeyboardFocus::setOrder(this, [this] { return keyboardOrder(); });
}

QVector<QWidget *> MousecfgWidget::keyboardOrder() const
{
    // The bands are told apart on the design canvas, so the order is the same at every scale;
    // a control inside a panel goes with its panel (a list scrolled down may reach below
    // the page, but is read with it).
    const auto designCentre = [this](QWidget *w) {
        while (w->parentWidget() && w->parentWidget() != this)
            w = w->parentWidget();
        return QPointF(w->geometry().center()) / m_scaleFactor;
    };
    QVector<QWidget *> column, header, page, footer;
    for (QWidget *stop : KestKeyboardFocus::tabStops(const_cast<MousecfgWidget *>(this))) {
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
    auto *self = const_cast<MousecfgWidget *>(this);
    return KestKeyboardFocus::readingOrder(self, column) + header
           + KestKeyboardFocus::readingOrder(self, page)
           + KestKeyboardFocus::readingOrder(self, footer);
}
