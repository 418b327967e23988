// SPDX-License-Identifier: GPL-2.0-or-later
// The device worker: requests in the order they were posted, hot-plug among them, and a
// quick end even while the mouse stays silent.

#include <QElapsedTimer>
#include <QMutex>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include "device/kestdeviceworker.h"
#include "device/kestwritetransaction.h"
#include "device/sendcommand.h"
#include "device/writeconfig.h"
#include "platform/pointerspeed.h"
#include "simfixture.h"
#include "store/appsettings.h"

namespace {

// What happened, in order, from whichever thread.
class Journal
{
public:
    void note(const QString &event)
    {
        QMutexLocker lock(&m_lock);
        m_events << event;
    }
    QStringList events()
    {
        QMutexLocker lock(&m_lock);
        return m_events;
    }

private:
    QMutex m_lock;
    QStringList m_events;
};

bool waitIdle(KestDeviceWorker &worker, int ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!worker.isIdle() && clock.elapsed() < ms)
        QTest::qWait(5);
    return worker.isIdle();
}

} // namespace

class TestDeviceWorker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        writeProductConfig(m_dir);
        setPointerSpeedDesktopAccess(false);
    }

    void init()
    {
        m_sim = installSimMouse(true, true);
        BuildDeviceTable();
        QCOMPARE(EnumerateDevices(), 0);
        declareGuiThread(QThread::currentThread());
        resetDeviceCallsOnGuiThread();
    }

    void cleanup()
    {
        declareGuiThread(nullptr);
        CloseDevices();
        setHidBackend(nullptr);
        m_sim.reset();
    }

    // A slot switch asked for before an Apply reaches the mouse before the write, also when
    // the mouse keeps the switch waiting; the window's thread is never held meanwhile.
    void requests_runInTheOrderPosted_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::newRow("answering mouse") << false;
        QTest::newRow("silent mouse") << true;
    }
    void requests_runInTheOrderPosted()
    {
        QFETCH(bool, silent);
        KestDeviceWorker worker;
        worker.call([] { OpenDevices(QByteArrayLiteral("KX-27")); });
        m_sim->setSilent(silent);

        Journal journal;
        connect(&worker, &KestDeviceWorker::slotSelected, &worker,
                [this, &journal](int slot, quint8) {
                    journal.note(QStringLiteral("switched %1").arg(slot));
                    // The mouse speaks again once the switch is over.
                    m_sim->clearFaults();
                },
                Qt::DirectConnection);
        ConfigRecord working;
        ConfigRecord lastWritten;
        quint8 status = 0xFF;

        QElapsedTimer posting;
        posting.start();
        worker.selectSlot(3, 10);
        worker.request<int>(
            [&] {
                journal.note(QStringLiteral("write, mouse on slot %1").arg(m_sim->state().selectedProfile));
                status = applyWorkingSet(working, lastWritten).status;
                return 0;
            },
            this, [&journal](int) { journal.note(QStringLiteral("write done")); });
        QVERIFY2(posting.elapsed() < 50, "posting waited for the mouse");

        QVERIFY(waitIdle(worker));
        QTRY_COMPARE(journal.events().size(), 3);
        // A silent mouse takes the reports; it only never says so.
        const QStringList expected = {QStringLiteral("switched 3"), QStringLiteral("write, mouse on slot 3"),
                                      QStringLiteral("write done")};
        QCOMPARE(journal.events(), expected);
        QCOMPARE(int(status), int(SEND_OK));
        QCOMPARE(deviceCallsOnGuiThread(), 0);
    }

    // The cable pulled in the middle of a write: the write ends, the hot-plug event is
    // handled after it, and the next request goes to the receiver.
    void hotplugDuringWrite_isHandledAfterIt()
    {
        KestDeviceWorker worker;
        QVERIFY(StartDeviceNotifications());
        worker.call([] { OpenDevices(QByteArrayLiteral("KX-27")); });
        m_sim->unplugAfterWrites(KestSimDevice::Cable, 5);

        ConfigRecord working;
        ConfigRecord lastWritten;
        quint8 status = 0xFF;
        worker.request<int>([&] { return status = applyWorkingSet(working, lastWritten).status; },
                            this, [](int) {});
        QVERIFY(waitIdle(worker));
        QVERIFY(status != SEND_OK);
        QVERIFY(!cableCommandPresent());
        QVERIFY(receiverCommandPresent());

        QSignalSpy switched(&worker, &KestDeviceWorker::slotSelected);
        const int receiverWrites = m_sim->writeCount(KestSimDevice::Receiver);
        worker.selectSlot(2, 10);
        QVERIFY(switched.wait(5000));
        QCOMPARE(switched.at(0).at(1).value<quint8>(), quint8(SEND_OK));
        QCOMPARE(int(m_sim->state().selectedProfile), 2);
        QVERIFY(m_sim->writeCount(KestSimDevice::Receiver) > receiverWrites);
        QCOMPARE(deviceCallsOnGuiThread(), 0);
    }

    // With the mouse's real pauses a silent mouse holds a slot switch for seconds; ending
    // the program must not wait for it.
    void quitWhileTheMouseIsSilent_endsWithinASecond()
    {
        setLinkTimings(KestLinkTimings());
        auto worker = std::make_unique<KestDeviceWorker>();
        worker->call([] { OpenDevices(QByteArrayLiteral("KX-27")); });
        m_sim->setSilent(true);
        worker->selectSlot(4, 10);
        worker->selectSlot(1, 10);
        QTest::qWait(200);
        QVERIFY(!worker->isIdle());

        QElapsedTimer quitting;
        quitting.start();
        worker.reset();
        QVERIFY2(quitting.elapsed() < 1000, qPrintable(QString::number(quitting.elapsed())));
        QVERIFY(CommandHandle() == nullptr);
        // The next program run starts with exchanges allowed again.
        QVERIFY(!exchangesCancelled());
    }

    // The check itself: a device call from the declared thread is counted.
    void deviceCallOnTheGuiThread_isNoted()
    {
#ifdef QT_NO_DEBUG
        OpenDevices(QByteArrayLiteral("KX-27"));
        SendCommand(KestGetBatteryThreadQuery());
        QCOMPARE(deviceCallsOnGuiThread(), 2);
        declareGuiThread(nullptr);
        CloseDevices();
        QCOMPARE(deviceCallsOnGuiThread(), 2);
#else
        QSKIP("debug builds stop at the first such call");
#endif
    }

private:
    static KestCommandReport KestGetBatteryThreadQuery()
    {
        KestCommandReport report(CommandReport::BatteryQuery);
        report.seal();
        return report;
    }

    QTemporaryDir m_dir;
    std::shared_ptr<KestSimMouse> m_sim;
};

QTEST_GUILESS_MAIN(TestDeviceWorker)
#include "tst_deviceworker.moc"
