// SPDX-License-Identifier: GPL-2.0-or-later
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "skintestsupport.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestskin.h"

class TestKestMessageBox : public QObject
{
    Q_OBJECT

private:
    // Presses a button of the box once its modal loop runs.
    static int runAndPress(KestMessageBox &box, QToolButton *button)
    {
        QTimer::singleShot(0, button, [button] { button->click(); });
        return box.exec();
    }

private slots:
    void cleanup() { KestMessageBox::setConnectionProbe({}); }

    void question_yesReturns1_noReturns0()
    {
        ScratchAppDir dir;
        KestMessageBox yesBox(1, QString(), QStringLiteral("Warning"),
                              QStringLiteral("Are you sure you want delete this profile?"));
        QVERIFY(yesBox.noButton());
        QCOMPARE(yesBox.yesButton()->text(), QStringLiteral("Yes"));
        QCOMPARE(yesBox.noButton()->text(), QStringLiteral("No"));
        QCOMPARE(runAndPress(yesBox, yesBox.yesButton()), 1);

        KestMessageBox noBox(1, QString(), QStringLiteral("Warning"), QStringLiteral("?"));
        QCOMPARE(runAndPress(noBox, noBox.noButton()), 0);
    }

    void singleButtonKinds_okReturns1_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("warning") << 2;
        QTest::newRow("notice") << 3;
        QTest::newRow("disconnected") << 4;
    }
    void singleButtonKinds_okReturns1()
    {
        QFETCH(int, kind);
        ScratchAppDir dir;
        KestMessageBox box(kind, QString(), QStringLiteral("Warning"), QStringLiteral("Profile Exist!"));
        QVERIFY(!box.noButton());
        QCOMPARE(box.yesButton()->text(), QStringLiteral("OK"));
        QCOMPARE(box.yesButton()->objectName(), QStringLiteral("msgBoxYesBtn"));
        QCOMPARE(runAndPress(box, box.yesButton()), 1);
    }

    void closedOtherwise_returns0()
    {
        ScratchAppDir dir;
        KestMessageBox box(2, QString(), QStringLiteral("Warning"), QStringLiteral("x"));
        QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Escape); });
        QCOMPARE(box.exec(), 0);
    }

    void labels_carryTheirNamesAndTexts()
    {
        ScratchAppDir dir;
        KestMessageBox box(4, QString(), QStringLiteral("Warning"),
                           QStringLiteral("Dongle Disconnect!"));
        auto *title = box.findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel1"));
        auto *message = box.findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"));
        QVERIFY(title && message);
        QCOMPARE(title->text(), QStringLiteral("Warning"));
        QCOMPARE(message->text(), QStringLiteral("Dongle Disconnect!"));
        QCOMPARE(message->font().pixelSize(), 14);
        // The language's face, not a bold monospace one; only the title is bold.
        QCOMPARE(message->font().family(), languageFont().family());
        QVERIFY(!message->font().bold());
        QVERIFY(title->font().bold());
    }

    void disconnectBox_closesSoonAfterMouseArrives()
    {
        ScratchAppDir dir;
        bool connected = false;
        KestMessageBox::setConnectionProbe([&connected] { return connected; });
        KestMessageBox box(4, QString(), QStringLiteral("Warning"),
                           QStringLiteral("Dongle Disconnect!"), nullptr, true);
        QElapsedTimer sincePlugged;
        QTimer::singleShot(250, &box, [&] {
            QVERIFY(box.isVisible()); // still waiting while no mouse is there
            connected = true;
            sincePlugged.start();
        });
        QCOMPARE(box.exec(), 1);
        QVERIFY(box.closedByArrival());
        // The poll runs every 100 ms; allow for a busy machine.
        QVERIFY2(sincePlugged.elapsed() < 250, qPrintable(QString::number(sincePlugged.elapsed())));
    }

    void boxWithoutPoll_ignoresArrival()
    {
        ScratchAppDir dir;
        KestMessageBox::setConnectionProbe([] { return true; });
        KestMessageBox box(2, QString(), QStringLiteral("Warning"), QStringLiteral("x"));
        QTimer::singleShot(300, box.yesButton(), [&box] {
            QVERIFY(box.isVisible());
            box.reject();
        });
        QCOMPARE(box.exec(), 0);
        QVERIFY(!box.closedByArrival());
    }
};

QTEST_MAIN(TestKestMessageBox)
#include "tst_kestmessagebox.moc"
