// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include <QColor>

#include "store/configrecord.h"
#include "store/macrodb.h"
#include "storefixture.h"

class TestConfigRecord : public QObject
{
    Q_OBJECT

private slots:
    void dpiCodeToDpi_boundaries_data();
    void dpiCodeToDpi_boundaries();

    void makeDefaultProfile_withoutDescription_usesBuiltInFallback();
    void makeDefaultProfile_withDescription_takesItsDefaults();
    void makeDefaultConfig_resetsSlotZeroOptionsAndNames_keepsOtherSlotsAndCount();
    void makeDefaultConfig_withoutDescription_usesPerKeyDefaults();

    void diffConfig_identicalOrCountOnly_isZero();
    void diffConfig_generalBit();
    void diffConfig_dpiBit_ignoresLinkAndXy();
    void diffConfig_buttonBit();
    void diffConfig_lightingBit_onlySelectedEffect();
    void diffConfig_unchangedMacroWithWriteSign_setsButtonsAndClearsFlag();

    void safeIndexes_clampOutOfRangeValues();
};

void TestConfigRecord::dpiCodeToDpi_boundaries_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("dpi");
    // Every row of the sensor table at both sides of its bends, plus the corrections.
    QTest::newRow("3104 14 is 500") << 3104 << 14 << 500;
    QTest::newRow("3104 106") << 3104 << 106 << 4240;
    QTest::newRow("3104 107") << 3104 << 107 << 4320;
    QTest::newRow("31042 107") << 31042 << 107 << 4320;
    QTest::newRow("3212 21 is 800") << 3212 << 21 << 800;
    QTest::newRow("3212 32 is 1200") << 3212 << 32 << 1200;
    QTest::newRow("3212 43 is 1600") << 3212 << 43 << 1600;
    QTest::newRow("3212 63 is 2400") << 3212 << 63 << 2400;
    QTest::newRow("3212 10") << 3212 << 10 << 380;
    QTest::newRow("3212 64") << 3212 << 64 << 2430;
    QTest::newRow("3212 94") << 3212 << 94 << 4710;
    QTest::newRow("3212 95") << 3212 << 95 << 4860;
    QTest::newRow("3212 111 is 7200") << 3212 << 111 << 7200;
    QTest::newRow("3311 120") << 3311 << 120 << 12000;
    QTest::newRow("3360 121") << 3360 << 121 << 12200;
    QTest::newRow("33112 121") << 33112 << 121 << 12200;
    QTest::newRow("3325 50") << 3325 << 50 << 5000;
    QTest::newRow("3325 51") << 3325 << 51 << 5200;
    QTest::newRow("33252 75") << 33252 << 75 << 10000;
    QTest::newRow("3325 76") << 3325 << 76 << 10400;
    QTest::newRow("3327 61") << 3327 << 61 << 6200;
    QTest::newRow("3327 62") << 3327 << 62 << 6400;
    QTest::newRow("3327 92") << 3327 << 92 << 12400;
    QTest::newRow("3327 93") << 3327 << 93 << 12600;
    QTest::newRow("3327 106 is 16400") << 3327 << 106 << 16400;
    QTest::newRow("3327 107") << 3327 << 107 << 16800;
    QTest::newRow("3333 80") << 3333 << 80 << 8000;
    QTest::newRow("3333 81") << 3333 << 81 << 8200;
    QTest::newRow("3335 160") << 3335 << 160 << 16000;
    QTest::newRow("33352 161") << 33352 << 161 << 16200;
    QTest::newRow("3370 200") << 3370 << 200 << 10000;
    QTest::newRow("3370 201") << 3370 << 201 << 10100;
    QTest::newRow("3389 320") << 3389 << 320 << 16000;
    QTest::newRow("3389 321") << 3389 << 321 << 16100;
    QTest::newRow("3395 519") << 3395 << 519 << 26000;
    QTest::newRow("33952 520") << 33952 << 520 << 26100;
    QTest::newRow("3399 399") << 3399 << 399 << 20000;
    QTest::newRow("3399 400") << 3399 << 400 << 20100;
    QTest::newRow("unknown sensor") << 1234 << 100 << 0;
    QTest::newRow("no sensor") << 0 << 16 << 0;
}

void TestConfigRecord::dpiCodeToDpi_boundaries()
{
    QFETCH(int, sensor);
    QFETCH(int, code);
    QFETCH(int, dpi);
    QCOMPARE(dpiCodeToDpi(code, sensor), dpi);
}

