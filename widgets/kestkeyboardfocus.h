// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVector>

class QWidget;
class KestFocusRing;

// Keyboard use of the utility's windows, watched for the whole application: Tab walks the
// controls of a window in reading order, and the control reached from the keyboard wears
// a ring. Focus given by a click wears none, as a click already shows where it went.
class KestKeyboardFocus final : public QObject
{
    Q_OBJECT

public:
    using Order = std::function<QVector<QWidget *>()>;

    // Starts watching (once; later calls do nothing).
    static void install();
    static KestKeyboardFocus *instance();

    // A window whose order is not plain reading order of its controls says it here; the
    // entry goes with the window.
    static void setOrder(QWidget *window, Order order);

    // The controls Tab can stop at inside `root`, in no particular order: widgets that take
    // Tab focus, without the parts of such a control (a spin box's text field) and without
    // other windows.
    static QVector<QWidget *> tabStops(QWidget *root);
    // `stops` (widgets inside `root`) in reading order: the children of each container in
    // rows top to bottom and left to right within a row, a container's own controls kept
    // together where the container stands.
    static QVector<QWidget *> readingOrder(QWidget *root, const QVector<QWidget *> &stops);
    // Rectangles in rows: one opens with the highest rectangle left, and takes in those
    // whose vertical centre lies within its height and that hold its centre within theirs.
    // Returns the indexes in order.
    static QVector<int> rowOrder(const QVector<QRect> &rects);
    // Makes Tab follow `order`.
    static void setTabChain(const QVector<QWidget *> &order);
    // The order Tab follows in `window` (empty for the toolkit's own dialogs).
    static QVector<QWidget *> orderOf(QWidget *window);
    // Puts `window`'s Tab chain in its order now (done before every Tab anyway).
    static void orderWindow(QWidget *window);

    // The ring of `window`, if it has one yet.
    static KestFocusRing *ringOf(QWidget *window);
    // Whether the focus in `window` was last moved from the keyboard.
    static bool keyboardFocusShown(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit KestKeyboardFocus(QObject *parent);
    void onFocusIn(QWidget *widget, Qt::FocusReason reason);
    void showRing(QWidget *window, QWidget *target);
    void hideRing(QWidget *window);

    QHash<QWidget *, Order> m_orders;
    QHash<QWidget *, QPointer<KestFocusRing>> m_rings;
    QHash<QWidget *, bool> m_keyboard;
};
