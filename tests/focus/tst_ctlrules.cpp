// SPDX-License-Identifier: GPL-2.0-or-later
// mousecfgctl rules with no utility running: the stored rules are changed in place.

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "store/appdir.h"
#include "store/focusrules.h"
#include "store/kestinifile.h"

class TestCtlRules : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_app;

    int ctl(const QStringList &args, QString *out = nullptr, QString *err = nullptr)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Never the developer's own session bus, where a real utility may run.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/mousecfg-no-bus"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"),
                      QStringList{QStringLiteral("--app-dir"), m_app.path()} + args);
        if (!process.waitForFinished(20000))
            return -1;
        if (out)
            *out = QString::fromLocal8Bit(process.readAllStandardOutput());
        if (err)
            *err = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitCode();
    }

private slots:
    void initTestCase()
    {
        setApplicationDir(m_app.path());
        // Settings the rules live beside, which must survive every change.
        QVERIFY(KestIniFile::update(m_app.path() + QStringLiteral("/Configs/Config.ini"),
                                    [](KestIniFile &ini) { ini.setInt(QStringLiteral("Config/ProfileID"), 3); }));
    }

    void editsTheStoredRules()
    {
        QString out;
        // Slots count from 1 here, as in the window; the settings file keeps 0..4.
        QCOMPARE(ctl({QStringLiteral("rules"), QStringLiteral("add"), QStringLiteral("Game.x86_64"), QStringLiteral("3")}), 0);
        QCOMPARE(ctl({QStringLiteral("rules"), QStringLiteral("add"), QStringLiteral("firefox"), QStringLiteral("1")}), 0);
        QCOMPARE(ctl({QStringLiteral("rules"), QStringLiteral("add"), QStringLiteral("GAME.x86_64"), QStringLiteral("5")}), 0);
        QCOMPARE(ctl({QStringLiteral("rules"), QStringLiteral("default"), QStringLiteral("2")}), 0);
        QCOMPARE(ctl({QStringLiteral("rules"), QStringLiteral("list")}, &out), 0);
        QCOMPARE(out, QStringLiteral("Game.x86_64\t5\nfirefox\t1\ndefault: 2\n"));
        QCOMPARE(ctl({QStringLiteral("rules"), QStringLiteral("list"), QStringLiteral("--json")}, &out), 0);
        QCOMPARE(out, QStringLiteral("{\"default\":2,\"enabled\":true,\"rules\":[{\"program\":\"Game.x86_64\",\"slot\":5},"
                                     "{\"program\":\"firefox\",\"slot\":1}]}\n"));

        QCOMPARE(ctl({QStringLiteral("rules"), QStringLiteral("remove"), QStringLiteral("FIREFOX")}), 0);
        QCOMPARE(ctl({QStringLiteral("rules"), QStringLiteral("default"), QStringLiteral("none")}), 0);
        const KestFocusRules rules = KestFocusRules::load();
        QCOMPARE(rules.rules.size(), 1);
        QCOMPARE(rules.rules[0].slot, 4);
        QCOMPARE(rules.defaultSlot, int(KestFocusRules::NoSlot));
        KestIniFile ini;
        QVERIFY(ini.load(m_app.path() + QStringLiteral("/Configs/Config.ini")).isOk());
        QCOMPARE(ini.intValue(QStringLiteral("Config/ProfileID")), 3);
    }

    void refusesWhatMakesNoSense_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("slot 6") << QStringList{"rules", "add", "x", "6"};
        QTest::newRow("slot 0") << QStringList{"rules", "add", "x", "0"};
        QTest::newRow("slot text") << QStringList{"rules", "add", "x", "two"};
        QTest::newRow("no slot") << QStringList{"rules", "add", "x"};
        QTest::newRow("default -1") << QStringList{"rules", "default", "-1"};
        QTest::newRow("no action") << QStringList{"rules"};
        QTest::newRow("unknown action") << QStringList{"rules", "clear"};
        QTest::newRow("too many") << QStringList{"rules", "list", "a", "b", "c"};
    }

    void refusesWhatMakesNoSense()
    {
        QFETCH(QStringList, args);
        const KestFocusRules before = KestFocusRules::load();
        QString err;
        QCOMPARE(ctl(args, nullptr, &err), 64);
        QVERIFY(!err.isEmpty());
        QCOMPARE(KestFocusRules::load(), before);
    }

    void removingARuleThatIsNotThere_failsWithoutUsage()
    {
        // Not a usage error: the command was right, the rule is missing.
        QString err;
        QCOMPARE(ctl({QStringLiteral("rules"), QStringLiteral("remove"), QStringLiteral("nothing-here")}, nullptr, &err), 1);
        QCOMPARE(err, QStringLiteral("mousecfgctl: there is no rule for \"nothing-here\"\n"));
    }
};

QTEST_GUILESS_MAIN(TestCtlRules)
#include "tst_ctlrules.moc"
