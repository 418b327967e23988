// SPDX-License-Identifier: GPL-2.0-or-later
// Desktop notifications: when they are sent, that they reach a notification service on
// the bus, and that turning them off or having no service costs nothing.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtTest>

#include "app/kestdesktopbridge.h"
#include "core/kestmousecore.h"
#include "core/kestnotices.h"
#include "desktopfixture.h"
#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"
#include "fakenotifications.h"
#include "platform/desktopnotification.h"
#include "privatebus.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/kestinifile.h"

class TestNotices : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    QStringList m_sent;

    void catchSent(KestNotices &notices)
    {
        notices.setSender([this](const QString &summary, const QString &) { m_sent << summary; });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(useTemporaryDesktop(m_tmp));
    }

    void init()
    {
        m_sent.clear();
        const QString app = m_tmp.filePath(QStringLiteral("app-%1").arg(QTest::currentTestFunction()));
        QDir().mkpath(app);
        setApplicationDir(app);
        writeProductFiles(app);
    }

    // Each reading and the notice it must bring, if any: the low one at 15 %, the empty one
    // at 5 %, each once per discharge.
    void batteryLow_at15_empty_at5_eachOncePerDischarge()
    {
        const QString low = QStringLiteral("Mouse battery low");
        const QString empty = QStringLiteral("Mouse battery almost empty");
        struct Step
        {
            int level;
            bool charging;
            QString expected;
        };
        const Step steps[] = {
            {60, false, {}}, {40, false, {}}, {16, false, {}}, {15, false, low}, {14, false, {}},
            {16, false, {}}, {15, false, {}}, {12, false, {}}, {0, false, {}}, {-1, false, {}},
            {9, false, {}}, {6, false, {}}, {5, false, empty}, {4, false, {}}, {6, false, {}},
            {3, false, {}}, {5, false, {}},
            // Charging ends the discharge; the next one warns again.
            {3, true, {}}, {40, true, {}}, {16, false, {}}, {14, false, low}, {5, false, empty},
            // A fresh battery put in while the mouse was off (no charging seen) counts as a
            // new discharge; a reading a little above the low mark does not.
            {24, false, {}}, {15, false, {}}, {25, false, {}}, {15, false, low},
        };
        KestNotices notices;
        catchSent(notices);
        int index = 0;
        for (const Step &step : steps) {
            m_sent.clear();
            notices.batteryChanged(step.level, step.charging);
            const QStringList expected = step.expected.isEmpty() ? QStringList() : QStringList{step.expected};
            QVERIFY2(m_sent == expected, qPrintable(QStringLiteral("step %1 (%2 %)").arg(index).arg(step.level)));
            ++index;
        }
        // A mouse first seen nearly empty gets the one that matters, not both.
        KestNotices fresh;
        catchSent(fresh);
        m_sent.clear();
        fresh.batteryChanged(4, false);
        fresh.batteryChanged(4, false);
        fresh.batteryChanged(10, false);
        QCOMPARE(m_sent, QStringList{empty});
    }

    void connectionAndHiddenWriteFailure()
    {
        KestNotices notices;
        catchSent(notices);
        notices.deviceConnected();
        notices.deviceDisconnected();
        notices.writeFinished(0, false);
        notices.writeFinished(4, true); // the window's message box says it
        QCOMPARE(m_sent, (QStringList{QStringLiteral("Mouse connected"), QStringLiteral("Mouse disconnected")}));
        notices.writeFinished(4, false);
        QCOMPARE(m_sent.last(), QStringLiteral("Settings not written"));
    }

    void turnedOff_sendsNothing_andIsRemembered()
    {
        {
            KestNotices notices;
            QVERIFY(notices.isEnabled());
            catchSent(notices);
            notices.setEnabled(false);
            notices.deviceConnected();
            notices.batteryChanged(3, false);
            notices.writeFinished(4, false);
            QVERIFY(m_sent.isEmpty());
        }
        KestIniFile file;
        QVERIFY(file.load(globalConfigPath()));
        QCOMPARE(file.intValue(QStringLiteral("Config/Notifications"), 1), 0);
        // Keys the file held before are still there.
        QCOMPARE(file.stringValue(QStringLiteral("Config/CurrentProductName")), QStringLiteral("KX-27"));
        KestNotices later;
        QVERIFY(!later.isEnabled());
    }

    void notificationService_receivesThem()
    {
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        FakeNotifications service;
        QVERIFY(service.start());
        KestNotices notices;
        notices.deviceDisconnected();
        QTRY_COMPARE(service.summaries, QStringList{QStringLiteral("Mouse disconnected")});
        QCOMPARE(service.apps, QStringList{QStringLiteral("Mouse Configuration")});
        notices.setEnabled(false);
        notices.deviceConnected();
        QTest::qWait(100);
        QCOMPARE(service.summaries.size(), 1);
    }

    void noService_orNoBus_failsNothing()
    {
        // Nobody owns the name: the call goes out and its error answer is dropped.
        KestNotices notices;
        notices.deviceConnected();
        notices.batteryChanged(2, false);
        QTest::qWait(50);
        if (!haveSessionBus())
            QVERIFY(!platform::sendDesktopNotification(QStringLiteral("x"), QString()));
    }

    // Started at login, with no window: the battery reader's reports and the hot-plug reach
    // the desktop, until the tray's switch turns them off.
    void unplugAndReplug_notifiesBoth_trayTurnsThemOff()
    {
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        FakeNotifications service;
        QVERIFY(service.start());
        auto sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(sim);
        {
            KestMouseCore core;
            restartWithFastBatteryReader(&core);
            KestDesktopBridge faces(&core, nullptr);
            QAction *option = faces.notificationsAction();
            QVERIFY(option);
            QVERIFY(option->isChecked());
            QVERIFY(faces.trayIcon()->contextMenu()->actions().contains(option));

            // Once per discharge.
            sim->setBattery(12);
            QTRY_VERIFY_WITH_TIMEOUT(service.summaries.contains(QStringLiteral("Mouse battery low")), 3000);
            QTest::qWait(200); // several more reports of the same level
            QCOMPARE(service.summaries.count(QStringLiteral("Mouse battery low")), 1);
            service.summaries.clear();

            sim->unplugDevice(KestSimDevice::Receiver);
            QTRY_VERIFY_WITH_TIMEOUT(core.connectedCount() == 0, 3000);
            sim->plugDevice(KestSimDevice::Receiver);
            QTRY_VERIFY_WITH_TIMEOUT(service.summaries.contains(QStringLiteral("Mouse connected")), 5000);
            QCOMPARE(service.summaries.first(), QStringLiteral("Mouse disconnected"));

            option->trigger();
            QVERIFY(!faces.notices()->isEnabled());
            const int before = service.summaries.size();
            sim->unplugDevice(KestSimDevice::Receiver);
            QTRY_VERIFY_WITH_TIMEOUT(core.connectedCount() == 0, 3000);
            sim->plugDevice(KestSimDevice::Receiver);
            QTRY_VERIFY_WITH_TIMEOUT(core.connectedCount() > 0, 3000);
            QTest::qWait(100);
            QCOMPARE(service.summaries.size(), before);
        }
        setHidBackend(nullptr);
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestNotices)
#include "tst_notices.moc"
