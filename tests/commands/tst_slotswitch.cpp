// SPDX-License-Identifier: GPL-2.0-or-later
// The slot switch: the selection and the profile menu sequence the mouse wants after it,
// each request awaited before the next.
#include <algorithm>

#include <QtTest>

#include "commandfixture.h"
#include "device/writeconfig.h"
#include "platform/pointerspeed.h"

class SlotSwitchTest : public QObject
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

    void profileMenu_sequenceAndAwaitedReports()
    {
        m_fx->sim().resetCounters();
        SelectProfileOnDevice(2, 17);
        const KestSimMouseState s = m_fx->sim().state();
        QCOMPARE(int(s.selectedProfile), 2);
        const QVector<QPair<quint8, quint8>> expected = {{0xF3, 0x01}, {0xF3, 0x04}, {0xF3, 0x01}, {0xF3, 0x02},
                                                         {0xF3, 0x08}, {0xF3, 0x10}};
        QCOMPARE(s.extendedRequests, expected);
        QCOMPARE(m_fx->sim().writeCount(), 7);
        // The slot selection is written without waiting; every menu request waits for its
        // answer before the next report goes out.
        QVector<KestSimTraceEntry> trace = m_fx->sim().trace();
        trace.erase(std::remove_if(trace.begin(), trace.end(),
                                   [](const KestSimTraceEntry &e) { return e.kind == KestSimTraceEntry::Input; }),
                    trace.end());
        QCOMPARE(trace.size() > 1, true);
        QCOMPARE(int(trace[0].kind), int(KestSimTraceEntry::Write));
        QCOMPARE(int(trace[1].kind), int(KestSimTraceEntry::Write));
        for (int i = 1; i < trace.size(); ++i) {
            if (trace[i].kind == KestSimTraceEntry::Write)
                QVERIFY(i + 1 < trace.size() && trace[i + 1].kind == KestSimTraceEntry::Read);
        }
        QCOMPARE(pointerSpeed(), 17);
    }

    void profileMenu_sequenceStopsAtFirstFailure()
    {
        m_fx->sim().resetCounters();
        m_fx->sim().setWriteErrors(-1);
        SelectProfileOnDevice(1, pointerSpeed());
        int attempts = 0;
        for (const KestSimTraceEntry &e : m_fx->sim().trace())
            attempts += e.kind == KestSimTraceEntry::WriteFailed ? 1 : 0;
        QCOMPARE(attempts, 3); // select, first menu request, first of the sequence
    }
};

QTEST_GUILESS_MAIN(SlotSwitchTest)
#include "tst_slotswitch.moc"
