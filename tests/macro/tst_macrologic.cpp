// SPDX-License-Identifier: GPL-2.0-or-later
// The recording rules, step encodings, gun set generation and row edits, without widgets.

#include <QStandardItemModel>
#include <QtTest>

#include "buttons/keys/keytable.h"
#include "macro/gunset.h"
#include "macro/macrorecorder.h"
#include "macro/macrostep.h"
#include "macro/macrosteptable.h"
#include "macrosteps_testing.h"

namespace {
constexpr quint8 kKeyA = 30;  // usage 4
constexpr quint8 kKeyB = 48;  // usage 5

RecordOptions options(DelayMode mode, int minDelay = 10, int defaultDelay = 10)
{
    RecordOptions o;
    o.delayMode = mode;
    o.minDelay = minDelay;
    o.defaultDelayMs = defaultDelay;
    return o;
}

platform::KeyHookEvent hookEvent(quint32 vk, quint32 scan, quint32 flags)
{
    platform::KeyHookEvent e;
    e.vkCode = vk;
    e.scanCode = scan;
    e.flags = flags;
    return e;
}
} // namespace

class MacroLogicTest : public QObject
{
    Q_OBJECT

private slots:
    void heldKey_autoRepeatGivesOnePressRow()
    {
        MacroRecorder recorder;
        recorder.begin();
        MacroSteps table;
        const RecordOptions o = options(DelayMode::None);
        for (int i = 0; i < 5; ++i)
            table += recorder.keyEvent(kKeyA, true, i * 30, table.size(), o);
        table += recorder.keyEvent(kKeyA, false, 200, table.size(), o);
        QCOMPARE(table, (MacroSteps{row(132, 0, 4), row(4, 0, 4)}));
        // Released, the key records again.
        QCOMPARE(recorder.keyEvent(kKeyA, true, 300, table.size(), o), (MacroSteps{row(132, 0, 4)}));
    }

    void recordedDelays_areWholeUnitsAndAtLeastOne()
    {
        MacroRecorder recorder;
        recorder.begin();
        const RecordOptions o = options(DelayMode::Recorded);
        // The first event of a recording has no delay before it.
        QCOMPARE(recorder.keyEvent(kKeyA, true, 1000, 0, o), (MacroSteps{row(132, 0, 4)}));
        QCOMPARE(recorder.keyEvent(kKeyA, false, 1057, 1, o), (MacroSteps{row(6, 0, 5), row(4, 0, 4)}));
        QCOMPARE(recorder.keyEvent(kKeyB, true, 1057, 3, o), (MacroSteps{row(6, 0, 1), row(132, 0, 5)}));
        // 3000 ms is 300 units: two bytes.
        QCOMPARE(recorder.keyEvent(kKeyB, false, 4057, 5, o), (MacroSteps{row(6, 1, 44), row(4, 0, 5)}));
    }

    void recordedDelays_longPauseKeepsTheLongestDelay()
    {
        MacroRecorder recorder;
        recorder.begin();
        const RecordOptions o = options(DelayMode::Recorded);
        recorder.keyEvent(kKeyA, true, 0, 0, o);
        // 100000 units would wrap the two bytes to a short delay.
        QCOMPARE(recorder.keyEvent(kKeyA, false, 1000000, 1, o).first(), row(6, 255, 255));
    }

    void defaultDelayMode_insertsTheDefaultDelay()
    {
        MacroRecorder recorder;
        recorder.begin();
        const RecordOptions o = options(DelayMode::Default, 10, 250);
        recorder.keyEvent(kKeyA, true, 0, 0, o);
        QCOMPARE(recorder.keyEvent(kKeyA, false, 5, 1, o), (MacroSteps{row(6, 0, 25), row(4, 0, 4)}));
    }

    void newRecording_forgetsHeldKeysAndTheLastEvent()
    {
        MacroRecorder recorder;
        recorder.begin();
        const RecordOptions o = options(DelayMode::Recorded);
        recorder.keyEvent(kKeyA, true, 0, 0, o);
        recorder.begin();
        QCOMPARE(recorder.keyEvent(kKeyA, true, 500, 0, o), (MacroSteps{row(132, 0, 4)}));
    }

