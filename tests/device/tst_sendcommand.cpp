// SPDX-License-Identifier: GPL-2.0-or-later
#include <future>

#include <QtTest>

#include "device/sendcommand.h"
#include "simfixture.h"

class TestSendCommand : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<KestSimMouse> m_sim;

    void openCommandHandles(bool receiver, bool cable)
    {
        if (receiver)
            commandHandle1 = m_sim->open(KestSimMouse::path(KestSimDevice::Receiver, 2));
        if (cable)
            commandHandle2 = m_sim->open(KestSimMouse::path(KestSimDevice::Cable, 2));
    }

    // Answered report: byte 4 is a small parameter.
    static KestCommandReport settingsReport() { return makeReport(0x01, {0x02, 0x01, 0x03, 0x04, 0x05}); }

private slots:
    void init()
    {
        m_sim = installSimMouse(true, true);
        openCommandHandles(true, true);
    }

    void cleanup() { CloseDevices(); }

    void checksum_isComplementOfSum()
    {
        const quint8 begin[31] = {0x00, 0xAA, 0x55};
        QCOMPARE(Checksum(begin, 31), quint8(0x00));
        const quint8 zeros[31] = {};
        QCOMPARE(Checksum(zeros, 31), quint8(0xFF));
        // The battery query sums from the report ID over 30 bytes; with the
        // ID zero and the tail empty that is the same value.
        const quint8 query[33] = {0x00, 0x0A, 0xAA, 0xFF, 0xDD};
        QCOMPARE(Checksum(query, 30), Checksum(query + 1, 31));
        QCOMPARE(Checksum(query + 1, 31), quint8(~(0x0A + 0xAA + 0xFF + 0xDD)));
    }

    void exactEcho_oneWriteOneRead()
    {
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(), 1);
        QCOMPARE(m_sim->readCount(), 1);
    }

    void answerAwaited_byByte4_data()
    {
        QTest::addColumn<quint8>("byte4");
        QTest::addColumn<int>("reads");
        QTest::newRow("0x00") << quint8(0x00) << 1;
        QTest::newRow("0x0A") << quint8(0x0A) << 1;
        QTest::newRow("0x0B") << quint8(0x0B) << 0;
        QTest::newRow("0x40") << quint8(0x40) << 1;
        QTest::newRow("0x44") << quint8(0x44) << 0;
        QTest::newRow("0x46") << quint8(0x46) << 1;
        QTest::newRow("0xFF") << quint8(0xFF) << 0;
    }

    void answerAwaited_byByte4()
    {
        QFETCH(quint8, byte4);
        QFETCH(int, reads);
        QCOMPARE(SendCommand(makeReport(0x01, {0x00, 0x01, byte4})), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(), 1);
        QCOMPARE(m_sim->readCount(), reads);
    }

    void profileSelect_isWrittenWithoutReading()
    {
        KestCommandReport select(0x05);
        select[3] = 0xFA;
        select[4] = 0x44;
        select[5] = 3;
        QCOMPARE(SendCommand(select), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(), 1);
        QCOMPARE(m_sim->readCount(), 0);
        QCOMPARE(m_sim->state().selectedProfile, quint8(3));
    }

    void staleEchoOfUnreadReport_isSkippedByReread()
    {
        // The mouse echoes even what nobody reads, and tells about the switch in a status
        // report; the next exchange finds both first, sees mismatches and reads again
        // without rewriting.
        KestCommandReport select(0x05);
        select[3] = 0xFA;
        select[4] = 0x44;
        QCOMPARE(SendCommand(select), quint8(SEND_OK));
        KestCommandReport query(0x05);
        query[3] = 0xFA;
        query[4] = 0x40;
        query[5] = 0xF3;
        query[6] = 0x01;
        QCOMPARE(SendCommand(query), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(), 2);
        QCOMPARE(m_sim->readCount(), 3);
    }

    void sixAllZeroAnswers_endInSuccessAfterSixWrites()
    {
        m_sim->setAllZeroAnswers(-1);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(), 6);
        QCOMPARE(m_sim->readCount(), 6);
    }

    void silentMouse_isNotConfirmedAfterSixWrites()
    {
        // Time-outs cost what six zero answers cost, but confirm nothing.
        m_sim->setSilent(true);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_GAVE_UP));
        QCOMPARE(m_sim->writeCount(), 6);
        QCOMPARE(m_sim->readCount(), 6);
    }

    void oneZeroAnswerAmongTimeOuts_keepsTheZeroRule()
    {
        // The mouse did answer, with zeros, and then fell silent.
        m_sim->setSilent(true);
        m_sim->queueInput(QByteArray(32, '\0'));
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(), 6);
        QCOMPARE(m_sim->readCount(), 6);
    }

    void fiveAllZeroThenEcho_succeedsOnSixthWrite()
    {
        m_sim->setAllZeroAnswers(5);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(), 6);
        QCOMPARE(m_sim->readCount(), 6);
    }

    void mismatchThenMatch_rereadsWithoutRewrite()
    {
        m_sim->setWrongEchoes(1);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(), 1);
        QCOMPARE(m_sim->readCount(), 2);
    }

    void mismatchInChecksumByteOnly_countsAsMismatch()
    {
        m_sim->setWrongEchoes(1, 31);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_OK));
        QCOMPARE(m_sim->readCount(), 2);
    }

    void persistentMismatch_givesUpAfterThreeWrites()
    {
        m_sim->setWrongEchoes(-1, 31);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_GAVE_UP));
        // 20 reads for the first write; the counter is never reset, so each
        // rewrite gets one read before the next.
        QCOMPARE(m_sim->writeCount(), 3);
        QCOMPARE(m_sim->readCount(), 22);
    }

    void mismatchThenAllZero_isNotTakenForSuccess()
    {
        // After a wrong answer the all-zero rule no longer forgives zeros.
        m_sim->queueInput(QByteArray(32, char(0x33)));
        m_sim->setAllZeroAnswers(-1);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_GAVE_UP));
        QVERIFY(m_sim->writeCount() > 6);
    }

    void failingReads_giveUpAfter32Reads()
    {
        m_sim->setReadErrors(-1);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_GAVE_UP));
        QCOMPARE(m_sim->writeCount(), 3);
        QCOMPARE(m_sim->readCount(), 32);
    }

    void writeError_returnsAtOnce()
    {
        m_sim->setWriteErrors(1);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_WRITE_FAILED));
        QCOMPARE(m_sim->writeCount(), 1);
        QCOMPARE(m_sim->readCount(), 0);
    }

    void unplugDuringExchange_endsInWriteFailure()
    {
        m_sim->unplugAfterWrites(KestSimDevice::Cable, 1);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_WRITE_FAILED));
        QCOMPARE(m_sim->writeCount(), 2);
        QCOMPARE(m_sim->readCount(), 30);
    }

    void bothHandlesClosed_noDeviceAndNoTraffic()
    {
        CloseDevices();
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_NO_DEVICE));
        QCOMPARE(m_sim->writeCount(), 0);
        QCOMPARE(m_sim->readCount(), 0);
    }

    void cablePreferredOverReceiver()
    {
        QCOMPARE(CommandHandle(), commandHandle2);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(KestSimDevice::Cable), 1);
        QCOMPARE(m_sim->writeCount(KestSimDevice::Receiver), 0);

        CloseDevices();
        openCommandHandles(true, false);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(KestSimDevice::Receiver), 1);

        openCommandHandles(false, true);
        QCOMPARE(SendCommand(settingsReport()), quint8(SEND_OK));
        QCOMPARE(m_sim->writeCount(KestSimDevice::Cable), 2);
        QCOMPARE(m_sim->writeCount(KestSimDevice::Receiver), 1);
    }

    void concurrentExchanges_doNotInterleave()
    {
        // Two threads, as the write worker and the GUI thread: each exchange
        // must read its own echo, so no read is ever wasted on a mismatch.
        const auto run = [](quint8 command) {
            int failures = 0;
            for (int i = 0; i < 25; ++i)
                failures += SendCommand(makeReport(command, {quint8(i), 0, 1})) != SEND_OK;
            return failures;
        };
        std::future<int> a = std::async(std::launch::async, run, quint8(0x01));
        std::future<int> b = std::async(std::launch::async, run, quint8(0x02));
        QCOMPARE(a.get() + b.get(), 0);
        QCOMPARE(m_sim->writeCount(), 50);
        QCOMPARE(m_sim->readCount(), 50);
    }
};

QTEST_GUILESS_MAIN(TestSendCommand)
#include "tst_sendcommand.moc"