void TestConfigRecord::makeDefaultProfile_withoutDescription_usesBuiltInFallback()
{
    StoreFixture fixture;
    ProfileRecord p;
    p.ProfileName = QStringLiteral("old");
    p.BUTTON_INFO[30].macroname = QStringLiteral("stale");
    p.BUTTON_INFO[30].KeyInfo[5].map = 9;
    makeDefaultProfile(p);

    QCOMPARE(int(p.pollrate), 1);
    QCOMPARE(int(p.dpi), 1);
    QCOMPARE(int(p.LedMode), 9);
    QCOMPARE(int(p.LedMoveOFF), 0);
    QCOMPARE(int(p.LedSleepTime), 1);
    QCOMPARE(int(p.mousespeed), 10);
    QCOMPARE(int(p.dbclickspeed), 5);
    QCOMPARE(int(p.scrollspeed), 1);
    QCOMPARE(int(p.accelenable), 1);
    QCOMPARE(int(p.acee), 1);
    const quint32 codes[] = {8, 12, 16, 24, 50, 75, 0, 0};
    for (int i = 0; i < DPI_LEVELS; ++i) {
        QCOMPARE(int(p.DPI_INFO[i].used), 1);
        QCOMPARE(int(p.DPI_INFO[i].link), 1);
        QCOMPARE(p.DPI_INFO[i].x, codes[i]);
        QCOMPARE(p.DPI_INFO[i].y, codes[i]);
        QCOMPARE(p.DPI_INFO[i].xy, codes[i]);
    }
    const int functions[] = {1, 2, 3, 4, 5, 4, 5, 0};
    for (int b = 0; b < 8; ++b)
        QCOMPARE(p.BUTTON_INFO[b].Fun, functions[b]);
    QCOMPARE(p.BUTTON_INFO[40].Fun, 52);
    QCOMPARE(p.BUTTON_INFO[41].Fun, 53);
    QCOMPARE(p.BUTTON_INFO[30], ButtonInfo());
    QVERIFY(p.ProfileName.isEmpty());
    QCOMPARE(p.LED_MODE[0].RGB, KestRgb(255, 0, 0));
    QCOMPARE(p.LED_MODE[10].RGB, KestRgb(0, 255, 0));
    QCOMPARE(p.LED_MODE[13].h, 360);
    QCOMPARE(p.LED_MODE[13].bright, 3);
    QCOMPARE(p.LED_MODE[13].breath, 3);
}

void TestConfigRecord::makeDefaultProfile_withDescription_takesItsDefaults()
{
    StoreFixture fixture;
    fixture.describe({{QStringLiteral("dpi"), 3},
                      {QStringLiteral("pollrate"), 2},
                      {QStringLiteral("LedMode"), 4},
                      {QStringLiteral("DPI_INFO_7_xy"), 320},
                      {QStringLiteral("BUTTON_INFO_2_ID"), 77},
                      {QStringLiteral("BUTTON_INFO_2_Fun"), 47},
                      {QStringLiteral("BUTTON_INFO_2_Res3"), 300},
                      {QStringLiteral("BUTTON_INFO_15_KeyNumber"), 6},
                      {QStringLiteral("LedMode/LED_MODE_4_RGB"), QColor(1, 2, 3)},
                      {QStringLiteral("LedMode/LED_MODE_4_bright"), 2},
                      {QStringLiteral("LedMode/LED_MODE_4_breath"), 5}});
    ProfileRecord p;
    makeDefaultProfile(p);

    QCOMPARE(int(p.dpi), 3);
    QCOMPARE(int(p.pollrate), 2);
    QCOMPARE(int(p.LedMode), 4);
    QCOMPARE(int(p.LedMoveOFF), 0);
    QCOMPARE(int(p.LedSleepTime), 1);
    QCOMPARE(p.DPI_INFO[7].x, 320u);
    QCOMPARE(p.DPI_INFO[0].x, 0u);
    QCOMPARE(int(p.DPI_INFO[0].used), 1);
    QCOMPARE(p.BUTTON_INFO[2].ID, 0); // identifiers are not taken over
    QCOMPARE(p.BUTTON_INFO[2].Fun, 47);
    QCOMPARE(int(p.BUTTON_INFO[2].Res3), 44);
    QCOMPARE(p.BUTTON_INFO[15].KeyNumber, 6);
    QCOMPARE(p.BUTTON_INFO[0].Fun, 0);
    QCOMPARE(p.BUTTON_INFO[40].Fun, 52);
    QCOMPARE(p.BUTTON_INFO[41].Fun, 53);
    QCOMPARE(p.LED_MODE[4].RGB, KestRgb(1, 2, 3));
    QCOMPARE(p.LED_MODE[4].bright, 2);
    QCOMPARE(p.LED_MODE[4].breath, 5);
    QCOMPARE(p.LED_MODE[4].h, 360);
    QVERIFY(!p.LED_MODE[5].RGB.isValid()); // the file has no colour for it
}

