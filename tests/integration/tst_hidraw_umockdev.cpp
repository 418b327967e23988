// SPDX-License-Identifier: GPL-2.0-or-later
#include <future>

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "device/commandreport.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kesthidapi.h"
#include "device/sendcommand.h"
#include "mockhidraw.h"
#include "platform/hotplug.h"
#include "store/appdir.h"

// The real hidapi (hidraw) backend and the real udev monitor against a mocked
// kernel: what the simulated mouse cannot show.
class TestHidrawUmockdev : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MockHidraw> m_mock;
    QTemporaryDir m_dir;

    static constexpr int Receiver = 0;
    static constexpr int Cable = 1;

    // One exchange on a worker thread while this thread plays the mouse: the
    // report must arrive byte for byte on `node`, and its echo goes back.
    quint8 exchangeOn(const MockHidraw::Node &node, const KestCommandReport &report, QByteArray *seen)
    {
        std::future<quint8> result = std::async(std::launch::async, [&report] { return SendCommand(report); });
        const std::vector<unsigned char> written = m_mock->readWritten(node, 64, 3000);
        *seen = QByteArray(reinterpret_cast<const char *>(written.data()), int(written.size()));
        if (written.size() == size_t(CommandReport::WireLength))
            m_mock->sendInput(node, std::vector<unsigned char>(written.begin() + 1, written.end()));
        return result.get();
    }

    static KestCommandReport awkwardReport()
    {
        // Bytes a terminal would like to interpret: line ends, ^C, DEL, 0xFF.
        KestCommandReport report(0x02);
        const quint8 bytes[] = {0x06, 0x0A, 0x0D, 0x03, 0x7F, 0xFF, 0x11, 0x13, 0x1A, 0x04};
        for (int i = 0; i < int(sizeof bytes); ++i)
            report[2 + i] = bytes[i];
        report.seal();
        return report;
    }

