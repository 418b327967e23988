// SPDX-License-Identifier: GPL-2.0-or-later
#include <thread>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include "device/sim/simbackend.h"
#include "platform/hotplug.h"
#include "simfixture.h"

// The simulated mouse stands in for the hardware in every other test, so its
// firmware must read the wire as the mouse does, independently of the program.
class TestSimMouse : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KestSimMouse> m_sim;
    KestHidHandle m_command = nullptr;

    QByteArray send(const KestCommandReport &report)
    {
        return send(*m_sim, m_command, report);
    }

    static QByteArray send(KestSimMouse &sim, KestHidHandle handle, const KestCommandReport &report)
    {
        sim.write(handle, report.data(), CommandReport::WireLength);
        quint8 answer[64] = {};
        const int n = sim.readTimeout(handle, answer, 33, 50);
        return QByteArray(reinterpret_cast<const char *>(answer), qMax(n, 0));
    }

    static KestCommandReport selectReport(quint8 slot)
    {
        KestCommandReport select(0x05);
        select[3] = 0xFA;
        select[4] = 0x44;
        select[5] = slot;
        return select;
    }

    // Slot n gets values of its own in every part a slot keeps; the sensor options, which
    // all slots share, are written with each.
    static void writeSlot(KestSimMouse &sim, KestHidHandle handle, quint8 n)
    {
        send(sim, handle, selectReport(n));
        send(sim, handle, makeReport(0x01, {n, quint8(1 << (n % 4)), quint8(n + 1), quint8(n + 2), quint8(n + 3)}));
        send(sim, handle, makeReport(0x02, {0x06, 0x02, quint8(n + 4), n, 0x01, 0x00, quint8(0x10 * n), 0x22, 0x33}));
        send(sim, handle, makeReport(0x05, {n, quint8(0x10 + n), 0, quint8(0x10 + n), 0}));
        send(sim, handle, makeReport(0x07, {0x8F, n, 0x2B, 0}));
    }

