// SPDX-License-Identifier: GPL-2.0-or-later
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "buttons/keys/functioncatalogue.h"
#include "device/buttonupload.h"
#include "device/dpiencoding.h"
#include "device/kestdevicecontext.h"
#include "device/macrowire.h"
#include "device/settingswire.h"
#include "store/appdir.h"

namespace {

ConfigRecord recordWithEffect(quint8 mode, int breath, int bright)
{
    ConfigRecord record;
    ProfileRecord &p = record.profiles[0];
    p.LedMode = mode;
    if (mode < LED_EFFECTS) {
        p.LED_MODE[mode].breath = breath;
        p.LED_MODE[mode].bright = bright;
        p.LED_MODE[mode].RGB = KestRgb(10, 20, 30);
    }
    return record;
}

ButtonTableBytes &table() { return KestDeviceContext::link().buttonTable(); }

ButtonEntry encode(ButtonInfo button)
{
    ProfileRecord slot;
    KestButtonUpload upload(KestDeviceContext::link(), slot, KestButtonLayout::read());
    upload.encodeButton(button, 0);
    return table()[0];
}

ButtonInfo button(qint32 fun, quint8 res1 = 0, qint32 loop = 0, qint32 keyNumber = 0)
{
    ButtonInfo b;
    b.Fun = fun;
    b.Res1 = res1;
    b.LoopNumber = loop;
    b.KeyNumber = keyNumber;
    return b;
}

// Combo steps as the assignment window stores them: presses in order, releases reversed.
ButtonInfo combo(std::initializer_list<quint8> usages)
{
    ButtonInfo b = button(FunComboKey);
    const QVector<quint8> keys(usages);
    int s = 0;
    for (quint8 usage : keys)
        b.KeyInfo[size_t(s++)] = {usage, 5, 0x80};
    for (int i = keys.size() - 1; i >= 0; --i)
        b.KeyInfo[size_t(s++)] = {keys[i], 5, 0x00};
    return b;
}

QByteArray bytesOf(const KestCommandReport &report) { return QByteArray(reinterpret_cast<const char *>(report.data()), 33); }

} // namespace

class CommandWireTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        setApplicationDir(m_dir.path());
    }

    void lightingReport_modeDecidesSpeedAndBrightness()
    {
        struct Case { quint8 mode; quint8 speed; quint8 bright; };
        const Case cases[] = {{0, 0, 0}, {1, 0, 2}, {2, 4, 2}, {3, 4, 0}, {4, 4, 0}, {9, 4, 2}};
        for (const Case &c : cases) {
            ConfigRecord record = recordWithEffect(c.mode, 0x104, 0x202);
            record.profiles[0].dpi = 5;
            record.profiles[0].pollrate = 2;
            const KestCommandReport r = buildLightingReport(record.profiles[0], record.profiles[0]);
            QCOMPARE(int(r[1]), 0x01);
            QCOMPARE(int(r[2]), 5);
            QCOMPARE(int(r[3]), 2);
            QCOMPARE(int(r[4]), int(c.mode));
            QCOMPARE(int(r[5]), int(c.speed));
            QCOMPARE(int(r[6]), int(c.bright));
            QVERIFY(r.checksumValid());
        }
    }

    void lightingAndSlot_takenFromTheirOwnRecords()
    {
        ConfigRecord record;
        ProfileRecord &slot = record.profiles[2];
        slot.dpi = 4;
        slot.pollrate = 8;
        slot.LedMode = 2;
        slot.LedSleepTime = 3;
        slot.LedMoveOFF = 0;
        slot.LED_MODE[2].RGB = KestRgb(1, 2, 3);
        slot.LED_MODE[2].breath = slot.LED_MODE[2].bright = 1;
        ProfileRecord &lighting = record.profiles[0];
        lighting.dpi = 1;
        lighting.pollrate = 1;
        lighting.LedMode = 5;
        lighting.LedSleepTime = 9;
        lighting.LedMoveOFF = 0xFF;
        lighting.LED_MODE[5].RGB = KestRgb(70, 80, 90);
        lighting.LED_MODE[5].breath = 3;
        lighting.LED_MODE[5].bright = 2;

        const KestCommandReport r = buildLightingReport(slot, lighting);
        QCOMPARE(bytesOf(r).mid(1, 6), QByteArray::fromHex("010408050302"));
        const KestCommandReport sensor = buildSensorReport(record, lighting);
        QCOMPARE(int(sensor[4]), 9);
        QCOMPARE(int(sensor[5]), 0);
        QCOMPARE(bytesOf(sensor).mid(8, 3), QByteArray::fromHex("46505a"));
    }

    void ledModeOutOfRange_sendsModeWithZeroEffectValues()
    {
        const ConfigRecord record = recordWithEffect(200, 3, 3);
        const KestCommandReport lighting = buildLightingReport(record.profiles[0], record.profiles[0]);
        QCOMPARE(int(lighting[4]), 200);
        QCOMPARE(int(lighting[5]), 0);
        QCOMPARE(int(lighting[6]), 0);
        const KestCommandReport sensor = buildSensorReport(record, record.profiles[0]);
        QCOMPARE(int(sensor[8]) + sensor[9] + sensor[10], 0);
    }

    void sensorReport_optionsColourAndMoveOff()
    {
        ConfigRecord record = recordWithEffect(2, 1, 1);
        record.LiftHigh = 2;
        record.AngleValue = 1;
        record.Sync = 3;
        record.Jitter = 9; // not sent by any command
        record.profiles[0].LedSleepTime = 7;
        record.profiles[0].LedMoveOFF = 0xFF;
        KestCommandReport r = buildSensorReport(record, record.profiles[0]);
        const QVector<int> expected = {0x02, 0x06, 2, 7, 0, 1, 3, 10, 20, 30, 0};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(int(r[i + 1]), expected[i]);
        QVERIFY(r.checksumValid());

        record.profiles[0].LedMoveOFF = 0;
        QCOMPARE(int(buildSensorReport(record, record.profiles[0])[5]), 1);
        record.profiles[0].LedMoveOFF = 17;
        QCOMPARE(int(buildSensorReport(record, record.profiles[0])[5]), 1);
    }

    void profileMenuReports_extendedFormatWithoutChecksum()
    {
        QCOMPARE(bytesOf(buildSelectSlotReport(3)).toHex(),
                 QByteArray("000500fa4403").append(QByteArray(27 * 2, '0')));
        const KestCommandReport menu = buildMenuReport(0x08);
        QCOMPARE(bytesOf(menu).left(7), QByteArray::fromHex("000500fa40f308"));
        QCOMPARE(int(menu[32]), 0);
    }

    void dpiReports_allEightLevelsInTwoReports()
    {
        ConfigRecord record;
        for (int i = 0; i < DPI_LEVELS; ++i) {
            record.profiles[0].DPI_INFO[size_t(i)].x = quint32(300 + 10 * i);
            record.profiles[0].DPI_INFO[size_t(i)].y = quint32(310 + 10 * i);
            record.profiles[0].DPI_INFO[size_t(i)].used = 0; // sent anyway
        }
        const auto reports = buildDpiReports(record.profiles[0], 3389);
        QCOMPARE(int(reports[0][1]), 0x05);
        QCOMPARE(int(reports[1][1]), 0x06);
        // Level 0: x = 300 range 0; level 2: x = 320 -> 0x40 0x01; level 3: x = 330 > 320.
        QCOMPARE(bytesOf(reports[0]).mid(2, 5), QByteArray::fromHex("002c013601"));
        QCOMPARE(bytesOf(reports[0]).mid(12, 5), QByteArray::fromHex("004001aa00"));
        QCOMPARE(bytesOf(reports[0]).mid(17, 5), QByteArray::fromHex("01aa00b400"));
        // Levels 6 and 7, then zeros.
        QCOMPARE(bytesOf(reports[1]).mid(2, 5), QByteArray::fromHex("01c800d200"));
        QCOMPARE(bytesOf(reports[1]).mid(12, 20), QByteArray(20, '\0'));
        QVERIFY(reports[0].checksumValid() && reports[1].checksumValid());
    }

    void dpiEncoding_formulaSensors()
    {
        QCOMPARE(int(encodeDpiAxis(400, 3389).range), 1);
        QCOMPARE(int(encodeDpiAxis(400, 3389).value), 240);
        QCOMPARE(int(encodeDpiAxis(320, 3389).range), 0);
        QCOMPARE(int(encodeDpiAxis(320, 3389).value), 320);

        const DpiLevelBytes swapped = encodeDpiLevel(50, 200, 3104);
        QCOMPARE(int(swapped.xRange), 1);
        QCOMPARE(int(swapped.xLow), 147);
        QCOMPARE(int(swapped.yLow), 50);
        QCOMPARE(int(swapped.xHigh) + swapped.yHigh, 0);

        QCOMPARE(int(encodeDpiAxis(95, 3212).range), 2);
        QCOMPARE(int(encodeDpiAxis(95, 3212).value), 32);
        QCOMPARE(int(encodeDpiAxis(64, 3212).value), 32);
        QCOMPARE(int(encodeDpiAxis(121, 3360).value), 60);
        QCOMPARE(int(encodeDpiAxis(201, 3370).range), 1);
        QCOMPARE(int(encodeDpiAxis(600, 33952).value), 340);
        QCOMPARE(int(encodeDpiAxis(519, 3395).value), 519);
        // A sensor without an encoding sends zeros, as does 3399 (displayed, never encoded).
        for (int sensor : {0, 1234, 3399}) {
            const DpiLevelBytes none = encodeDpiLevel(100, 100, sensor);
            QCOMPARE(none.xRange + none.xLow + none.xHigh + none.yLow + none.yHigh, 0);
        }
    }

    void dpiTables_pinnedRows()
    {
        auto rows = [](DpiTable t, int first, QVector<int> values) {
            for (int i = 0; i < values.size(); ++i) {
                if (dpiTableValue(t, first + i) != values[i])
                    return false;
            }
            return true;
        };
        QVERIFY(rows(DpiTable::S3311Low, 2, {2, 3, 4, 5}));
        QVERIFY(rows(DpiTable::S3311Low, 115, {137, 138, 140, 141, 142, 143}));
        QVERIFY(rows(DpiTable::S3311High, 121, {72, 74, 75, 76, 77, 78}));
        QVERIFY(rows(DpiTable::S3335Low, 155, {184, 185, 186, 187, 188, 188}));
        QVERIFY(rows(DpiTable::S3335High, 161, {144, 146, 147, 148, 149, 150}));
        QVERIFY(rows(DpiTable::S3327A, 1, {4, 6, 9, 11, 13}));
        QVERIFY(rows(DpiTable::S3325A, 0, {0, 2, 4, 6, 8, 11}));
    }

    void dpiTables_monotoneAndCoverThePanelRanges()
    {
        for (int t = 0; t <= int(DpiTable::S3335High); ++t) {
            const DpiTableRange range = dpiTableRange(DpiTable(t));
            for (int c = range.firstCode; c < range.lastCode; ++c)
                QVERIFY2(dpiTableValue(DpiTable(t), c) <= dpiTableValue(DpiTable(t), c + 1),
                         qPrintable(QStringLiteral("table %1 code %2").arg(t).arg(c)));
        }
        // Every code the DPI panel offers lands inside a table, without clamping.
        struct Span { int sensor; DpiTable low; DpiTable high; int boundary; int last; };
        const Span spans[] = {
            {33112, DpiTable::S3311Low, DpiTable::S3311High, 121, 180},
            {33352, DpiTable::S3335Low, DpiTable::S3335High, 161, 240},
            {3333, DpiTable::S3333A, DpiTable::S3333B, 80, 120},
        };
        for (const Span &s : spans) {
            QVERIFY(dpiTableRange(s.low).lastCode >= s.boundary - 1);
            QVERIFY(dpiTableRange(s.high).firstCode <= s.boundary);
            QCOMPARE(dpiTableRange(s.high).lastCode, s.last);
        }
        QCOMPARE(dpiTableRange(DpiTable::S3325C).lastCode, 90);
        QCOMPARE(dpiTableRange(DpiTable::S3327C).lastCode, 106);
        // Within a range a higher register value means a higher DPI, across ranges too.
        QVERIFY(encodeDpiAxis(106, 3327).value > encodeDpiAxis(93, 3327).value);
        QCOMPARE(int(encodeDpiAxis(93, 3327).range), 4);
    }

    void dpiTables_codesOutsideAreClamped()
    {
        QCOMPARE(encodeDpiAxis(1000000, 3311).value, encodeDpiAxis(180, 3311).value);
        QCOMPARE(encodeDpiAxis(0xFFFFFFFFu, 3335).value, encodeDpiAxis(240, 3335).value);
        QCOMPARE(encodeDpiAxis(5000, 3325).value, encodeDpiAxis(90, 3325).value);
        QCOMPARE(int(sniperValue(255, 3325)), int(dpiTableValue(DpiTable::S3325A, 50)));
        QCOMPARE(int(dpiTableValue(DpiTable::S3327C, -5)), int(dpiTableValue(DpiTable::S3327C, 93)));
    }

    void sniper_valuePerSensor()
    {
        QCOMPARE(int(sniperValue(40, 3389)), 40);
        QCOMPARE(int(sniperValue(40, 3360)), 39);
        QCOMPARE(int(sniperValue(3, 3327)), 9);
        QCOMPARE(int(sniperValue(40, 31042)), 4);
        QSettings(m_dir.path() + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat)
            .setValue(QStringLiteral("MouseSenSor/1"), 3325);
        QCOMPARE(encode(button(FunSniper, 5)), (ButtonEntry{0x9A, 1, 11, 11}));
    }

    void encodeButton_fixedEntries()
    {
        QCOMPARE(encode(button(FunLeft)), (ButtonEntry{0x81, 0, 0, 0}));
        QCOMPARE(encode(button(FunForward)), (ButtonEntry{0x85, 0, 0, 0}));
        QCOMPARE(encode(button(FunCut)), (ButtonEntry{0x8F, 0x01, 0x1B, 0}));
        QCOMPARE(encode(button(FunSwitchWindow)), (ButtonEntry{0x8F, 0x04, 0x2B, 0}));
        QCOMPARE(encode(button(FunMail)), (ButtonEntry{0x8E, 0x01, 0x8A, 0x01}));
        QCOMPARE(encode(button(FunProfileUp)), encode(button(FunRateUp)));
        QCOMPARE(encode(button(FunLedSwitch)), (ButtonEntry{0x9B, 0x08, 0, 0}));
        QCOMPARE(encode(button(FunRateSwitch)), (ButtonEntry{0x94, 0x01, 0, 0}));
        QCOMPARE(encode(button(13)), (ButtonEntry{0x30, 0, 0, 0}));
        QCOMPARE(encode(button(FunButtonOff)), ButtonEntry{});
        QCOMPARE(encode(button(9999)), ButtonEntry{});
    }

    void encodeButton_keys()
    {
        QCOMPARE(encode(button(FunSingleKey, 30)), (ButtonEntry{0x90, 0, 4, 0}));     // A
        QCOMPARE(encode(button(FunSingleKey, 240)), (ButtonEntry{0x90, 0, 0, 0}));    // no usage
        // Ctrl, Alt and C; right-hand modifiers count as their left twins.
        QCOMPARE(encode(combo({224, 226, 6})), (ButtonEntry{0x8F, 0x05, 0x06, 0}));
        QCOMPARE(encode(combo({228, 230, 231, 229, 4})), (ButtonEntry{0x8F, 0x0F, 0x04, 0}));
        QCOMPARE(encode(combo({225})), (ButtonEntry{0x8F, 0x02, 0, 0}));
        // The last ordinary step wins (here the release of the first key); steps past the
        // tenth are not read.
        ButtonInfo longCombo = combo({224, 4, 5, 6, 7});
        longCombo.KeyInfo[10] = {9, 5, 0x80};
        QCOMPARE(encode(longCombo), (ButtonEntry{0x8F, 0x01, 4, 0}));
    }

    void encodeButton_fireKey()
    {
        QCOMPARE(encode(button(FunFireKey, 0x82, 5, 35)), (ButtonEntry{0x99, 0x82, 0x05, 0x03}));
        QCOMPARE(encode(button(FunFireKey, 0, 77, 77)), (ButtonEntry{0x99, 0x81, 3, 0}));
    }

    void encodeButton_macroNumbersAndLoopModes()
    {
        ButtonInfo a = button(FunMacro, 0, 0x0203);
        a.macroname = QStringLiteral("alpha");
        ButtonInfo b = button(FunGunFile, 1, 9);
        b.macroname = QStringLiteral("beta");
        ButtonInfo again = button(FunMacro, 2, 9);
        again.macroname = QStringLiteral("alpha");
        ButtonInfo odd = button(FunMacro, 7, 0x0105);
        odd.macroname = QStringLiteral("gamma");

        ProfileRecord slot;
        KestButtonUpload upload(KestDeviceContext::link(), slot, KestButtonLayout::read());
        const auto encodeHere = [&](ButtonInfo info) {
            upload.encodeButton(info, 0);
            return table()[0];
        };
        QCOMPARE(encodeHere(a), (ButtonEntry{0x91, 0, 0x03, 0x02}));
        QCOMPARE(encodeHere(b), (ButtonEntry{0x9D, 0x81, 0xFF, 0xFF}));
        QCOMPARE(encodeHere(again), (ButtonEntry{0x91, 0x40, 0xFF, 0xFF}));
        // An unknown loop mode is sent as a counted macro.
        QCOMPARE(encodeHere(odd), (ButtonEntry{0x91, 2, 0x05, 0x01}));
        QCOMPARE(upload.numbers().size(), size_t(3));
        QCOMPARE(upload.numbers().at(1), QStringLiteral("beta"));

        ButtonInfo stored = odd;
        upload.encodeButton(stored, 3);
        QCOMPARE(int(stored.Res4), 2);
    }

    void encodeButton_entryOutsideTableIsIgnored()
    {
        const ButtonTableBytes before = table();
        ProfileRecord slot;
        KestButtonUpload upload(KestDeviceContext::link(), slot, KestButtonLayout::read());
        ButtonInfo b = button(FunLeft);
        upload.encodeButton(b, 16);
        upload.encodeButton(b, -1);
        QVERIFY(table() == before);
    }

    void layoutMacro_insertsDelaysAfterEveryFourthStep()
    {
        QVector<KeyInfo> steps;
        for (quint8 i = 1; i <= 5; ++i)
            steps.append({0x84, i, 0});
        const MacroSlotBytes slot = layoutMacro(steps);
        const QByteArray bytes(reinterpret_cast<const char *>(slot.data()), 30);
        QCOMPARE(bytes.toHex(), QByteArray("840100840200840300840400060100840500060100000000"
                                           "000000000000"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(slot.data()) + 24, 232), QByteArray(232, '\0'));

        // No steps: the closing delay and a zero step.
        const MacroSlotBytes empty = layoutMacro({});
        QCOMPARE(int(empty[0]), 6);
        QCOMPARE(int(empty[1]), 1);
        QVERIFY(macroSlotUsed(empty));
    }

    void layoutMacro_timedMacroCopiedAndCutAt200()
    {
        QVector<KeyInfo> steps;
        for (int i = 0; i < 80; ++i)
            steps.append(i % 2 ? KeyInfo{6, quint8(i), 0} : KeyInfo{0x84, quint8(i), 0});
        const MacroSlotBytes slot = layoutMacro(steps);
        QCOMPARE(int(slot[3]), 6);
        QCOMPARE(int(slot[4]), 1);
        QCOMPARE(int(slot[198]), int(steps[66].map));
        QCOMPARE(int(slot[199]), int(steps[66].low));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(slot.data()) + 200, 56), QByteArray(56, '\0'));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(CommandWireTest)
#include "tst_commandwire.moc"
