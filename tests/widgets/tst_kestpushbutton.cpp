// SPDX-License-Identifier: GPL-2.0-or-later
#include <QEvent>
#include <QSignalSpy>
#include <QTest>

#include "skintestsupport.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

class TestKestPushButton : public QObject
{
    Q_OBJECT

private:
    static void enter(KestPushButton &button)
    {
        QEvent event(QEvent::Enter);
        QCoreApplication::sendEvent(&button, &event);
    }
    static void leave(KestPushButton &button)
    {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(&button, &event);
    }

private slots:
    void hoverAndPress_followPictureCount_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::addColumn<int>("onHover");
        QTest::addColumn<int>("onPress");
        QTest::addColumn<int>("onRelease");
        QTest::addColumn<int>("onLeave");
        QTest::newRow("one picture never leaves normal") << 1 << 0 << 0 << 0 << 0;
        QTest::newRow("two pictures hover only") << 2 << 1 << 1 << 1 << 0;
        QTest::newRow("three pictures show the press") << 3 << 1 << 2 << 1 << 0;
    }
    void hoverAndPress_followPictureCount()
    {
        QFETCH(int, pictures);
        ScratchAppDir dir;
        KestPushButton button(dir.pictures(pictures));
        button.resize(40, 20);
        button.show();
        QCOMPARE(button.state(), 0);
        enter(button);
        QTEST(button.state(), "onHover");
        QTest::mousePress(&button, Qt::LeftButton);
        QTEST(button.state(), "onPress");
        QTest::mouseRelease(&button, Qt::LeftButton);
        QTEST(button.state(), "onRelease");
        leave(button);
        QTEST(button.state(), "onLeave");
    }

    void secondPress_untogglesToNormal()
    {
        ScratchAppDir dir;
        KestPushButton button(dir.pictures(3));
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(button.isToggled());
        QTest::mousePress(&button, Qt::LeftButton);
        QVERIFY(!button.isToggled());
        QCOMPARE(button.state(), 0);
    }

    void pressThenLeave_reportsEnterOnceAndNoLeave()
    {
        ScratchAppDir dir;
        KestPushButton button(dir.pictures(3));
        button.show();
        QSignalSpy entered(&button, &KestPushButton::buttonPressed);
        QSignalSpy over(&button, &KestPushButton::hovered);
        enter(button);
        QTest::mousePress(&button, Qt::LeftButton);
        leave(button);
        QCOMPARE(entered.count(), 1);
        QCOMPARE(entered.at(0).at(0).value<KestPushButton *>(), &button);
        QCOMPARE(over.count(), 1); // only the enter
        QCOMPARE(over.at(0).at(1).toBool(), true);

        // The silence lasts one leave: the next visit reports both ways again.
        enter(button);
        leave(button);
        QCOMPARE(over.count(), 3);
        QCOMPARE(over.at(2).at(1).toBool(), false);
    }

    void selectedAndToggled_keepsHoverStateAfterLeave()
    {
        ScratchAppDir dir;
        KestPushButton button(dir.pictures(3));
        button.show();
        button.setSelected(true);
        button.setToggled(true);
        QCOMPARE(button.state(), 1);
        enter(button);
        leave(button);
        QCOMPARE(button.state(), 1);

        button.setToggled(false);
        enter(button);
        leave(button);
        QCOMPARE(button.state(), 0);
    }

    void enabledLook_disablesAndShowsState3UnlessSelectedAndToggled()
    {
        ScratchAppDir dir;
        KestPushButton button(dir.pictures(3));
        button.setEnabledLook(false);
        QCOMPARE(button.state(), 3);
        QVERIFY(!button.isEnabled());
        button.setEnabledLook(true);
        QCOMPARE(button.state(), 0);
        QVERIFY(button.isEnabled());
        button.setSelected(true);
        button.setToggled(true);
        button.setEnabledLook(false);
        QCOMPARE(button.state(), 1);
    }

    void hoverDisabled_pressesLeaveStateAlone()
    {
        ScratchAppDir dir;
        KestPushButton button(dir.pictures(3));
        button.show();
        button.setHoverEnabled(false);
        QSignalSpy entered(&button, &KestPushButton::buttonPressed);
        QSignalSpy clicked(&button, &QPushButton::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(button.state(), 0);
        QCOMPARE(entered.count(), 0);
        QCOMPARE(clicked.count(), 1); // still a working button
    }

    void stateWithoutItsOwnPicture_drawsTheNormalOne()
    {
        ScratchAppDir dir;
        KestPushButton button(dir.pictures(1)); // red only
        button.resize(40, 20);
        button.setToggled(true);                // state 1, but there is no picture 1
        QCOMPARE(button.state(), 1);
        QImage shot(button.size(), QImage::Format_ARGB32);
        shot.fill(Qt::transparent);
        button.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
        const QColor pixel = shot.pixelColor(20, 10);
        QVERIFY2(pixel.red() > 240 && pixel.green() < 10 && pixel.alpha() > 0,
                 qPrintable(pixel.name(QColor::HexArgb)));
    }

    void missingPictures_leaveAnEmptyButtonWithoutMask()
    {
        ScratchAppDir dir;
        KestPushButton button({dir.path() + QStringLiteral("/skin/none.png")});
        button.resize(30, 10);
        QVERIFY(button.mask().isEmpty());
        QImage shot(button.size(), QImage::Format_ARGB32);
        shot.fill(Qt::transparent);
        button.render(&shot); // nothing to draw, nothing to crash on
    }

    // Buttons share one decoded picture per file, and a picture redrawn on disk is read again.
    void skinPicture_sharedPerFile_rereadWhenRedrawn()
    {
        ScratchAppDir dir;
        const QString path = dir.pictures(1).first();
        const QPixmap first = skinPicture(path);
        QCOMPARE(skinPicture(path).cacheKey(), first.cacheKey());
        QImage redrawn(QSize(24, 24), QImage::Format_ARGB32);
        redrawn.fill(Qt::blue);
        QVERIFY(redrawn.save(path));
        const QPixmap second = skinPicture(path);
        QCOMPARE(second.size(), QSize(24, 24));
        QCOMPARE(second.toImage().pixelColor(5, 5), QColor(Qt::blue));
        QVERIFY(skinPicture(dir.path() + QStringLiteral("/skin/none.png")).isNull());
    }

    // The shown button takes the outline of its picture at the size it is shown, also after
    // it was resized while hidden.
    void shownButton_maskFollowsPictureOutlineAndSize()
    {
        ScratchAppDir dir;
        QImage half(QSize(20, 10), QImage::Format_ARGB32);
        half.fill(Qt::transparent);
        for (int y = 0; y < 10; ++y)
            for (int x = 10; x < 20; ++x)
                half.setPixelColor(x, y, Qt::red);
        const QString path = dir.path() + QStringLiteral("/skin/half.png");
        QVERIFY(half.save(path));
        QWidget parent;
        KestPushButton button({path}, &parent);
        button.resize(40, 20);
        button.resize(80, 40);
        parent.show();
        QVERIFY(button.mask().contains(QPoint(60, 20)));
        QVERIFY(!button.mask().contains(QPoint(20, 20)));
        button.resize(40, 20);
        QVERIFY(button.mask().contains(QPoint(30, 10)));
        QVERIFY(!button.mask().contains(QPoint(10, 10)));
    }

    void setText_setsNoToolTipThatRepeatsIt()
    {
        ScratchAppDir dir;
        KestPushButton button(dir.pictures(1));
        button.setText(QStringLiteral("Apply"));
        QCOMPARE(button.text(), QStringLiteral("Apply"));
        QVERIFY(button.toolTip().isEmpty());
    }

    void penColours_followColourMode()
    {
        ScratchAppDir dir;
        KestPushButton button(dir.pictures(1));
        setColorMode(0);
        QCOMPARE(button.penColor(0), QColor(200, 200, 200));
        QCOMPARE(button.penColor(2), QColor(255, 255, 255));
        setColorMode(1);
        QCOMPARE(button.penColor(1), QColor(0, 0, 0));
        QCOMPARE(button.penColor(3), QColor(100, 100, 100));
        setColorMode(0);
    }

    void normalPicture_isFadedAndSizeHintFollowsIconThenPicture()
    {
        ScratchAppDir dir;
        const QStringList paths = dir.pictures(2, QSize(30, 12));
        KestPushButton plain(paths);
        QCOMPARE(plain.sizeHint(), QSize(30, 12));

        QImage icon(QSize(16, 16), QImage::Format_ARGB32);
        icon.fill(Qt::white);
        const QString iconPath = dir.path() + QStringLiteral("/skin/icon.png");
        icon.save(iconPath);
        KestPushButton withIcon(paths, nullptr, iconPath);
        QCOMPARE(withIcon.sizeHint(), QSize(16, 16));

        // Paint the resting button: its red picture shows at 200/255 opacity.
        plain.resize(30, 12);
        QImage shot(plain.size(), QImage::Format_ARGB32);
        shot.fill(Qt::transparent);
        plain.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
        const QColor pixel = shot.pixelColor(2, 2);
        QCOMPARE(pixel.red(), 255);
        QVERIFY(qAbs(pixel.alpha() - 200) <= 1);
    }
};

QTEST_MAIN(TestKestPushButton)
#include "tst_kestpushbutton.moc"