private slots:
    void init()
    {
        QCoreApplication::processEvents(); // hot-plug events of earlier tests
        m_sim = std::make_unique<KestSimMouse>(true, true);
        m_command = m_sim->open(KestSimMouse::path(KestSimDevice::Cable, 2));
        QVERIFY(m_command);
    }

    void cleanup()
    {
        m_sim->close(m_command);
        m_sim.reset();
    }

    void faultsFromTheEnvironment_reachTheMouseTheLinkPicks()
    {
        // What the utility's demo mode does at start-up.
        qputenv("MOUSECFG_SIMULATE", "cable");
        qputenv(KestSimMouse::FaultVariable, "write-error");
        std::shared_ptr<KestSimMouse> sim = useSimulatedMouseFromEnvironment();
        QVERIFY(sim);
        QCOMPARE(&hidBackend(), static_cast<KestHidBackend *>(sim.get()));
        KestHidHandle handle = sim->open(KestSimMouse::path(KestSimDevice::Cable, 2));
        QVERIFY(handle);
        QCOMPARE(sim->write(handle, makeReport(0x01, {}).data(), 33), -1);
        sim->close(handle);
        QVERIFY(!sim->isPlugged(KestSimDevice::Receiver, 2));

        // An unknown fault leaves the mouse sane.
        qputenv("MOUSECFG_SIMULATE", "both");
        qputenv(KestSimMouse::FaultVariable, "grumpy");
        sim = useSimulatedMouseFromEnvironment();
        handle = sim->open(KestSimMouse::path(KestSimDevice::Cable, 2));
        QCOMPARE(sim->write(handle, makeReport(0x01, {}).data(), 33), 33);
        sim->close(handle);

        // Without the variable the real devices stay.
        qunsetenv("MOUSECFG_SIMULATE");
        qunsetenv(KestSimMouse::FaultVariable);
        setHidBackend(nullptr);
        QVERIFY(!useSimulatedMouseFromEnvironment());
        QVERIFY(!hidBackend().announcesHotplug());
        setHidBackend(nullptr);
    }

    void enumerate_listsEveryCollectionOfPluggedInterfaces()
    {
        m_sim->unplugDevice(KestSimDevice::Receiver);
        const QVector<KestHidDeviceInfo> all = m_sim->enumerate();
        // Interface 0 has two collections, 1 and 2 one each.
        QCOMPARE(all.size(), 4);
        int vendorEntries = 0;
        for (const KestHidDeviceInfo &info : all) {
            QCOMPARE(info.productId, KestSimMouse::CableProductId);
            QCOMPARE(info.releaseNumber, KestSimMouse::CableRelease);
            if (info.usagePage == 0xFF00) {
                ++vendorEntries;
                QCOMPARE(info.interfaceNumber, 2);
                QCOMPARE(info.path, KestSimMouse::path(KestSimDevice::Cable, 2));
            }
        }
        QCOMPARE(vendorEntries, 1);
        QVERIFY(m_sim->enumerate(KestSimMouse::VendorId, KestSimMouse::ReceiverProductId).isEmpty());
    }

    void answer_isEchoOfBytes1To32()
    {
        const KestCommandReport report = makeReport(0x01, {0x03, 0x02, 0x05, 0x07, 0x09});
        const QByteArray answer = send(report);
        QCOMPARE(answer.size(), 32);
        QCOMPARE(answer, QByteArray(reinterpret_cast<const char *>(report.data() + 1), 32));
    }

    void settingsCommands_areDecoded()
    {
        send(makeReport(0x01, {0x03, 0x02, 0x05, 0x07, 0x09}));
        send(makeReport(0x02, {0x06, 0x02, 0x0A, 0x01, 0x01, 0x00, 0x11, 0x22, 0x33}));
        const KestSimMouseState s = m_sim->state();
        QCOMPARE(s.activeDpiLevel, quint8(3));
        QCOMPARE(s.reportRate, quint8(2));
        QCOMPARE(s.ledMode, quint8(5));
        QCOMPARE(s.ledSpeed, quint8(7));
        QCOMPARE(s.ledBrightness, quint8(9));
        QCOMPARE(s.sensorBlock, quint8(6));
        QCOMPARE(s.liftHeight, quint8(2));
        QCOMPARE(s.ledSleepTime, quint8(10));
        QCOMPARE(s.ledOffWhenMoving, quint8(1));
        QCOMPARE(s.angleSnap, quint8(1));
        QCOMPARE(s.sync, quint8(0));
        QCOMPARE(QVector<int>({s.red, s.green, s.blue}), QVector<int>({0x11, 0x22, 0x33}));
    }

    void dpiCommands_keepRawBytesPerLevel()
    {
        KestCommandReport low(0x05);
        for (int level = 0; level < 6; ++level)
            for (int b = 0; b < 5; ++b)
                low[2 + 5 * level + b] = quint8(level * 16 + b);
        low.seal();
        send(low);
        send(makeReport(0x06, {1, 0xF0, 0x00, 0x40, 0x01, 0, 0x20, 0, 0x20, 0}));
        const KestSimMouseState s = m_sim->state();
        QCOMPARE(s.dpi[4], (KestSimDpiLevel{0x40, 0x41, 0x42, 0x43, 0x44}));
        QCOMPARE(s.dpi[6], (KestSimDpiLevel{1, 0xF0, 0x00, 0x40, 0x01}));
        QCOMPARE(s.dpi[7], (KestSimDpiLevel{0, 0x20, 0, 0x20, 0}));
    }

    void buttonCommands_fillSixteenEntries()
    {
        for (quint8 code : {0x07, 0x08, 0x09}) {
            KestCommandReport r(code);
            const int entries = code == 0x09 ? 2 : 7;
            for (int e = 0; e < entries; ++e)
                for (int b = 0; b < 4; ++b)
                    r[2 + 4 * e + b] = quint8(code * 16 + e * 4 + b);
            r.seal();
            send(r);
        }
        const KestSimMouseState s = m_sim->state();
        QCOMPARE(s.buttons[0], (KestSimButton{0x70, 0x71, 0x72, 0x73}));
        QCOMPARE(s.buttons[7], (KestSimButton{0x80, 0x81, 0x82, 0x83}));
        QCOMPARE(s.buttons[13], (KestSimButton{0x98, 0x99, 0x9A, 0x9B}));
        QCOMPARE(s.buttons[15], (KestSimButton{0x94, 0x95, 0x96, 0x97}));
    }

    void macroCommands_fillSlotsOf256Bytes()
    {
        // Slot 1 is carried by commands 0x19..0x21: eight of 30 bytes, then 16.
        for (int part = 0; part < 9; ++part) {
            KestCommandReport r(quint8(0x19 + part));
            for (int b = 0; b < (part < 8 ? 30 : 16); ++b)
                r[2 + b] = quint8(part + 1);
            r.seal();
            send(r);
        }
        const KestSimMouseState s = m_sim->state();
        QCOMPARE(s.macros[1][0], quint8(1));
        QCOMPARE(s.macros[1][239], quint8(8));
        QCOMPARE(s.macros[1][240], quint8(9));
        QCOMPARE(s.macros[1][255], quint8(9));
        QCOMPARE(s.macros[0][0], quint8(0));
        QCOMPARE(s.macros[2][0], quint8(0));
        // The last command of the last slot.
        send(makeReport(0x7B, {0xAB}));
        QCOMPARE(m_sim->state().macros[11][240], quint8(0xAB));
    }

    void markers_openAndCloseTheTransaction()
    {
        send(makeReport(0x00, {0xAA, 0x55}));
        QVERIFY(m_sim->state().transactionOpen);
        send(makeReport(0x00, {0xCC, 0x33}));
        const KestSimMouseState s = m_sim->state();
        QVERIFY(!s.transactionOpen);
        QCOMPARE(s.beginMarkers, 1);
        QCOMPARE(s.endMarkers, 1);
    }

    void extendedCommands_selectProfileAndAreToldFromDpi()
    {
        KestCommandReport select(0x05);
        select[3] = 0xFA;
        select[4] = 0x44;
        select[5] = 2;
        send(select);
        KestCommandReport query(0x05);
        query[3] = 0xFA;
        query[4] = 0x40;
        query[5] = 0xF3;
        query[6] = 0x04;
        send(query);
        // A DPI report whose level 0 happens to start 0x00 0xFA carries a checksum.
        send(makeReport(0x05, {0x00, 0xFA, 0x00, 0xFA, 0x00}));
        const KestSimMouseState s = m_sim->state();
        QCOMPARE(s.selectedProfile, quint8(2));
        QCOMPARE(s.extendedRequests, (QVector<QPair<quint8, quint8>>{{0xF3, 0x04}}));
        QCOMPARE(s.dpi[0], (KestSimDpiLevel{0x00, 0xFA, 0x00, 0xFA, 0x00}));
    }

    void slotSwitch_bringsBackEachSlotsOwnValues()
    {
        for (quint8 n = 0; n < 5; ++n)
            writeSlot(*m_sim, m_command, n);
        quint8 buffer[64] = {};
        while (m_sim->readTimeout(m_command, buffer, 33, 0) > 0) {
        }

        // Every order of switching: each slot answers with its own level and rate.
        for (quint8 n : {2, 0, 4, 1, 3, 3, 0}) {
            QCOMPARE(int(quint8(send(selectReport(n)).at(3))), 0x44); // the echo first
            const int read = m_sim->readTimeout(m_command, buffer, 33, 50);
            QCOMPARE(read, 32);
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer), 4), QByteArray::fromHex("0aaaffdd"));
            QCOMPARE(int(buffer[6]), int(n));
            QCOMPARE(int(buffer[7]), 1 << (n % 4));
            const KestSimMouseState s = m_sim->state();
            QCOMPARE(int(s.selectedProfile), int(n));
            QCOMPARE(int(s.ledMode), n + 1);
            QCOMPARE(int(s.red), 0x10 * n);
            QCOMPARE(int(s.dpi[0].xLow), 0x10 + n);
            QCOMPARE(int(s.buttons[0].p1), int(n));
            QCOMPARE(int(s.liftHeight), 2); // shared by all slots
        }
        for (int n = 0; n < 5; ++n)
            QCOMPARE(int(m_sim->slot(n).ledSleepTime), n + 4);

        // A slot the mouse does not have is refused and changes nothing.
        const int unknown = m_sim->state().unknownCommands;
        send(selectReport(5));
        QCOMPARE(int(m_sim->state().selectedProfile), 0);
        QCOMPARE(m_sim->state().unknownCommands, unknown + 1);
    }

    void memory_outlivesTheProgramInItsFile()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("state/mousecfg/simulated-mouse.mem"));
        {
            KestSimMouse first(false, true);
            QVERIFY(first.setMemoryFile(file));
            KestHidHandle handle = first.open(KestSimMouse::path(KestSimDevice::Cable, 2));
            for (quint8 n = 0; n < 5; ++n)
                writeSlot(first, handle, n);
            send(first, handle, makeReport(0x10, {0xAB}));
            send(first, handle, selectReport(1));
            first.setDpiLevelCount(4);
            first.pressDpiButton(); // a change made on the mouse is kept as well
            first.close(handle);
        }
        QVERIFY(QFile::exists(file));

        KestSimMouse second(false, true);
        QVERIFY(second.setMemoryFile(file));
        const KestSimMouseState s = second.state();
        QCOMPARE(int(s.selectedProfile), 1);
        QCOMPARE(int(s.activeDpiLevel), 2);
        QCOMPARE(int(s.macros[0][0]), 0xAB);
        QCOMPARE(int(s.liftHeight), 2);
        QCOMPARE(s.endMarkers, 0); // counters are not memory
        for (quint8 n : {0, 2, 3, 4})
            QCOMPARE(int(second.slot(n).ledMode), n + 1);

        // A damaged file is not taken: the mouse starts blank.
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("MSIM\x01 too short");
        damaged.close();
        KestSimMouse third(false, true);
        QVERIFY(!third.setMemoryFile(file));
        QCOMPARE(int(third.state().selectedProfile), 0);
        QCOMPARE(third.slot(3), KestSimSlot());
    }

    void memoryFromTheEnvironment_isTheStateFolderUnlessBlank()
    {
        QTemporaryDir dir;
        qputenv("XDG_STATE_HOME", dir.path().toLocal8Bit());
        qputenv(SimulatedMemoryVariable, "");
        KestSimMouse kept(true, false);
        useSimulatedMemory(kept);
        QCOMPARE(kept.memoryFile(), dir.path() + QStringLiteral("/mousecfg/simulated-mouse.mem"));
        qputenv(SimulatedMemoryVariable, "blank");
        KestSimMouse blank(true, false);
        useSimulatedMemory(blank);
        QVERIFY(blank.memoryFile().isEmpty());
    }

    void badChecksum_isEchoedButNotApplied()
    {
        KestCommandReport r = makeReport(0x01, {0x05, 0x08});
        r[32] ^= 0x01;
        QCOMPARE(send(r).size(), 32);
        const KestSimMouseState s = m_sim->state();
        QCOMPARE(s.activeDpiLevel, quint8(0));
        QCOMPARE(s.checksumErrors, 1);
    }

    void batteryQuery_answersWithStatusReport()
    {
        m_sim->setBattery(64, 1);
        send(makeReport(0x01, {0x02, 0x04}));
        const QByteArray answer = send(makeReport(0x0A, {0xAA, 0xFF, 0xDD}));
        QCOMPARE(answer.left(8), QByteArray::fromHex("0aaaffdd40010204"));
    }

    void eventsOnMouse_queueStatusReports()
    {
        m_sim->setDpiLevelCount(3);
        m_sim->setDpiLevelOnMouse(2);
        m_sim->pressDpiButton(); // wraps to 0
        m_sim->setReportRateOnMouse(8);
        quint8 buffer[64] = {};
        QVector<QByteArray> reports;
        while (m_sim->readTimeout(m_command, buffer, 33, 0) > 0)
            reports.append(QByteArray(reinterpret_cast<const char *>(buffer), 8));
        QCOMPARE(reports.size(), 3);
        QCOMPARE(quint8(reports[0][6]), quint8(2));
        QCOMPARE(quint8(reports[1][6]), quint8(0));
        QCOMPARE(quint8(reports[2][7]), quint8(8));
        QVERIFY(reports[2].startsWith(QByteArray::fromHex("0aaaffdd")));
    }

    void read_waitsForInputArrivingLater()
    {
        std::thread later([this] {
            QThread::msleep(40);
            m_sim->pressDpiButton();
        });
        QElapsedTimer clock;
        clock.start();
        quint8 buffer[64] = {};
        const int n = m_sim->readTimeout(m_command, buffer, 33, 2000);
        const qint64 waited = clock.elapsed();
        later.join();
        QCOMPARE(n, 32);
        QVERIFY2(waited >= 30 && waited < 1500, qPrintable(QString::number(waited)));
    }

    void read_timesOutWithZeroBytes()
    {
        QElapsedTimer clock;
        clock.start();
        quint8 buffer[64] = {};
        QCOMPARE(m_sim->readTimeout(m_command, buffer, 33, 60), 0);
        QVERIFY(clock.elapsed() >= 55);
    }

    void unplug_failsPendingReadAndStaysDeadAfterReplug()
    {
        std::thread pull([this] {
            QThread::msleep(30);
            m_sim->unplug(KestSimDevice::Cable, 2);
        });
        quint8 buffer[64] = {};
        QCOMPARE(m_sim->readTimeout(m_command, buffer, 33, 2000), -1);
        pull.join();
        m_sim->plug(KestSimDevice::Cable, 2);
        QCOMPARE(m_sim->write(m_command, buffer, 33), -1);
        KestHidHandle fresh = m_sim->open(KestSimMouse::path(KestSimDevice::Cable, 2));
        QVERIFY(fresh);
        QCOMPARE(m_sim->write(fresh, makeReport(0x01, {}).data(), 33), 33);
        m_sim->close(fresh);
    }

    void plugAndUnplug_goThroughTheHotplugMonitor()
    {
        QSignalSpy spy(KestHotplugMonitor::instance(), &KestHotplugMonitor::deviceInterfaceChanged);
        m_sim->unplugDevice(KestSimDevice::Receiver);
        m_sim->unplug(KestSimDevice::Receiver, 2); // already out: no event
        m_sim->plug(KestSimDevice::Receiver, 2);
        QVERIFY(spy.isEmpty()); // delivered through the event loop, like system events
        QTRY_COMPARE(spy.size(), 4);
        QCOMPARE(spy[0][0].toString(), QStringLiteral("HID#VID_C0DE&PID_0D01&MI_00#sim-receiver-if0"));
        QCOMPARE(spy[0][1].toBool(), false);
        QCOMPARE(spy[2][0].toString(), QStringLiteral("HID#VID_C0DE&PID_0D01&MI_02#sim-receiver-if2"));
        QCOMPARE(spy[3][1].toBool(), true);
        QVERIFY(m_sim->isPlugged(KestSimDevice::Receiver, 2));
        QVERIFY(!m_sim->isPlugged(KestSimDevice::Receiver, 0));
    }

    void faults_allZeroAndWriteErrorsCountDown()
    {
        m_sim->setAllZeroAnswers(1);
        QCOMPARE(send(makeReport(0x01, {1})), QByteArray(32, '\0'));
        QCOMPARE(send(makeReport(0x01, {1})).at(0), char(0x01));
        m_sim->setWriteErrors(1);
        QCOMPARE(m_sim->write(m_command, makeReport(0x01, {}).data(), 33), -1);
        QCOMPARE(m_sim->write(m_command, makeReport(0x01, {}).data(), 33), 33);
    }
};

QTEST_GUILESS_MAIN(TestSimMouse)
#include "tst_simmouse.moc"
