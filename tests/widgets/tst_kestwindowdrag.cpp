// SPDX-License-Identifier: GPL-2.0-or-later
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "widgets/kestwindowdrag.h"

// Dragging a frameless window by its background. The offscreen platform cannot move
// windows itself (as X11 without a window manager), so the window follows the pointer.
class TestKestWindowDrag : public QObject
{
    Q_OBJECT

private:
    static void pressAt(KestWindowDrag &drag, QWidget *window, const QPoint &global)
    {
        const QMouseEvent event(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(global),
                                QPointF(global), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        drag.press(window, &event);
    }

    static void moveTo(KestWindowDrag &drag, QWidget *window, const QPoint &global)
    {
        const QMouseEvent event(QEvent::MouseMove, QPointF(5, 5), QPointF(global), QPointF(global),
                                Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        drag.move(window, &event);
    }

private slots:
    void drag_movesTheWindowWithThePointer_butNotForAWobble()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.resize(200, 100);
        window.move(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint start = window.frameGeometry().topLeft();
        KestWindowDrag drag;

        pressAt(drag, &window, QPoint(300, 300));
        moveTo(drag, &window, QPoint(302, 301));
        QCOMPARE(window.frameGeometry().topLeft(), start);

        moveTo(drag, &window, QPoint(340, 320));
        QCOMPARE(window.frameGeometry().topLeft(), start + QPoint(40, 20));
        moveTo(drag, &window, QPoint(310, 330));
        QCOMPARE(window.frameGeometry().topLeft(), start + QPoint(10, 30));

        drag.release();
        moveTo(drag, &window, QPoint(400, 400));
        QCOMPARE(window.frameGeometry().topLeft(), start + QPoint(10, 30));
    }

    void rightButton_startsNoDrag()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.move(50, 50);
        window.show();
        const QPoint start = window.frameGeometry().topLeft();
        KestWindowDrag drag;
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(100, 100), QPointF(100, 100),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        drag.press(&window, &press);
        moveTo(drag, &window, QPoint(160, 160));
        QCOMPARE(window.frameGeometry().topLeft(), start);
    }
};

QTEST_MAIN(TestKestWindowDrag)
#include "tst_kestwindowdrag.moc"
