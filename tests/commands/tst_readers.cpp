// SPDX-License-Identifier: GPL-2.0-or-later
#include <QSignalSpy>
#include <QtTest>

#include "commandfixture.h"
#include "device/kestbatteryreader.h"

namespace {

// A report as the mouse sends it by itself: answer byte 0 is the command, 1..3 the signature.
QByteArray statusReport(quint8 dpiByte, quint8 rate, bool signed_ = true)
{
    QByteArray report(32, '\0');
    report[0] = char(0x0A);
    report[1] = char(signed_ ? 0xAA : 0xAB);
    report[2] = char(0xFF);
    report[3] = char(0xDD);
    report[6] = char(dpiByte);
    report[7] = char(rate);
    return report;
}

KestGetBatteryThread::Timings fastTimings(int passesPerQuery)
{
    KestGetBatteryThread::Timings t;
    t.readTimeoutMs = 10;
    t.afterReadMs = 1;
    t.afterQueryMs = 5;
    t.passesPerQuery = passesPerQuery;
    return t;
}

} // namespace

class ReadersTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CommandFixture> m_fx;

private slots:
    void init()
    {
        m_fx = std::make_unique<CommandFixture>();
        m_fx->plugSimMouse();
    }

    void cleanup() { m_fx.reset(); }

    void firstPass_queriesBatteryAndStatus()
    {
        m_fx->sim().setBattery(77, 1);
        m_fx->sim().setReportRateOnMouse(2);
        KestBatteryReader reader;
        reader.setTimings(fastTimings(1000));
        QSignalSpy battery(&reader, &KestBatteryReader::batteryReported);
        QSignalSpy status(&reader, &KestBatteryReader::statusReported);
        reader.start();
        QTRY_COMPARE(battery.count(), 1);
        QCOMPARE(battery.at(0), (QList<QVariant>{quint8(0), quint8(77), quint8(1)}));
        QTRY_VERIFY(status.count() >= 1);
        QCOMPARE(status.constLast().at(2).value<quint8>(), quint8(2));
    }

    void statusBetweenQueries_updatesDpiAndRateWithoutBattery()
    {
        KestBatteryReader reader;
        reader.setTimings(fastTimings(1000));
        QSignalSpy battery(&reader, &KestBatteryReader::batteryReported);
        QSignalSpy status(&reader, &KestBatteryReader::statusReported);
        reader.start();
        QTRY_COMPARE(battery.count(), 1);
        QTRY_COMPARE(status.count(), 1);

        m_fx->sim().queueInput(statusReport(0x05, 4, false)); // no signature: ignored
        m_fx->sim().queueInput(statusReport(0x13, 8));        // high bits are not the level
        QTRY_COMPARE(status.count(), 2);
        QCOMPARE(status.at(1), (QList<QVariant>{quint8(0), quint8(3), quint8(8), quint8(0)}));
        QTest::qWait(50);
        QCOMPARE(status.count(), 2);
        QCOMPARE(battery.count(), 1);
    }

    void queryComesBackAfterItsPasses()
    {
        KestBatteryReader reader;
        reader.setTimings(fastTimings(3));
        QSignalSpy battery(&reader, &KestBatteryReader::batteryReported);
        reader.start();
        QTRY_VERIFY(battery.count() >= 3);
    }

    void bothDevicesClosed_reportsZeroOnceAndEnds()
    {
        KestBatteryReader reader;
        reader.setTimings(fastTimings(5));
        QSignalSpy battery(&reader, &KestBatteryReader::batteryReported);
        reader.start();
        QTRY_VERIFY(battery.count() >= 1);
        battery.clear();
        CloseDevices();
        QTRY_VERIFY(!reader.isRunning());
        QTest::qWait(50);
        QCOMPARE(battery.count(), 1);
        QCOMPARE(battery.at(0), (QList<QVariant>{quint8(0), quint8(0), quint8(0)}));

        // A reader that ended by itself is replaced by the next start.
        OpenDevices(QString::fromLatin1(CommandFixture::Model));
        reader.start();
        QVERIFY(reader.isRunning());
    }

    // At the mouse's own pacing an idle reader sleeps between queries instead of polling, yet a
    // report the mouse sends is passed on at once, and a stop or an unplug ends the sleep.
    void idleReader_sleepsUntilTheMouseSpeaks()
    {
        KestBatteryReader reader; // default pacing: a query about every 2.7 s
        QSignalSpy battery(&reader, &KestBatteryReader::batteryReported);
        QSignalSpy status(&reader, &KestBatteryReader::statusReported);
        reader.start();
        QTRY_COMPARE(battery.count(), 1);
        const int reads = m_fx->sim().readCount();
        QTest::qWait(600);
        QCOMPARE(m_fx->sim().readCount(), reads); // polling would have read ten times

        QElapsedTimer clock;
        clock.start();
        m_fx->sim().queueInput(statusReport(0x02, 1));
        QTRY_COMPARE(status.count(), 2);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(status.at(1).at(1).value<quint8>(), quint8(2));
        QCOMPARE(battery.count(), 1);

        clock.restart();
        reader.stop();
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(!reader.isRunning());

        reader.start();
        QTRY_COMPARE(battery.count(), 2);
        battery.clear();
        clock.restart();
        CloseDevices();
        QTRY_VERIFY_WITH_TIMEOUT(!reader.isRunning(), 1000);
        QTRY_COMPARE(battery.count(), 1);
        QCOMPARE(battery.at(0), (QList<QVariant>{quint8(0), quint8(0), quint8(0)}));
    }

    // A backend that cannot wait (no device node) gets the passes: the first query soon,
    // reports between queries, and a stop that ends it.
    void backendThatCannotWait_getsThePasses()
    {
        m_fx->sim().setWaitsForInput(false);
        m_fx->sim().setBattery(64);
        KestBatteryReader reader;
        reader.setTimings(fastTimings(1000));
        QSignalSpy battery(&reader, &KestBatteryReader::batteryReported);
        QSignalSpy status(&reader, &KestBatteryReader::statusReported);
        reader.start();
        QTRY_COMPARE_WITH_TIMEOUT(battery.count(), 1, 2000);
        QCOMPARE(battery.at(0).at(1).value<quint8>(), quint8(64));
        QTRY_COMPARE(status.count(), 1);
        m_fx->sim().queueInput(statusReport(0x04, 2));
        QTRY_COMPARE(status.count(), 2);
        const int reads = m_fx->sim().readCount();
        QTRY_VERIFY(m_fx->sim().readCount() > reads + 3); // it polls
        reader.stop();
        QVERIFY(!reader.isRunning());
    }

    void stop_returnsOnlyOnceTheReaderIsGone()
    {
        KestBatteryReader reader;
        reader.setTimings(fastTimings(2));
        reader.start();
        reader.start(); // no second reader on the same handle
        QTRY_VERIFY(m_fx->sim().readCount() > 4);
        reader.stop();
        QVERIFY(!reader.isRunning());
        const int reads = m_fx->sim().readCount();
        const int writes = m_fx->sim().writeCount();
        QTest::qWait(60);
        QCOMPARE(m_fx->sim().readCount(), reads);
        QCOMPARE(m_fx->sim().writeCount(), writes);
    }
};

QTEST_GUILESS_MAIN(ReadersTest)
#include "tst_readers.moc"
