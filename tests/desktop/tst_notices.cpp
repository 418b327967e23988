// Desktop notifications: when they are sent, that they reach a notification service on
// the bus, and that turning them off or having no service costs nothing.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include "app/kestdesktopbridge.h"
#include "core/kestnotices.h"
#include "app/mousecfgwidget.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestsimmouse.h"
#include "fakenotifications.h"
#include "platform/desktopnotification.h"
#include "privatebus.h"
#include "store/appdir.h"
#include "store/kestinifile.h"
#include "tests/app/shellfixture.h"
#include "tests/common/appfixture.h"

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
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_tmp.path().toLocal8Bit());
        useFastLinkForWindowTests();
    }

    void init()
    {
        m_sent.clear();
        const QString app = m_tmp.filePath(QStringLiteral("app-%1").arg(QTest::currentTestFunction()));
        QDir().mkpath(app);
        setApplicationDir(app);
        writeProductFiles(app);
    }

    void batteryLow_oncePerDischarge_againAtFive()
    {
        KestNotices notices;
        catchSent(notices);
        for (int level : {60, 40, 16, 15, 14, 16, 15, 12, 0, -1, 9})
            notices.batteryChanged(level, false);
        QCOMPARE(m_sent, QStringList{QStringLiteral("Mouse battery low")});
        for (int level : {5, 4, 6, 3})
            notices.batteryChanged(level, false);
        QCOMPARE(m_sent.size(), 2);
        QCOMPARE(m_sent.last(), QStringLiteral("Mouse battery almost empty"));

        // Charging ends the discharge; the next one warns again.
        notices.batteryChanged(3, true);
        notices.batteryChanged(40, true);
        notices.batteryChanged(14, false);
        QCOMPARE(m_sent.size(), 3);
        // A mouse first seen nearly empty gets the one that matters, not both.
        KestNotices fresh;
        catchSent(fresh);
        fresh.batteryChanged(4, false);
        fresh.batteryChanged(4, false);
        QCOMPARE(m_sent.size(), 4);
        QCOMPARE(m_sent.last(), QStringLiteral("Mouse battery almost empty"));
        // A fresh battery put in while the mouse was off counts as a new discharge.
        fresh.batteryChanged(90, false);
        fresh.batteryChanged(15, false);
        QCOMPARE(m_sent.last(), QStringLiteral("Mouse battery low"));
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
        QCOMPARE(service.apps, QStringList{QStringLiteral("mousecfg")});
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

    void window_unplugAndReplug_notifiesBoth_trayTurnsThemOff()
    {
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        FakeNotifications service;
        QVERIFY(service.start());
        auto sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(sim);
        {
            MousecfgWidget window;
            useFastBatteryReader(window.batteryReader());
            auto *bridge = window.findChild<KestDesktopBridge *>();
            QVERIFY(bridge);
            QAction *option = bridge->notificationsAction();
            QVERIFY(option);
            QVERIFY(option->isChecked());
            QVERIFY(window.trayIcon()->contextMenu()->actions().contains(option));

            // The battery reader's reports reach the desktop once per discharge.
            window.stopBatteryReader();
            window.startBatteryReader();
            sim->setBattery(12);
            QTRY_VERIFY_WITH_TIMEOUT(service.summaries.contains(QStringLiteral("Mouse battery low")), 3000);
            QTest::qWait(200); // several more reports of the same level
            QCOMPARE(service.summaries.count(QStringLiteral("Mouse battery low")), 1);
            service.summaries.clear();

            // The disconnect warning runs its own event loop until the mouse is back: plug
            // it in again from a timer, as the user would while the warning shows.
            const auto replugSoon = [&] {
                QTimer::singleShot(600, [&] { sim->plugDevice(KestSimDevice::Receiver); });
            };
            replugSoon();
            sim->unplugDevice(KestSimDevice::Receiver);
            QTRY_VERIFY_WITH_TIMEOUT(service.summaries.contains(QStringLiteral("Mouse connected")), 5000);
            QCOMPARE(service.summaries.first(), QStringLiteral("Mouse disconnected"));
            QTRY_VERIFY_WITH_TIMEOUT(!window.isWarningOpen() && window.connectedCount() > 0, 3000);

            option->trigger();
            QVERIFY(!bridge->notices()->isEnabled());
            const int before = service.summaries.size();
            replugSoon();
            sim->unplugDevice(KestSimDevice::Receiver);
            QTest::qWait(300);
            QTRY_VERIFY_WITH_TIMEOUT(!window.isWarningOpen() && window.connectedCount() > 0, 5000);
            QTest::qWait(100);
            QCOMPARE(service.summaries.size(), before);
        }
        setHidBackend(nullptr);
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestNotices)
#include "tst_notices.moc"
