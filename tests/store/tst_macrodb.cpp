// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include "store/appsettings.h"
#include "store/macrodb.h"
#include "storefixture.h"

class TestMacroDb : public QObject
{
    Q_OBJECT

private slots:
    void saveThenLoad_keepsSettingsAndActions();
    void saveShorterMacro_dropsStaleActions();
    void recoilSave_leavesWriteSignAlone();
    void missingFileOrHugeCount_readSafely();
    void list_slotsNotCompacted_firstFreeSlotReused_fullListRefused();
    void newMacroName_takesSmallestFreeNumber();
    void refusedNames_writeNothing();
};

void TestMacroDb::saveThenLoad_keepsSettingsAndActions()
{
    StoreFixture fixture;
    MacroSettings settings;
    settings.defaultDelay = 25;
    settings.delayType = 1;
    settings.loopType = 2;
    settings.loopTime = 7;
    // A right-button press, 250 ms and 3000 ms delays, a move of five steps up.
    const QVector<MacroAction> actions = {{MACRO_MOUSE_DOWN, 0, 2}, {MACRO_DELAY, 0, 25},
                                          {MACRO_MOUSE_UP, 0, 2},   {MACRO_DELAY, 1, 44},
                                          {MACRO_MOVE, 0, 251}};
    QVERIFY(saveMacro(QStringLiteral("Reload"), settings, actions));

    const Macro macro = loadMacro(QStringLiteral("Reload"));
    QCOMPARE(macro.actions, actions);
    QCOMPARE(macro.settings.defaultDelay, 25);
    QCOMPARE(macro.settings.delayType, 1);
    QCOMPARE(macro.settings.loopType, 2);
    QCOMPARE(macro.settings.loopTime, 7);
    QCOMPARE(macro.writeSign, 1);
    QCOMPARE(macro.settings.filePath, QFileInfo(macroFilePath(QStringLiteral("Reload"))).absoluteFilePath());
    QCOMPARE(readMacroActions(QStringLiteral("Reload")), actions);

    const QSettings ini(macroFilePath(QStringLiteral("Reload")), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("Setting/Map_0")).toInt(), 129);
    QCOMPARE(ini.value(QStringLiteral("Setting/DataL_3")).toInt(), 44);
    QCOMPARE(ini.value(QStringLiteral("Setting/DataH_3")).toInt(), 1);
    QCOMPARE(ini.value(QStringLiteral("Setting/Count")).toInt(), 5);

    const KeyInfo step = macroActionToKeyInfo(actions[4]);
    QCOMPARE(int(step.map), 2);
    QCOMPARE(int(step.low), 251);
    QCOMPARE(int(step.high), 0);
    QCOMPARE(keyInfoToMacroAction(step), actions[4]);
}

void TestMacroDb::saveShorterMacro_dropsStaleActions()
{
    StoreFixture fixture;
    QVERIFY(saveMacro(QStringLiteral("m"), {}, {{MACRO_KEY_DOWN, 0, 4}, {MACRO_KEY_UP, 0, 4}}));
    QVERIFY(saveMacro(QStringLiteral("m"), {}, {{MACRO_KEY_DOWN, 0, 5}}));
    const QSettings ini(macroFilePath(QStringLiteral("m")), QSettings::IniFormat);
    QVERIFY(!ini.contains(QStringLiteral("Setting/Map_1")));
    QCOMPARE(loadMacro(QStringLiteral("m")).actions.size(), 1);
}

void TestMacroDb::recoilSave_leavesWriteSignAlone()
{
    StoreFixture fixture;
    QVERIFY(saveMacro(QStringLiteral("gun"), {}, {}, WriteSign::Leave));
    QVERIFY(!QSettings(macroFilePath(QStringLiteral("gun")), QSettings::IniFormat)
                 .contains(QStringLiteral("Setting/WriteSign")));
    QVERIFY(saveMacro(QStringLiteral("gun"), {}, {}));
    QVERIFY(saveMacro(QStringLiteral("gun"), {}, {{MACRO_DELAY, 0, 1}}, WriteSign::Leave));
    QCOMPARE(readWriteSign(QStringLiteral("gun")), 1);
    QVERIFY(clearWriteSign(QStringLiteral("gun")));
    QCOMPARE(readWriteSign(QStringLiteral("gun")), 0);
}