private slots:
    void initTestCase()
    {
        m_mock = std::make_unique<MockHidraw>();
        if (!m_mock->usable())
            QSKIP(qPrintable(QStringLiteral("umockdev unusable: ") + QString::fromStdString(m_mock->error())));
        QVERIFY(m_dir.isValid());
        setApplicationDir(m_dir.path());
        QSettings ini(m_dir.path() + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Mouse_List/0"), QStringLiteral("KX-27"));
        ini.setValue(QStringLiteral("Config/CurrentProductName"), QStringLiteral("KX-27"));
        ini.sync();
        setHidBackend(std::make_shared<KestHidApi>());
        KestLinkTimings timings;
        timings.reopenMs = 20;
        timings.notifyDelayMs = 20;
        setLinkTimings(timings);
    }

    void enumeration_findsEachInterfaceByItsUsage()
    {
        // A node is listed once per collection hidapi finds in its descriptor;
        // each vendor node has exactly one.
        QMultiMap<QByteArray, quint16> pagesByPath;
        for (const KestHidDeviceInfo &info : hidBackend().enumerate(0xC0DE, 0))
            pagesByPath.insert(info.path, info.usagePage);
        QCOMPARE(pagesByPath.uniqueKeys().size(), 4);
        QCOMPARE(pagesByPath.values(QByteArray(m_mock->node(Cable, 2).devnode.c_str())), QList<quint16>{0xFF00});
        QVERIFY(pagesByPath.values(QByteArray(m_mock->node(Cable, 0).devnode.c_str())).contains(0x000C));
        BuildDeviceTable();
        QCOMPARE(EnumerateDevices(), 0);
        const KestDeviceEntry &e = DeviceTable.entries[0];
        QCOMPARE(QByteArray(e.path[0]), QByteArray(m_mock->node(Receiver, 0).devnode.c_str()));
        QCOMPARE(QByteArray(e.path[1]), QByteArray(m_mock->node(Receiver, 2).devnode.c_str()));
        QCOMPARE(QByteArray(e.path[2]), QByteArray(m_mock->node(Cable, 0).devnode.c_str()));
        QCOMPARE(QByteArray(e.path[3]), QByteArray(m_mock->node(Cable, 2).devnode.c_str()));
        for (int flag = 0; flag < 4; ++flag)
            QCOMPARE(e.present[flag], 1);
        QCOMPARE(FirmwareVersion, 0x0213);
    }

    void openDevices_commandsGoToTheCableNodeByteForByte()
    {
        OpenDevices(QStringLiteral("KX-27"));
        QVERIFY(mouseHandle1 && commandHandle1 && mouseHandle2 && commandHandle2);
        const KestCommandReport report = awkwardReport();
        QByteArray seen;
        QCOMPARE(exchangeOn(m_mock->node(Cable, 2), report, &seen), quint8(SEND_OK));
        QCOMPARE(seen, QByteArray(reinterpret_cast<const char *>(report.data()), CommandReport::WireLength));
    }

    // The listener's sleep on the real backend: it ends on input, on a wake and on its time-out.
    void waitForInput_endsOnInputWakeAndTimeout()
    {
        const KestHidHandle handle = commandHandle2;
        QVERIFY(handle);
        // Leftovers of the exchanges before are taken by the first waits.
        int waited = 1;
        for (int k = 0; k < 5 && waited == 1; ++k)
            waited = hidWaitForInput(handle, 30);
        QCOMPARE(waited, 0);

        QElapsedTimer clock;
        clock.start();
        std::future<int> waiting = std::async(std::launch::async, [handle] { return hidWaitForInput(handle, 5000); });
        QTest::qWait(50);
        hidWakeWaiters();
        QCOMPARE(waiting.get(), 0);
        QVERIFY(clock.elapsed() < 2000);

        QVERIFY(m_mock->sendInput(m_mock->node(Cable, 2), std::vector<unsigned char>(32, 0x0A)));
        QCOMPARE(hidWaitForInput(handle, 2000), 1);
        QCOMPARE(hidWaitForInput(reinterpret_cast<KestHidHandle>(this), 10), -1); // not a handle
    }

    void hotplug_removeAndAddReachOnDeviceChange()
    {
        QVERIFY(StartDeviceNotifications());
        QVERIFY(KestHotplugMonitor::instance()->isRunning());
        QSignalSpy spy(KestHotplugMonitor::instance(), &KestHotplugMonitor::deviceInterfaceChanged);
        const MockHidraw::Node &cable2 = m_mock->node(Cable, 2);

        m_mock->uevent(cable2, "remove");
        QTRY_COMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toString(), QStringLiteral("HID#VID_C0DE&PID_0D02&MI_02#/dev/hidraw3"));
        QCOMPARE(spy[0][1].toBool(), false);
        QTRY_VERIFY(!cableCommandPresent());
        QTRY_VERIFY(!commandHandle2);
        QVERIFY(commandHandle1);

        // With the cable's command interface gone, traffic takes the receiver.
        QByteArray seen;
        QCOMPARE(exchangeOn(m_mock->node(Receiver, 2), awkwardReport(), &seen), quint8(SEND_OK));
        QCOMPARE(seen.size(), CommandReport::WireLength);

        m_mock->uevent(cable2, "add");
        QTRY_COMPARE(spy.size(), 2);
        QCOMPARE(spy[1][0].toString(), QStringLiteral("HID#VID_C0DE&PID_0D02&MI_02#/dev/hidraw3"));
        QCOMPARE(spy[1][1].toBool(), true);
        QTRY_VERIFY(commandHandle2);
        QVERIFY(cableCommandPresent());

        m_mock->uevent(m_mock->node(Receiver, 0), "remove");
        QTRY_COMPARE(spy.size(), 3);
        QCOMPARE(spy[2][0].toString(), QStringLiteral("HID#VID_C0DE&PID_0D01&MI_00#/dev/hidraw0"));
        QTRY_VERIFY(!mouseHandle1);
    }

    void cleanupTestCase()
    {
        CloseDevices();
        KestHotplugMonitor::instance()->stop();
    }
};

QTEST_GUILESS_MAIN(TestHidrawUmockdev)
#include "tst_hidraw_umockdev.moc"