void TestConfigRecord::makeDefaultConfig_resetsSlotZeroOptionsAndNames_keepsOtherSlotsAndCount()
{
    StoreFixture fixture;
    fixture.describe({{QStringLiteral("lift"), 2},
                      {QStringLiteral("angle"), 1},
                      {QStringLiteral("butondelay"), 12},
                      {QStringLiteral("jitter"), 1},
                      {QStringLiteral("wake"), 3},
                      {QStringLiteral("sensormode"), 0},
                      {QStringLiteral("sync"), 1}});
    ConfigRecord c;
    c.ProfileID = 3;
    c.Count = 9;
    c.profiles[0].pollrate = 8;
    c.profiles[2].pollrate = 4;
    c.names[4] = QStringLiteral("Gaming");
    makeDefaultConfig(c);

    QCOMPARE(int(c.ProfileID), 0);
    QCOMPARE(int(c.Count), 9);
    QCOMPARE(int(c.profiles[2].pollrate), 4);
    QCOMPARE(int(c.profiles[0].pollrate), 0); // the description gives no rate
    QCOMPARE(int(c.LiftHigh), 2);
    QCOMPARE(int(c.AngleValue), 1);
    QCOMPARE(int(c.Debounce), 12);
    QCOMPARE(int(c.Jitter), 1);
    QCOMPARE(int(c.Wake), 3);
    QCOMPARE(int(c.SensorMode), 0);
    QCOMPARE(int(c.Sync), 1);
    for (int i = 0; i < SLOT_COUNT; ++i)
        QCOMPARE(c.names[i], QStringLiteral("Profile %1").arg(i + 1));
}

void TestConfigRecord::makeDefaultConfig_withoutDescription_usesPerKeyDefaults()
{
    StoreFixture fixture;
    ConfigRecord c;
    c.LiftHigh = 7;
    c.SensorMode = 7;
    makeDefaultConfig(c);
    QCOMPARE(int(c.LiftHigh), 0);
    QCOMPARE(int(c.Debounce), 20);
    QCOMPARE(int(c.SensorMode), 1);
    QCOMPARE(int(c.profiles[0].LedMode), 9);
}

namespace {
ConfigRecord sampleConfig()
{
    ConfigRecord c;
    for (int k = 0; k < SLOT_COUNT; ++k)
        makeDefaultProfile(c.profiles[k]);
    return c;
}
} // namespace

void TestConfigRecord::diffConfig_identicalOrCountOnly_isZero()
{
    StoreFixture fixture;
    const ConfigRecord a = sampleConfig();
    ConfigRecord b = a;
    QCOMPARE(int(diffConfig(a, b)), 0);
    b.Count = 42;
    b.names[2] = QStringLiteral("Other");
    b.profiles[1].mousespeed = 3; // handed to the desktop, not to the mouse
    QCOMPARE(int(diffConfig(b, a)), 0);
}

void TestConfigRecord::diffConfig_generalBit()
{
    StoreFixture fixture;
    const ConfigRecord base = sampleConfig();

    ConfigRecord w = base;
    w.ProfileID = 2;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_GENERAL));

    w = base;
    w.profiles[4].pollrate = 8;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_GENERAL));

    w = base;
    w.Debounce = 99;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_GENERAL));

    // The active slot's lighting options count; another slot's do not.
    w = base;
    w.profiles[0].LedSleepTime = 5;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_GENERAL));
    w = base;
    w.profiles[3].LedSleepTime = 5;
    w.profiles[3].dpi = 6;
    QCOMPARE(int(diffConfig(w, base)), 0);
}

