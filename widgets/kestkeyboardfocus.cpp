// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestkeyboardfocus.h"

#include <algorithm>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollArea>
#include <QWidget>

#include "widgets/kestfocusring.h"

namespace {

KestKeyboardFocus *g_instance = nullptr;

void collectStops(QWidget *parent, QVector<QWidget *> &out)
{
    for (QObject *child : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow())
            continue;
        // A widget that hands its focus on (a scroll area's viewport) is no stop itself.
        if (!widget->focusProxy() && (widget->focusPolicy() & Qt::TabFocus))
            out << widget; // a control: what it is made of is its own business
        else
            collectStops(widget, out);
    }
}

// The control a focused widget belongs to: a spin box rather than its text field.
QWidget *controlOf(QWidget *widget)
{
    QWidget *control = widget;
    for (QWidget *w = widget->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        if (qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w))
            control = w;
    }
    return control;
}

bool isKeyboardReason(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
           || reason == Qt::ShortcutFocusReason;
}

} // namespace

KestKeyboardFocus::KestKeyboardFocus(QObject *parent) : QObject(parent) {}

void KestKeyboardFocus::install()
{
    if (g_instance || !qApp)
        return;
    g_instance = new KestKeyboardFocus(qApp);
    qApp->installEventFilter(g_instance);
}

KestKeyboardFocus *KestKeyboardFocus::instance()
{
    return g_instance;
}

void KestKeyboardFocus::setOrder(QWidget *window, Order order)
{
    install();
    if (!g_instance || !window)
        return;
    if (!g_instance->m_orders.contains(window)) {
        connect(window, &QObject::destroyed, g_instance,
                [window] { g_instance->m_orders.remove(window); });
    }
    g_instance->m_orders.insert(window, std::move(order));
}

QVector<QWidget *> KestKeyboardFocus::tabStops(QWidget *root)
{
    QVector<QWidget *> stops;
    if (root)
        collectStops(root, stops);
    return stops;
}

QVector<int> KestKeyboardFocus::rowOrder(const QVector<QRect> &rects)
{
    QVector<int> byTop(rects.size());
    for (int i = 0; i < rects.size(); ++i)
        byTop[i] = i;
    std::stable_sort(byTop.begin(), byTop.end(), [&rects](int a, int b) {
        if (rects[a].top() != rects[b].top())
            return rects[a].top() < rects[b].top();
        return rects[a].left() < rects[b].left();
    });
    QVector<int> order;
    QVector<bool> taken(rects.size(), false);
    for (int first : byTop) {
        if (taken[first])
            continue;
        const QRect &opening = rects[first];
        QVector<int> row;
        for (int i : byTop) {
            if (taken[i])
                continue;
            // Both ways: a tall list beside a column of buttons does not swallow their rows.
            const QRect &r = rects[i];
            const bool overlap = r.center().y() >= opening.top() && r.center().y() <= opening.bottom()
                                 && opening.center().y() >= r.top() && opening.center().y() <= r.bottom();
            if (i == first || overlap) {
                row << i;
                taken[i] = true;
            }
        }
        std::stable_sort(row.begin(), row.end(),
                         [&rects](int a, int b) { return rects[a].left() < rects[b].left(); });
        order += row;
    }
    return order;
}

QVector<QWidget *> KestKeyboardFocus::readingOrder(QWidget *root, const QVector<QWidget *> &stops)
{
    // Group the stops by the child of `root` they are or sit in.
    QVector<QWidget *> children;
    QHash<QWidget *, QVector<QWidget *>> inside;
    for (QWidget *stop : stops) {
        QWidget *child = stop;
        while (child && child->parentWidget() != root)
            child = child->parentWidget();
        if (!child)
            continue;
        if (!inside.contains(child))
            children << child;
        inside[child] << stop;
    }
    QVector<QRect> rects;
    rects.reserve(children.size());
    for (QWidget *child : qAsConst(children))
        rects << child->geometry();
    QVector<QWidget *> ordered;
    for (int index : rowOrder(rects)) {
        QWidget *child = children[index];
        const QVector<QWidget *> &own = inside[child];
        if (own.size() == 1 && own.first() == child)
            ordered << child;
        else
            ordered += readingOrder(child, own);
    }
    return ordered;
}

