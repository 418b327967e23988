// SPDX-License-Identifier: GPL-2.0-or-later
// Two programs on one mouse: the per-device lock keeps their exchanges apart. The other
// program is played by flock(1) holding the same lock file.

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include "device/kestdevicelock.h"
#include "device/sendcommand.h"
#include "device/kestwritetransaction.h"
#include "device/writeconfig.h"
#include "platform/pointerspeed.h"
#include "simfixture.h"

namespace {

const QByteArray kCable = "c0de-0d02";

// Another process holding the lock of `device`: for `seconds`, or until this object goes
// when `seconds` is 0 (flock runs cat, which ends when its input is closed). -o keeps the
// lock with flock itself, so nothing is left holding it afterwards.
class OtherHolder
{
public:
    OtherHolder(const QByteArray &device, double seconds)
    {
        QStringList arguments = {QStringLiteral("-o"), KestDeviceLock::lockFilePath(device)};
        if (seconds > 0)
            arguments << QStringLiteral("sleep") << QString::number(seconds);
        else
            arguments << QStringLiteral("cat");
        m_process.start(QStringLiteral("flock"), arguments);
        m_started = m_process.waitForStarted();
        // Held once a try of our own fails.
        QElapsedTimer waited;
        waited.start();
        while (m_started && KestDeviceLock(device, 0).isHeld() && waited.elapsed() < 5000)
            QThread::msleep(5);
    }
    ~OtherHolder()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    bool started() const { return m_started; }

private:
    QProcess m_process;
    bool m_started = false;
};

// Whether another process could take the lock right now.
bool freeForOthers(const QByteArray &device)
{
    return QProcess::execute(QStringLiteral("flock"), {QStringLiteral("-n"), KestDeviceLock::lockFilePath(device),
                                                      QStringLiteral("true")})
           == 0;
}

} // namespace

class TestDeviceLock : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        setPointerSpeedDesktopAccess(false);
        m_sim = installSimMouse(true, true);
        // The simulated mouse plays a real one here: its lock is what is tried.
        KestDeviceLock::setBetweenProcesses(true);
        QVERIFY(m_dir.isValid());
        writeProductConfig(m_dir);
        BuildDeviceTable();
        EnumerateDevices();
        OpenDevices(QStringLiteral("KX-27"));
        KestDeviceLock::setDefaultWaitMs(200);
    }

    void cleanup()
    {
        CloseDevices();
        KestDeviceLock::setDefaultWaitMs(5000);
    }

    void lockIsNamedAfterTheDeviceInUse()
    {
        QCOMPARE(KestDeviceLock::deviceName(), kCable);
        QVERIFY(KestDeviceLock::lockFilePath(kCable).endsWith(QLatin1String("/mousecfg-c0de-0d02.lock")));
        CloseDevices();
        QVERIFY(KestDeviceLock::deviceName().isEmpty());
        QVERIFY(KestDeviceLock(0).isHeld()); // nothing to guard
    }

    void holdersOfOneProcess_shareTheLockUntilTheLastLeaves()
    {
        {
            KestDeviceLock outer(kCable, 0);
            QVERIFY(outer.isHeld());
            QVERIFY(!freeForOthers(kCable));
            {
                KestDeviceLock inner(kCable, 0); // a transaction's exchanges ride on it
                QVERIFY(inner.isHeld());
            }
            QVERIFY(!freeForOthers(kCable));
        }
        QVERIFY(freeForOthers(kCable));
    }

    void exchangesWhileAnotherProgramHoldsTheMouse_areNotMade()
    {
        OtherHolder other(kCable, 0);
        QVERIFY(other.started());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!KestDeviceLock(kCable, 150).isHeld());
        QVERIFY(clock.elapsed() >= 150);

        m_sim->resetCounters();
        QCOMPARE(int(SendCommand(makeReport(0x01, {0x00, 0x01, 0x02}))), int(SEND_GAVE_UP));
        ConfigRecord record;
        makeDefaultConfig(record);
        QCOMPARE(int(writeProfileSet(record).status), int(SEND_GAVE_UP));
        QCOMPARE(int(SelectProfileOnDevice(1, record.profiles[1].mousespeed)), int(SEND_GAVE_UP));
        QCOMPARE(m_sim->writeCount(), 0);
    }

    void aWaitingExchange_goesOnceTheOtherProgramIsDone()
    {
        OtherHolder other(kCable, 0.3);
        QVERIFY(other.started());
        KestDeviceLock::setDefaultWaitMs(5000);
        ConfigRecord record;
        makeDefaultConfig(record);
        QCOMPARE(int(writeProfileSet(record).status), 0);
        QCOMPARE(m_sim->state().endMarkers, 1);
    }

    void aSimulatedMouse_waitsForNoOtherProgram()
    {
        OtherHolder other(kCable, 0);
        QVERIFY(other.started());
        // Each simulated mouse lives in its own process: two tools each with their own
        // have nothing to keep apart.
        m_sim = installSimMouse(true, true);
        QVERIFY(!KestDeviceLock::betweenProcesses());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(KestDeviceLock(kCable, 2000).isHeld());
        QVERIFY(clock.elapsed() < 1000);
    }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<KestSimMouse> m_sim;
};

QTEST_GUILESS_MAIN(TestDeviceLock)
#include "tst_devicelock.moc"
