// SPDX-License-Identifier: GPL-2.0-or-later
#include <QSignalSpy>
#include <QtTest>

#include "device/sendcommand.h"
#include "simfixture.h"

namespace {

// Lets every node be found but refuses to open them, as hidraw does for a
// user without the access rules.
class RefusingBackend final : public KestHidBackend
{
public:
    explicit RefusingBackend(std::shared_ptr<KestSimMouse> sim) : m_sim(std::move(sim)) {}
    int init() override { return 0; }
    int exit() override { return 0; }
    QVector<KestHidDeviceInfo> enumerate(quint16 v, quint16 p) override { return m_sim->enumerate(v, p); }
    KestHidHandle open(const QByteArray &, KestHidOpenError *error) override
    {
        if (error)
            *error = KestHidOpenError::PermissionDenied;
        return nullptr;
    }
    void close(KestHidHandle) override {}
    int write(KestHidHandle, const quint8 *, int) override { return -1; }
    int readTimeout(KestHidHandle, quint8 *, int, int) override { return -1; }

private:
    std::shared_ptr<KestSimMouse> m_sim;
};

const KestDeviceEntry &entry()
{
    return DeviceTable.entries[0];
}

} // namespace

class TestDiscovery : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::shared_ptr<KestSimMouse> m_sim;

    void startWith(bool receiver, bool cable)
    {
        m_sim = installSimMouse(receiver, cable);
        writeProductConfig(m_dir);
        BuildDeviceTable();
        QCOMPARE(EnumerateDevices(), 0);
        OpenDevices(QStringLiteral("KX-27"));
        QVERIFY(StartDeviceNotifications());
    }

    // Lets queued hot-plug events and the reopen after them run.
    static void settle() { QTest::qWait(5); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void cleanup()
    {
        CloseDevices();
        QTest::qWait(linkTimings().notifyDelayMs + 20); // let pending notifications pass
    }

    void buildDeviceTable_fillsOneEntryForThisProduct()
    {
        writeProductConfig(m_dir, QStringLiteral("KX-27"));
        BuildDeviceTable();
        QCOMPARE(DeviceTable.count, 1u);
        QCOMPARE(entry().vid1, 0xC0DE);
        QCOMPARE(entry().pid1, 0x0D01);
        QCOMPARE(entry().pid2, 0x0D02);
        QCOMPARE(entry().usage[3][0], 0xFF00);
        QCOMPARE(entry().usage[0][0], 0x0002);
        QCOMPARE(entry().usage[0][1], 0x0001);
        QCOMPARE(QByteArray(entry().modelName), QByteArray("KX-27"));
        QCOMPARE(entry().present[0] + entry().present[1] + entry().present[2] + entry().present[3], 0);
    }

    void enumerate_flagsBothDevicesAndKeepsFirmwareVersion()
    {
        FirmwareVersion = 0;
        startWith(true, true);
        for (int flag = 0; flag < 4; ++flag)
            QCOMPARE(entry().present[flag], 1);
        QCOMPARE(QByteArray(entry().path[0]), KestSimMouse::path(KestSimDevice::Receiver, 0));
        QCOMPARE(QByteArray(entry().path[1]), KestSimMouse::path(KestSimDevice::Receiver, 2));
        QCOMPARE(QByteArray(entry().path[2]), KestSimMouse::path(KestSimDevice::Cable, 0));
        QCOMPARE(QByteArray(entry().path[3]), KestSimMouse::path(KestSimDevice::Cable, 2));
        QCOMPARE(FirmwareVersion, int(KestSimMouse::CableRelease));
        QCOMPARE(countConnectedModels(), 1);
        QCOMPARE(connectedModelNames(), QStringList{QStringLiteral("KX-27")});
        QVERIFY(receiverCommandPresent());
        QVERIFY(cableCommandPresent());
        QVERIFY(mouseHandle1 && commandHandle1 && mouseHandle2 && commandHandle2);
        QCOMPARE(CommandHandle(), commandHandle2);
    }

    void enumerate_failingInit_returnsMinusOne()
    {
        m_sim = installSimMouse(true, true);
        writeProductConfig(m_dir);
        BuildDeviceTable();
        m_sim->setInitFailure(true);
        QCOMPARE(EnumerateDevices(), -1);
        OpenDevices(QStringLiteral("KX-27"));
        QCOMPARE(m_sim->openHandleCount(), 0);
    }

    void enumerate_releaseOutsideBounds_isNotFlagged()
    {
        m_sim = installSimMouse(false, true);
        writeProductConfig(m_dir);
        BuildDeviceTable();
        DeviceTable.entries[0].releaseMin2 = 0x0300;
        DeviceTable.entries[0].releaseMax2 = 0x0399;
        QCOMPARE(EnumerateDevices(), 0);
        QCOMPARE(entry().present[DevicePresence::Cable2], 0);
        QCOMPARE(entry().present[DevicePresence::Cable0], 0);

    }

    void openDevices_otherModelName_opensNothing()
    {
        startWith(true, true);
        CloseDevices();
        OpenDevices(QStringLiteral("KX-28"));
        QCOMPARE(m_sim->openHandleCount(), 0);
        QVERIFY(!CommandHandle());
    }

    void openDevices_twice_doesNotLeakHandles()
    {
        startWith(true, true);
        OpenDevices(QStringLiteral("KX-27"));
        QCOMPARE(m_sim->openHandleCount(), 4);
        CloseDevices();
        QCOMPARE(m_sim->openHandleCount(), 0);
    }

    void plugInterfacesOneByOne_opensOnlyWhenComplete()
    {
        startWith(false, false);
        QSignalSpy connectedSpy(KestDeviceNotifier::instance(), &KestDeviceNotifier::deviceConnected);
        QCOMPARE(connectedModelCount(), 0);

        m_sim->plug(KestSimDevice::Cable, 2);
        settle();
        QCOMPARE(entry().present[DevicePresence::Cable2], 1);
        QCOMPARE(entry().present[DevicePresence::Cable0], 0);
        QVERIFY(!CommandHandle()); // half present: the reopen opens nothing
        QCOMPARE(readDiffValue(m_dir), 1);

        m_sim->plug(KestSimDevice::Cable, 0);
        QTRY_COMPARE(connectedSpy.size(), 1);
        QVERIFY(commandHandle2 && mouseHandle2);
        QVERIFY(!commandHandle1);
        QCOMPARE(m_sim->openHandleCount(), 2);
        QCOMPARE(connectedModelCount(), 1);
        QCOMPARE(SendCommand(makeReport(0x01, {1, 1, 1})), quint8(SEND_OK));
    }

    void unplugOnlyDevice_closesEverythingAndWarnsLater()
    {
        startWith(true, false);
        QSignalSpy lastSpy(KestDeviceNotifier::instance(), &KestDeviceNotifier::lastDeviceRemoved);
        QSignalSpy warnSpy(KestDeviceNotifier::instance(), &KestDeviceNotifier::disconnectWarning);

        m_sim->unplug(KestSimDevice::Receiver, 2);
        settle();
        // One interface gone: the reopen drops the handles of the half device.
        QVERIFY(!commandHandle1 && !mouseHandle1);
        QCOMPARE(lastSpy.size(), 0);

        m_sim->unplug(KestSimDevice::Receiver, 0);
        QTRY_COMPARE(lastSpy.size(), 1);
        QCOMPARE(warnSpy.size(), 0); // the warning comes after a pause
        QCOMPARE(m_sim->openHandleCount(), 0);
        QCOMPARE(connectedModelCount(), 0);
        QTRY_COMPARE(warnSpy.size(), 1);
    }

    void removalOfInterfaceAlreadyGone_changesNothing()
    {
        startWith(true, true);
        m_sim->unplug(KestSimDevice::Receiver, 2);
        settle();
        QSignalSpy lastSpy(KestDeviceNotifier::instance(), &KestDeviceNotifier::lastDeviceRemoved);
        const int handles = m_sim->openHandleCount();
        const KestHidHandle before = commandHandle2;
        OnDeviceChange(KestSimMouse::interfaceName(KestSimDevice::Receiver, 2), false);
        QCOMPARE(entry().present[DevicePresence::Receiver0], 1);
        QCOMPARE(commandHandle2, before); // not even reopened
        QCOMPARE(m_sim->openHandleCount(), handles);
        QCOMPARE(lastSpy.size(), 0);
    }

    void otherInterfaceOfTheDevice_matchesNothing()
    {
        startWith(false, true);
        writeProductConfig(m_dir);
        const KestHidHandle before = commandHandle2;
        OnDeviceChange(KestSimMouse::interfaceName(KestSimDevice::Cable, 1), false);
        OnDeviceChange(QStringLiteral("HID#VID_046D&PID_C077&MI_00#/dev/hidraw9"), true);
        QCOMPARE(commandHandle2, before);
        QCOMPARE(readDiffValue(m_dir), 0);
    }

    void rearrivalOfCompleteDevice_reopensWithoutMarkingDiff()
    {
        startWith(false, true);
        writeProductConfig(m_dir); // Diff back to 0
        const int writesBefore = m_sim->openHandleCount();
        OnDeviceChange(KestSimMouse::interfaceName(KestSimDevice::Cable, 2), true);
        QCOMPARE(readDiffValue(m_dir), 0);
        QCOMPARE(m_sim->openHandleCount(), writesBefore);
        QVERIFY(commandHandle2);
    }

    void bothDevicesThenCableRemoved_trafficMovesToReceiver()
    {
        startWith(true, true);
        QCOMPARE(SendCommand(makeReport(0x01, {1, 1, 1})), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(KestSimDevice::Cable), 1);

        m_sim->unplugDevice(KestSimDevice::Cable);
        settle();
        QTRY_VERIFY(!commandHandle2);
        QVERIFY(commandHandle1);
        QVERIFY(!cableCommandPresent());
        QVERIFY(receiverCommandPresent());
        QCOMPARE(SendCommand(makeReport(0x01, {1, 1, 1})), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(KestSimDevice::Receiver), 1);
        QCOMPARE(m_sim->writeCount(KestSimDevice::Cable), 1);
    }

    void cablePluggedWhileReceiverConnected_takesOverWithoutReconnect()
    {
        startWith(true, false);
        QSignalSpy connectedSpy(KestDeviceNotifier::instance(), &KestDeviceNotifier::deviceConnected);
        QSignalSpy listSpy(KestDeviceNotifier::instance(), &KestDeviceNotifier::modelListChanged);
        m_sim->plugDevice(KestSimDevice::Cable);
        QTRY_VERIFY(commandHandle2);
        QVERIFY(commandHandle1);
        QCOMPARE(listSpy.size(), 1);
        QTest::qWait(linkTimings().notifyDelayMs + 20);
        QCOMPARE(connectedSpy.size(), 0); // already connected: no second start-up
        QCOMPARE(m_sim->openHandleCount(), 4);
    }

    void unplugDuringWriteOnWorker_exchangeEndsAndHandlesReopen()
    {
        startWith(true, true);
        m_sim->unplugAfterWrites(KestSimDevice::Cable, 1);
        QCOMPARE(SendCommand(makeReport(0x01, {1, 1, 1})), quint8(SEND_WRITE_FAILED));
        QTRY_VERIFY(!commandHandle2);
        QVERIFY(commandHandle1);
        QCOMPARE(SendCommand(makeReport(0x01, {1, 1, 1})), quint8(SEND_OK));
    }

    void refusedNodes_areReportedWithAccessHint()
    {
        m_sim = installSimMouse(true, false);
        setHidBackend(std::make_shared<RefusingBackend>(m_sim));
        writeProductConfig(m_dir);
        BuildDeviceTable();
        QCOMPARE(EnumerateDevices(), 0);
        QVERIFY(permissionProblemText().isEmpty());
        OpenDevices(QStringLiteral("KX-27"));
        QVERIFY(!CommandHandle());
        QCOMPARE(devicesWithoutPermission(),
                 (QStringList{QStringLiteral("sim-receiver-if0"), QStringLiteral("sim-receiver-if2")}));
        QVERIFY(permissionProblemText().contains(QStringLiteral("70-mousecfg.rules")));
        QVERIFY(permissionProblemText().contains(QStringLiteral("sim-receiver-if2")));

        // Once the device is gone there is nothing to complain about.
        OnDeviceChange(KestSimMouse::interfaceName(KestSimDevice::Receiver, 0), false);
        OnDeviceChange(KestSimMouse::interfaceName(KestSimDevice::Receiver, 2), false);
        QVERIFY(permissionProblemText().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