void KestKeyboardFocus::setTabChain(const QVector<QWidget *> &order)
{
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QVector<QWidget *> KestKeyboardFocus::orderOf(QWidget *window)
{
    if (!window || window->windowType() == Qt::Popup)
        return {};
    if (g_instance && g_instance->m_orders.contains(window))
        return g_instance->m_orders.value(window)();
    // The toolkit's own dialogs (file chooser and the like) keep the order they come with.
    if (window->metaObject()->className()[0] == 'Q')
        return {};
    return readingOrder(window, tabStops(window));
}

void KestKeyboardFocus::orderWindow(QWidget *window)
{
    setTabChain(orderOf(window));
}

KestFocusRing *KestKeyboardFocus::ringOf(QWidget *window)
{
    return g_instance ? g_instance->m_rings.value(window).data() : nullptr;
}

bool KestKeyboardFocus::keyboardFocusShown(QWidget *window)
{
    return g_instance && g_instance->m_keyboard.value(window, false);
}

bool KestKeyboardFocus::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        if (auto *widget = qobject_cast<QWidget *>(watched))
            onFocusIn(widget, static_cast<QFocusEvent *>(event)->reason());
        break;
    case QEvent::FocusOut: {
        // A menu or another window taking the keyboard for a while leaves the ring where
        // the focus will come back to.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            hideRing(widget->window());
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (auto *widget = qobject_cast<QWidget *>(watched)) {
            QWidget *window = widget->window();
            if (m_keyboard.value(window, false)) {
                m_keyboard.insert(window, false);
                hideRing(window);
            }
        }
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        auto *widget = qobject_cast<QWidget *>(watched);
        // Put in order before every step: panels add and hide controls as the user works.
        if (widget && (key == Qt::Key_Tab || key == Qt::Key_Backtab))
            orderWindow(widget->window());
        break;
    }
    case QEvent::Show: {
        auto *widget = qobject_cast<QWidget *>(watched);
        // The first control to get focus when the window opens is the first in order too.
        if (widget && widget->isWindow())
            orderWindow(widget);
        break;
    }
    default:
        break;
    }
    return false;
}

void KestKeyboardFocus::onFocusIn(QWidget *widget, Qt::FocusReason reason)
{
    QWidget *window = widget->window();
    if (window->windowType() == Qt::Popup)
        return;
    if (!m_keyboard.contains(window)) {
        connect(window, &QObject::destroyed, this, [this, window] { m_keyboard.remove(window); });
        m_keyboard.insert(window, false);
    }
    if (isKeyboardReason(reason))
        m_keyboard.insert(window, true);
    else if (reason == Qt::MouseFocusReason)
        m_keyboard.insert(window, false);
    if (!m_keyboard.value(window)) {
        hideRing(window);
        return;
    }
    QWidget *control = controlOf(widget);
    // A window holding the focus itself has no control to point at.
    if (control == window) {
        hideRing(window);
        return;
    }
    // A list that scrolls shows the control Tab reached, not only the one it held before.
    for (QWidget *w = control->parentWidget(); w && w != window; w = w->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(w))
            area->ensureWidgetVisible(control, 0, 0);
    }
    showRing(window, control);
}

void KestKeyboardFocus::showRing(QWidget *window, QWidget *target)
{
    KestFocusRing *ring = m_rings.value(window);
    // A window that went and left its address to a new one leaves no ring to reuse.
    if (ring && ring->parentWidget() != window) {
        ring->deleteLater();
        ring = nullptr;
    }
    if (!ring) {
        ring = new KestFocusRing(window);
        if (!m_rings.contains(window))
            connect(window, &QObject::destroyed, this, [this, window] { m_rings.remove(window); });
        m_rings.insert(window, ring);
    }
    ring->follow(target);
}

void KestKeyboardFocus::hideRing(QWidget *window)
{
    if (KestFocusRing *ring = m_rings.value(window))
        ring->follow(nullptr);
}
