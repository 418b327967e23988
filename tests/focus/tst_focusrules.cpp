// SPDX-License-Identifier: GPL-2.0-or-later
// Which slot a focused program asks for, and the rules' place in Config.ini.

#include <QTemporaryDir>
#include <QtTest>

#include "store/focusrules.h"
#include "store/kestinifile.h"

class TestFocusRules : public QObject
{
    Q_OBJECT

private slots:
    void matching_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("matches");
        // The program: a game whose window class, instance and executable all differ.
        QTest::newRow("class") << "Steam_App_42" << true;
        QTest::newRow("class, other case") << "steam_app_42" << true;
        QTest::newRow("instance") << "steam_app_42_main" << true;
        QTest::newRow("executable") << "Game.x86_64" << true;
        QTest::newRow("executable, other case, spaces") << "  GAME.X86_64 " << true;
        QTest::newRow("part of a name") << "steam" << false;
        QTest::newRow("path of the executable") << "/opt/game/Game.x86_64" << false;
        QTest::newRow("empty") << "" << false;
    }

    void matching()
    {
        QFETCH(QString, rule);
        QFETCH(bool, matches);
        const FocusedProgram game{QStringLiteral("steam_app_42_main"), QStringLiteral("Steam_App_42"),
                                  QStringLiteral("Game.x86_64"), 4242};
        QCOMPARE(KestFocusRules::matches(rule, game), matches);
    }

    void slotsAndDefault()
    {
        KestFocusRules rules;
        QVERIFY(rules.setRule(QStringLiteral("firefox"), 1));
        QVERIFY(rules.setRule(QStringLiteral("Xmessage"), 3));
        const FocusedProgram browser{QStringLiteral("Navigator"), QStringLiteral("firefox"), QStringLiteral("firefox-esr"), 1};
        const FocusedProgram editor{QStringLiteral("gedit"), QStringLiteral("Gedit"), QStringLiteral("gedit"), 2};
        // A program known only by its executable (no class at all) still matches.
        const FocusedProgram bare{{}, {}, QStringLiteral("XMESSAGE"), 3};
        QCOMPARE(rules.slotFor(browser), 1);
        QCOMPARE(rules.slotFor(bare), 3);
        QCOMPARE(rules.slotFor(editor), int(KestFocusRules::NoSlot));
        QVERIFY(rules.setDefaultSlot(0));
        QCOMPARE(rules.slotFor(editor), 0);
        QCOMPARE(rules.slotFor(FocusedProgram{}), 0);

        // The same name in another case is the same rule.
        QVERIFY(rules.setRule(QStringLiteral("FIREFOX"), 4));
        QCOMPARE(rules.rules.size(), 2);
        QCOMPARE(rules.slotFor(browser), 4);
        QVERIFY(rules.removeRule(QStringLiteral("FireFox")));
        QVERIFY(!rules.removeRule(QStringLiteral("firefox")));
        QCOMPARE(rules.slotFor(browser), 0);

        rules.enabled = false;
        QCOMPARE(rules.slotFor(bare), int(KestFocusRules::NoSlot));

        QVERIFY(!rules.setRule(QStringLiteral("x"), 5));
        QVERIFY(!rules.setRule(QStringLiteral("x"), -1));
        QVERIFY(!rules.setRule(QStringLiteral("  "), 1));
        QVERIFY(!rules.setDefaultSlot(5));
        QCOMPARE(rules.defaultSlot, 0);
    }

    void storedBesideOtherSettings()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/Configs/Config.ini");
        QVERIFY(KestIniFile::update(path, [](KestIniFile &ini) { ini.setInt(QStringLiteral("Config/ProfileID"), 2); }));
        QCOMPARE(KestFocusRules::load(path), KestFocusRules());

        KestFocusRules rules;
        rules.setRule(QStringLiteral("Game.x86_64"), 2);
        rules.setRule(QStringLiteral("name with = and \"quotes\""), 4);
        rules.setDefaultSlot(0);
        rules.enabled = false;
        QVERIFY(rules.save(path));
        QCOMPARE(KestFocusRules::load(path), rules);
        // Shorter lists leave no stale entries behind.
        rules.removeRule(QStringLiteral("Game.x86_64"));
        QVERIFY(rules.save(path));
        QCOMPARE(KestFocusRules::load(path), rules);

        KestIniFile ini;
        QVERIFY(ini.load(path).isOk());
        QCOMPARE(ini.intValue(QStringLiteral("Config/ProfileID")), 2);
        QVERIFY(!ini.contains(QStringLiteral("FocusRules/Program_2")));
    }

    void handEditedFile()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/Config.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[FocusRules]\nCount=99999\nDefault=9\nProgram_1=a\nSlot_1=7\nProgram_2=b\nSlot_2=2\n"
                   "Program_3=B\nSlot_3=1\nProgram_4=\nSlot_4=1\n");
        file.close();
        const KestFocusRules rules = KestFocusRules::load(path);
        // Slot 7 and the empty name are dropped, the first of two equal names wins.
        QCOMPARE(rules.rules.size(), 1);
        QCOMPARE(rules.rules[0].program, QStringLiteral("b"));
        QCOMPARE(rules.rules[0].slot, 2);
        QCOMPARE(rules.defaultSlot, int(KestFocusRules::NoSlot));
        QVERIFY(rules.enabled);
    }
};

QTEST_GUILESS_MAIN(TestFocusRules)
#include "tst_focusrules.moc"
