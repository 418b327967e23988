// SPDX-License-Identifier: GPL-2.0-or-later
// Every range switch of the DPI encoding, tried on both sides of its boundary. The expected
// bytes are worked out from each sensor's rule by hand, not by the encoder: a switch moved
// by one code changes the range byte or the value on one side.

#include <QtTest>

#include "device/dpiencoding.h"

class TestDpiEncoding : public QObject
{
    Q_OBJECT

private slots:
    void rangeSwitches_bothSidesOfEveryBoundary_data()
    {
        QTest::addColumn<int>("sensor");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("value");

        const auto row = [](int sensor, int code, int range, int value) {
            QTest::addRow("%d code %d", sensor, code) << sensor << code << range << value;
        };
        // Formula sensors: range and value straight from the rule.
        for (int sensor : {3104, 31042}) {
            row(sensor, 106, 0, 106);
            row(sensor, 107, 1, 54);
        }
        row(3212, 63, 0, 63);
        row(3212, 64, 1, 32);
        row(3212, 94, 1, 62);
        row(3212, 95, 2, 32);
        row(3360, 120, 0, 119);
        row(3360, 121, 1, 60);
        row(3370, 200, 0, 199);
        row(3370, 201, 1, 100);
        row(3389, 320, 0, 320);
        row(3389, 321, 1, 161);
        row(33952, 519, 0, 519);
        row(33952, 520, 1, 260);
        row(3395, 519, 0, 519); // one range only
        row(3395, 520, 0, 520);

        // Table sensors: the pinned rows where the data sheets give them, else the DPI of
        // the code divided by the register step of its range.
        for (int sensor : {3311, 33112}) {
            row(sensor, 120, 0, 143); // the top of the low range must stay in it
            row(sensor, 121, 1, 72);
        }
        for (int sensor : {3335, 33352}) {
            row(sensor, 160, 0, 188);
            row(sensor, 161, 1, 144);
        }
        for (int sensor : {3325, 33252}) {
            row(sensor, 50, 0, 5000 / 45);
            row(sensor, 51, 1, 5200 / 90);
            row(sensor, 75, 1, 10000 / 90);
            row(sensor, 76, 2, 10400 / 180);
        }
        row(3327, 61, 0, 6200 * 9 / 400);
        row(3327, 62, 1, 6400 * 9 / 800);
        row(3327, 92, 1, 12400 * 9 / 800);
        row(3327, 93, 4, 12600 * 9 / 1200);
        row(3333, 79, 0, 7900 / 50);
        row(3333, 80, 1, 8000 / 100);
    }

    void rangeSwitches_bothSidesOfEveryBoundary()
    {
        QFETCH(int, sensor);
        QFETCH(int, code);
        QFETCH(int, range);
        QFETCH(int, value);
        const DpiAxisEncoding e = encodeDpiAxis(quint32(code), sensor);
        QCOMPARE(int(e.range), range);
        QCOMPARE(int(e.value), value);
    }