    void withoutDelays_the41stEventIsDropped()
    {
        MacroRecorder recorder;
        recorder.begin();
        MacroSteps table;
        const RecordOptions o = options(DelayMode::None);
        for (int i = 0; i < 60; ++i)
            table += recorder.keyEvent(quint8(2 + (i / 2) % 20), i % 2 == 0, i, table.size(), o);
        QCOMPARE(table.size(), 40);
    }

    void withDelays_theTableNeverPasses63Rows_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("recorded") << int(DelayMode::Recorded);
        QTest::newRow("default") << int(DelayMode::Default);
    }

    void withDelays_theTableNeverPasses63Rows()
    {
        QFETCH(int, mode);
        MacroRecorder recorder;
        recorder.begin();
        MacroSteps table;
        const RecordOptions o = options(DelayMode(mode));
        for (int i = 0; i < 100; ++i)
            table += recorder.keyEvent(quint8(2 + (i / 2) % 20), i % 2 == 0, i * 20, table.size(), o);
        QCOMPARE(table.size(), 63);
        QCOMPARE(table.first().map, MACRO_KEY_DOWN);
    }

    void keyWithoutUsage_recordsUsageZero()
    {
        MacroRecorder recorder;
        recorder.begin();
        QCOMPARE(recorder.keyEvent(Key::LeftButton, true, 0, 0, options(DelayMode::None)),
                 (MacroSteps{row(132, 0, 0)}));
    }

    void capturedEvents_giveKeyCodesAndDirection()
    {
        // Keypad 8 without, Up with the extended flag.
        QCOMPARE(recordedKey(hookEvent(104, 72, 0)).code, quint8(236));
        QCOMPARE(recordedKey(hookEvent(38, 72, 0x01)).code, quint8(72));
        QVERIFY(!recordedKey(hookEvent(38, 72, 0x81)).down);
        // Under Alt a key is still pressed and keeps its own code.
        const RecordedKey del = recordedKey(hookEvent(46, 83, 0x21));
        QVERIFY(del.down);
        QCOMPARE(del.code, quint8(83));
        QCOMPARE(recordedKey(hookEvent(104, 72, 0x20)).code, quint8(236));
        QCOMPARE(recordedKey(hookEvent(165, 56, 0x21)).code, Key::RightAlt);
        QVERIFY(!recordedKey(hookEvent(165, 56, 0xA1)).down);
    }

    void moves_encodeSignedBytesOnOneAxis()
    {
        QCOMPARE(moveStep(MoveDirection::Right, 30), row(2, 30, 0));
        QCOMPARE(moveStep(MoveDirection::Up, 30), row(2, 0, 226));
        QCOMPARE(moveStep(MoveDirection::Left, 5), row(2, 251, 0));
        QCOMPARE(moveStep(MoveDirection::Down, 5), row(2, 0, 5));
        // Beyond 120 the byte would read back as a move the other way.
        QCOMPARE(moveStep(MoveDirection::Right, 200), row(2, 120, 0));
        QCOMPARE(moveStepDirection(row(2, 0, 226)), MoveDirection::Up);
        QCOMPARE(moveStepDistance(row(2, 0, 226)), 30);
        QCOMPARE(withMoveDistance(row(2, 226, 0), 12), row(2, 244, 0));
    }

    void delays_countUnitsOfMinDelay()
    {
        QCOMPARE(delayStep(delayUnitsForMs(250, 10)), row(6, 0, 25));
        QCOMPARE(delayStep(delayUnitsForMs(3000, 10)), row(6, 1, 44));
        QCOMPARE(delayStepMs(row(6, 1, 44), 10), 3000);
        // A description without a usable MinDelay falls back to 10 ms instead of dividing by 0.
        QCOMPARE(delayUnitsForMs(100, 0), 10);
        QCOMPARE(recordedGapUnits(57, -3), 5);
    }

    void unreleasedKeys_areFound()
    {
        QVERIFY(!hasUnreleasedKeys({}));
        QVERIFY(!hasUnreleasedKeys({row(132, 0, 4), row(6, 0, 1), row(4, 0, 4)}));
        QVERIFY(hasUnreleasedKeys({row(132, 0, 4), row(132, 0, 5), row(4, 0, 4)}));
        // A key release does not answer the middle button (both low byte 4).
        QVERIFY(hasUnreleasedKeys({row(129, 0, 4), row(4, 0, 4)}));
        QVERIFY(!hasUnreleasedKeys({row(129, 0, 4), row(1, 0, 4)}));
        // Pressed twice, released once.
        QVERIFY(hasUnreleasedKeys({row(132, 0, 4), row(4, 0, 4), row(132, 0, 4)}));
    }

    void gunset_defaultsGiveFifteenRows()
    {
        const MacroSteps steps = gunsetSteps(QVector<GunShot>(kGunShotCount));
        QCOMPARE(steps.size(), 15);
        for (int shot = 0; shot < kGunShotCount; ++shot) {
            QCOMPARE(steps.at(shot * 3), row(1, 0, 1));
            QCOMPARE(steps.at(shot * 3 + 1), row(129, 0, 1));
            QCOMPARE(steps.at(shot * 3 + 2), row(6, 0, 10));
        }
    }

    void gunset_correctionsAndDelaysEncode()
    {
        QVector<GunShot> shots(2);
        shots[0] = {5, 4, -3};
        shots[1] = {999, -100, 0};
        QCOMPARE(gunsetSteps(shots),
                 rows({row(1, 0, 1), row(129, 0, 1), row(2, 4, 0), row(2, 0, 253), row(6, 0, 0),
                       row(1, 0, 1), row(129, 0, 1), row(2, 156, 0), row(6, 0, 99)}));
        shots.resize(1);
        shots[0] = {0, 0, 0};
        QCOMPARE(gunsetSteps(shots).size(), 2);
    }

    void freeName_appendsTheFirstFreeSuffix()
    {
        QStringList taken;
        auto isTaken = [&](const QString &n) { return taken.contains(n); };
        QCOMPARE(firstFreeName("AK", isTaken), QString("AK"));
        taken << "AK";
        QCOMPARE(firstFreeName("AK", isTaken), QString("AK_1"));
        taken << "AK_1";
        QCOMPARE(firstFreeName("AK", isTaken), QString("AK_2"));
    }

    void stepTable_rowEdits()
    {
        QStandardItemModel model;
        MacroStepTable table(&model);
        const MacroSteps steps{row(132, 0, 4), row(6, 0, 5), row(4, 0, 4), row(2, 30, 0)};
        table.setSteps(steps);
        QCOMPARE(model.index(1, 2).data().toString(), QString("5"));
        QCOMPARE(table.steps(), steps);
        QCOMPARE(table.steps({3, 0}), (MacroSteps{steps[0], steps[3]}));

        QCOMPARE(table.moveRow(3, 0), 0);
        QCOMPARE(table.step(0), steps[3]);
        QCOMPARE(table.moveRow(0, 99), 3);
        QCOMPARE(table.steps(), steps);
        QCOMPARE(table.moveRow(7, 0), -1);

        QCOMPARE(table.insertSteps(99, {row(6, 0, 1)}), 4);
        table.removeRows({4, 0, 0, 17});
        QCOMPARE(table.steps(), (MacroSteps{steps[1], steps[2], steps[3]}));
        table.setStep(0, row(6, 1, 0));
        QCOMPARE(table.step(0), row(6, 1, 0));

        // The visible cells draw the whole step: an edit of the hidden low byte alone (a
        // key, a delay's low part) must still tell the view to draw them again.
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        table.setStep(0, row(6, 1, 7));
        QSet<int> told;
        for (const QList<QVariant> &signal : changed) {
            const auto from = signal.at(0).value<QModelIndex>(), to = signal.at(1).value<QModelIndex>();
            for (int column = from.column(); column <= to.column(); ++column)
                if (from.row() <= 0 && to.row() >= 0)
                    told.insert(column);
        }
        QVERIFY(told.contains(MacroStepTable::TypeColumn));
        QVERIFY(told.contains(MacroStepTable::HighColumn));
        table.clear();
        QCOMPARE(table.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(MacroLogicTest)
#include "tst_macrologic.moc"