void TestConfigRecord::diffConfig_dpiBit_ignoresLinkAndXy()
{
    StoreFixture fixture;
    const ConfigRecord base = sampleConfig();
    ConfigRecord w = base;
    w.profiles[4].DPI_INFO[7].link = 0;
    w.profiles[4].DPI_INFO[7].xy = 99;
    QCOMPARE(int(diffConfig(w, base)), 0);
    w.profiles[4].DPI_INFO[7].y = 99;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_DPI));
}

void TestConfigRecord::diffConfig_buttonBit()
{
    StoreFixture fixture;
    const ConfigRecord base = sampleConfig();
    ConfigRecord w = base;
    w.profiles[2].BUTTON_INFO[41].KeyInfo[62].high = 1;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_BUTTONS));

    w = base;
    w.profiles[0].BUTTON_INFO[3].Res4 = 1;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_BUTTONS));

    // A macro name matters only on a macro button.
    w = base;
    w.profiles[0].BUTTON_INFO[3].macroname = QStringLiteral("ignored");
    QCOMPARE(int(diffConfig(w, base)), 0);
    ConfigRecord l = base;
    l.profiles[0].BUTTON_INFO[3].Fun = MACRO_FUNCTION;
    w = l;
    w.profiles[0].BUTTON_INFO[3].macroname = QStringLiteral("other");
    QCOMPARE(int(diffConfig(w, l)), int(CHANGE_BUTTONS));
}

void TestConfigRecord::diffConfig_lightingBit_onlySelectedEffect()
{
    StoreFixture fixture;
    const ConfigRecord base = sampleConfig();
    ConfigRecord w = base;
    const int selected = base.profiles[1].LedMode;
    w.profiles[1].LED_MODE[(selected + 1) % LED_EFFECTS].RGB = KestRgb(1, 1, 1);
    QCOMPARE(int(diffConfig(w, base)), 0);
    w.profiles[1].LED_MODE[selected].breath = 1;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_LIGHTING));

    w = base;
    w.profiles[1].LedMode = 2;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_LIGHTING));
    // On the active slot the effect change is a general setting too.
    w.profiles[0].LedMode = 2;
    QCOMPARE(int(diffConfig(w, base)), int(CHANGE_GENERAL | CHANGE_LIGHTING));

    // A stored effect index out of range must not read past the table.
    w = base;
    w.profiles[2].LedMode = 200;
    ConfigRecord l = w;
    QCOMPARE(int(diffConfig(w, l)), 0);
}

void TestConfigRecord::diffConfig_unchangedMacroWithWriteSign_setsButtonsAndClearsFlag()
{
    StoreFixture fixture;
    ConfigRecord base = sampleConfig();
    ButtonInfo &button = base.profiles[0].BUTTON_INFO[5];
    button.Fun = MACRO_FUNCTION;
    button.macroname = QStringLiteral("combo");
    QVERIFY(saveMacro(QStringLiteral("combo"), MacroSettings(), {{MACRO_KEY_DOWN, 0, 4}}));
    QCOMPARE(readWriteSign(QStringLiteral("combo")), 1);

    QCOMPARE(int(diffConfig(base, base)), int(CHANGE_BUTTONS));
    QCOMPARE(readWriteSign(QStringLiteral("combo")), 0);
    QCOMPARE(int(diffConfig(base, base)), 0);

    // A binding whose macro file is gone counts as unchanged and creates no file.
    base.profiles[0].BUTTON_INFO[5].macroname = QStringLiteral("gone");
    QCOMPARE(int(diffConfig(base, base)), 0);
    QVERIFY(!QFile::exists(macroFilePath(QStringLiteral("gone"))));
}

void TestConfigRecord::safeIndexes_clampOutOfRangeValues()
{
    ConfigRecord c;
    c.ProfileID = 9;
    QCOMPARE(activeSlotIndex(c), SLOT_COUNT - 1);
    ProfileRecord p;
    p.dpi = 255;
    p.LedMode = 14;
    QCOMPARE(activeDpiIndex(p), DPI_LEVELS - 1);
    QCOMPARE(activeEffectIndex(p), LED_EFFECTS - 1);
    ButtonInfo b;
    b.KeyNumber = -3;
    QCOMPARE(validKeySteps(b), 0);
    b.KeyNumber = 500;
    QCOMPARE(validKeySteps(b), KEY_STEPS);
}

QTEST_GUILESS_MAIN(TestConfigRecord)
#include "tst_configrecord.moc"