    void tables_pinnedRowsAndEnds()
    {
        // Rows the data sheets give.
        const int low3311[] = {2, 3, 4, 5};
        for (int c = 2; c <= 5; ++c)
            QCOMPARE(int(dpiTableValue(DpiTable::S3311Low, c)), low3311[c - 2]);
        const int top3311[] = {137, 138, 140, 141, 142, 143};
        for (int c = 115; c <= 120; ++c)
            QCOMPARE(int(dpiTableValue(DpiTable::S3311Low, c)), top3311[c - 115]);
        const int high3311[] = {72, 74, 75, 76, 77, 78};
        for (int c = 121; c <= 126; ++c)
            QCOMPARE(int(dpiTableValue(DpiTable::S3311High, c)), high3311[c - 121]);
        const int low3335[] = {184, 185, 186, 187, 188, 188};
        for (int c = 155; c <= 160; ++c)
            QCOMPARE(int(dpiTableValue(DpiTable::S3335Low, c)), low3335[c - 155]);
        const int high3335[] = {144, 146, 147, 148, 149, 150};
        for (int c = 161; c <= 166; ++c)
            QCOMPARE(int(dpiTableValue(DpiTable::S3335High, c)), high3335[c - 161]);
        const int a3327[] = {4, 6, 9, 11, 13};
        for (int c = 1; c <= 5; ++c)
            QCOMPARE(int(dpiTableValue(DpiTable::S3327A, c)), a3327[c - 1]);
        const int a3325[] = {0, 2, 4, 6, 8, 11};
        for (int c = 0; c <= 5; ++c)
            QCOMPARE(int(dpiTableValue(DpiTable::S3325A, c)), a3325[c]);

        // Each table ends where the next range begins, and a code past a sensor's last one
        // gets its top entry instead of a read past the table.
        const struct { DpiTable table; int first; int last; } bounds[] = {
            {DpiTable::S3311Low, 0, 120},  {DpiTable::S3311High, 121, 180}, {DpiTable::S3325A, 0, 50},
            {DpiTable::S3325B, 51, 75},    {DpiTable::S3325C, 76, 90},      {DpiTable::S3327A, 0, 61},
            {DpiTable::S3327B, 62, 92},    {DpiTable::S3327C, 93, 106},     {DpiTable::S3333A, 0, 79},
            {DpiTable::S3333B, 80, 120},   {DpiTable::S3335Low, 0, 160},    {DpiTable::S3335High, 161, 240},
        };
        for (const auto &b : bounds) {
            const DpiTableRange r = dpiTableRange(b.table);
            QCOMPARE(r.firstCode, b.first);
            QCOMPARE(r.lastCode, b.last);
            QCOMPARE(dpiTableValue(b.table, b.last + 1), dpiTableValue(b.table, b.last));
            QCOMPARE(dpiTableValue(b.table, 1000000), dpiTableValue(b.table, b.last));
            QCOMPARE(dpiTableValue(b.table, -5), dpiTableValue(b.table, b.first));
            // Register values climb with the code inside a range.
            for (int c = b.first; c < b.last; ++c)
                QVERIFY(dpiTableValue(b.table, c) <= dpiTableValue(b.table, c + 1));
        }
    }

    void rangesOfATableSensor_meetWithoutGapOrOverlap()
    {
        // Walking up the codes, the range byte never goes down and the value restarts low
        // exactly where the range changes: a switch moved by one code breaks one of both.
        // Up to the highest code each sensor's DPI range reaches.
        const QPair<int, quint32> sensors[] = {{3104, 300}, {3212, 300}, {3311, 180}, {3325, 90},
                                               {3327, 106}, {3333, 120}, {3335, 240}, {3360, 300},
                                               {3370, 350}, {3389, 600}, {33952, 600}};
        for (const auto &[sensor, top] : sensors) {
            DpiAxisEncoding previous = encodeDpiAxis(1, sensor);
            for (quint32 c = 2; c <= top; ++c) {
                const DpiAxisEncoding e = encodeDpiAxis(c, sensor);
                QVERIFY2(e.range >= previous.range, qPrintable(QStringLiteral("%1 at %2").arg(sensor).arg(c)));
                if (e.range == previous.range)
                    QVERIFY2(e.value >= previous.value, qPrintable(QStringLiteral("%1 at %2").arg(sensor).arg(c)));
                else
                    QVERIFY2(e.value < previous.value, qPrintable(QStringLiteral("%1 at %2").arg(sensor).arg(c)));
                previous = e;
            }
        }
    }

    void levelBytes_axesAndHighByte()
    {
        // The 3104 family takes X from y and Y from x; 16-bit sensors send the high byte.
        const DpiLevelBytes swapped = encodeDpiLevel(107, 50, 31042);
        QCOMPARE(int(swapped.xRange), 0);
        QCOMPARE(int(swapped.xLow), 50);
        QCOMPARE(int(swapped.yLow), 54);
        const DpiLevelBytes wide = encodeDpiLevel(320, 700, 3389);
        QCOMPARE(int(wide.xRange), 0);
        QCOMPARE(int(wide.xLow), 0x40);
        QCOMPARE(int(wide.xHigh), 0x01);
        QCOMPARE(int(wide.yLow), (700 - 160) & 0xFF);
        QCOMPARE(int(wide.yHigh), (700 - 160) >> 8);
    }

    void sniper_followsTheSensorsRule()
    {
        QCOMPARE(int(sniperValue(120, 3360)), 119);
        QCOMPARE(int(sniperValue(200, 3389)), 200);
        QCOMPARE(int(sniperValue(5, 3325)), 11);
        QCOMPARE(int(sniperValue(5, 3327)), 13);
        QCOMPARE(int(sniperValue(160, 3335)), 188);
        QCOMPARE(int(sniperValue(160, 3311)), 4); // no sniper encoding: the fallback
    }
};

QTEST_GUILESS_MAIN(TestDpiEncoding)
#include "tst_dpiencoding.moc"
