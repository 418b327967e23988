// SPDX-License-Identifier: GPL-2.0-or-later
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "widgets/kestkeyboardfocus.h"

// The order Tab walks: rows top to bottom, left to right within a row, and the controls of
// one container kept together.
class TestKeyboardOrder : public QObject
{
    Q_OBJECT

private slots:
    void rowOrder_unevenHeightsShareARow_leftToRight()
    {
        // A form: a caption beside a taller field, a button a little higher than both, and
        // a second row below.
        const QVector<QRect> rects = {
            QRect(200, 4, 100, 40), // 0: field
            QRect(10, 14, 80, 20),  // 1: caption
            QRect(320, 0, 60, 30),  // 2: button
            QRect(200, 60, 100, 30), // 3: second row, right
            QRect(10, 62, 80, 20),  // 4: second row, left
        };
        QCOMPARE(KestKeyboardFocus::rowOrder(rects), (QVector<int>{1, 0, 2, 4, 3}));
    }

    void rowOrder_tallListDoesNotSwallowTheRowsBesideIt()
    {
        // A list on the left; to its right, rows of a button and a field. The list holds
        // every button's centre, but none of them holds the list's: its rows stay rows.
        const QVector<QRect> rects = {
            QRect(0, 0, 100, 300),   // 0: list
            QRect(120, 0, 80, 30),   // 1: first row, button
            QRect(120, 40, 80, 30),  // 2: second row, button
            QRect(220, 42, 80, 26),  // 3: second row, field
            QRect(120, 80, 80, 30),  // 4: third row, button
            QRect(220, 2, 80, 26),   // 5: first row, field
        };
        QCOMPARE(KestKeyboardFocus::rowOrder(rects), (QVector<int>{0, 1, 5, 2, 3, 4}));
        // Nor does a short control a few pixels above a tall one pull it into its row.
        const QVector<QRect> lower = {QRect(0, 6, 100, 300), QRect(120, 0, 80, 30)};
        QCOMPARE(KestKeyboardFocus::rowOrder(lower), (QVector<int>{1, 0}));
        QVERIFY(KestKeyboardFocus::rowOrder({}).isEmpty());
    }

    void readingOrder_keepsAContainersControlsTogether()
    {
        QWidget root;
        root.resize(400, 300);
        auto *group = new QWidget(&root);
        group->setGeometry(0, 0, 150, 200);
        auto *inner1 = new QPushButton(QStringLiteral("a"), group);
        inner1->setGeometry(10, 100, 100, 30);
        auto *inner0 = new QPushButton(QStringLiteral("b"), group);
        inner0->setGeometry(10, 10, 100, 30);
        auto *beside = new QPushButton(QStringLiteral("c"), &root);
        beside->setGeometry(200, 50, 100, 30);
        auto *below = new QPushButton(QStringLiteral("d"), &root);
        below->setGeometry(20, 250, 100, 30);
        QWidget elsewhere;
        auto *stranger = new QPushButton(QStringLiteral("e"), &elsewhere);

        // In root's coordinates `beside` sits between the group's two buttons; it still
        // comes after the whole group, which stands first in the row.
        const QVector<QWidget *> stops = {below, beside, inner1, stranger, inner0};
        QCOMPARE(KestKeyboardFocus::readingOrder(&root, stops),
                 (QVector<QWidget *>{inner0, inner1, beside, below}));
    }
};

QTEST_MAIN(TestKeyboardOrder)
#include "tst_keyboardorder.moc"