void TestMacroDb::missingFileOrHugeCount_readSafely()
{
    StoreFixture fixture;
    const Macro none = loadMacro(QStringLiteral("absent"));
    QVERIFY(none.actions.isEmpty());
    QCOMPARE(readWriteSign(QStringLiteral("absent")), 0);
    static_cast<void>(clearWriteSign(QStringLiteral("absent"))); // nothing to clear, and no file made
    QVERIFY(!QFileInfo::exists(macroFilePath(QStringLiteral("absent"))));

    QDir().mkpath(macroFolder());
    QFile file(macroFilePath(QStringLiteral("broken")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Setting]\nCount=2000000000\nMap_0=388\n");
    file.close();
    // The count is believed only as far as the file holds keys: two here.
    const QVector<MacroAction> actions = readMacroActions(QStringLiteral("broken"));
    QCOMPARE(actions.size(), 2);
    QCOMPARE(int(actions[0].map), 132);
    QCOMPARE(loadMacro(QStringLiteral("broken")).actions.size(), 2);

    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Setting]\nCount=-5\n");
    file.close();
    QVERIFY(readMacroActions(QStringLiteral("broken")).isEmpty());
}

void TestMacroDb::list_slotsNotCompacted_firstFreeSlotReused_fullListRefused()
{
    StoreFixture fixture;
    for (int i = 0; i < 5; ++i)
        QCOMPARE(addToMacroList(QStringLiteral("m%1").arg(i)), i);
    QCOMPARE(removeFromMacroList(QStringLiteral("m3")), 3);
    QCOMPARE(removeFromMacroList(QStringLiteral("never there")), -1);
    QStringList list = readMacroList();
    QCOMPARE(list.size(), MACRO_LIST_SIZE);
    QVERIFY(list[3].isEmpty());
    QCOMPARE(list[4], QStringLiteral("m4"));
    QCOMPARE(countMacros(), 4);
    QCOMPARE(addToMacroList(QStringLiteral("new")), 3);

    for (int i = 5; i < MACRO_LIST_SIZE; ++i)
        QCOMPARE(addToMacroList(QStringLiteral("x%1").arg(i)), i);
    QCOMPARE(countMacros(), MACRO_LIST_SIZE);
    QCOMPARE(addToMacroList(QStringLiteral("one too many")), -1);
}

void TestMacroDb::newMacroName_takesSmallestFreeNumber()
{
    StoreFixture fixture;
    QCOMPARE(newMacroName(), QStringLiteral("name_1"));
    QVERIFY(saveMacro(QStringLiteral("name_1"), {}, {}));
    QVERIFY(saveMacro(QStringLiteral("name_3"), {}, {}));
    QCOMPARE(newMacroName(), QStringLiteral("name_2"));
    QVERIFY(deleteMacroFile(QStringLiteral("name_1")));
    QVERIFY(!deleteMacroFile(QStringLiteral("name_1")));
    QCOMPARE(newMacroName(), QStringLiteral("name_1"));
}

void TestMacroDb::refusedNames_writeNothing()
{
    StoreFixture fixture;
    QVERIFY(!saveMacro(QStringLiteral("../outside"), {}, {}));
    QVERIFY(!saveMacro(QString(), {}, {}));
    QVERIFY(!QFileInfo::exists(configFolder() + QStringLiteral("/outside.MSMACRO")));
    QVERIFY(!deleteMacroFile(QStringLiteral("..")));
}

QTEST_GUILESS_MAIN(TestMacroDb)
#include "tst_macrodb.moc"
