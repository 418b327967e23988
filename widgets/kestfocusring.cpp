// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestfocusring.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPainter>

#include "widgets/kestskin.h"

KestFocusRing::KestFocusRing(QWidget *window) : QWidget(window)
{
    setObjectName(QStringLiteral("kestFocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

int KestFocusRing::lineWidth()
{
    return qMax(2, scaled(2));
}

void KestFocusRing::follow(QWidget *target)
{
    if (target == this)
        target = nullptr;
    if (m_target != target) {
        watchChain(false);
        m_target = target;
        watchChain(true);
    }
    reposition();
}

void KestFocusRing::watchChain(bool on)
{
    // The target moves with every widget between it and the window: a scrolled list, a
    // panel placed again at another scale.
    for (QWidget *w = m_target; w && w != parentWidget(); w = w->parentWidget()) {
        if (on)
            w->installEventFilter(this);
        else
            w->removeEventFilter(this);
    }
}

bool KestFocusRing::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
        reposition();
        break;
    default:
        break;
    }
    return false;
}

void KestFocusRing::reposition()
{
    QWidget *window = parentWidget();
    if (!m_target || !window || !window->isAncestorOf(m_target) || !m_target->isVisibleTo(window)) {
        m_ring = QRect();
        hide();
        return;
    }
    // The light line and a one-pixel dark edge either side of it, just outside the control.
    const int margin = lineWidth() + 2;
    const QRect inWindow(m_target->mapTo(window, QPoint(0, 0)), m_target->size());
    m_ring = inWindow.adjusted(-margin, -margin, margin, margin);
    // A control scrolled partly out of its list is ringed only where it can be seen.
    QRect shown = m_ring & window->rect();
    for (QWidget *w = m_target->parentWidget(); w && w != window; w = w->parentWidget()) {
        auto *area = qobject_cast<QAbstractScrollArea *>(w->parentWidget());
        if (area && area->viewport() == w)
            shown &= QRect(w->mapTo(window, QPoint(0, 0)), w->size());
    }
    if (shown.isEmpty()) {
        hide();
        return;
    }
    setGeometry(shown);
    show();
    raise();
    update();
}

void KestFocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-geometry().topLeft());
    const int width = lineWidth();
    const qreal inset = (width + 2) / 2.0;
    const QRectF band = QRectF(m_ring).adjusted(inset, inset, -inset, -inset);
    // Light with a thin dark edge: it stays readable on the dark panels, on pictures and
    // on buttons filled with the accent colour alike.
    const qreal radius = width * 1.5;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 160), width + 2));
    painter.drawRoundedRect(band, radius, radius);
    painter.setPen(QPen(QColor(235, 235, 235), width));
    painter.drawRoundedRect(band, radius, radius);
}
