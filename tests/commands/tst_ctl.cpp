// SPDX-License-Identifier: GPL-2.0-or-later
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "device/kestdevicelock.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run ctl(const QStringList &arguments, const QString &fault = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("MOUSECFG_SIMULATE"));
    env.remove(QStringLiteral("QT_LOGGING_RULES"));
    env.remove(QStringLiteral("MOUSECFG_SIMULATE_FAULT"));
    if (!fault.isNull())
        env.insert(QStringLiteral("MOUSECFG_SIMULATE_FAULT"), fault);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"), arguments);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// An installed product with its profile set saved the way the utility saves it.
void installProduct(const QTemporaryDir &dir, const QString &product)
{
    setApplicationDir(dir.path());
    QSettings ini(dir.path() + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Mouse_List/0"), product);
    ini.setValue(QStringLiteral("Config/CurrentProductName"), product);
    ini.setValue(QStringLiteral("MouseSenSor/1"), 3389);
    ini.sync();
    ConfigRecord record;
    makeDefaultConfig(record);
    QVERIFY(saveAll(record));
}

QStringList linesOf(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class CtlTest : public QObject
{
    Q_OBJECT

private slots:
    void help_andUsageErrors()
    {
        const Run help = ctl({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(QLatin1String("select-slot N")));
        QCOMPARE(ctl({QStringLiteral("help")}).out, help.out);
        QVERIFY(ctl({QStringLiteral("help"), QStringLiteral("set")}).out.contains(QLatin1String("key-response")));
        const Run version = ctl({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QVERIFY2(QRegularExpression(QStringLiteral("^mousecfgctl \\d+\\.\\d+\\.\\d+\n$")).match(version.out).hasMatch(),
                 qPrintable(version.out));
        for (const QStringList &bad : {QStringList{}, QStringList{QStringLiteral("frobnicate")},
                                      QStringList{QStringLiteral("--simulate=usb"), QStringLiteral("list")},
                                      QStringList{QStringLiteral("export-conf")},
                                      QStringList{QStringLiteral("status"), QStringLiteral("extra")}}) {
            const Run run = ctl(bad);
            QCOMPARE(run.exitCode, 64);
            QVERIFY(run.err.startsWith(QLatin1String("mousecfgctl: ")));
        }
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        const Run slot = ctl({QStringLiteral("--app-dir"), dir.path(), QStringLiteral("--simulate"),
                              QStringLiteral("select-slot"), QStringLiteral("6")});
        QCOMPARE(slot.exitCode, 64);
        // A usage error says what is wrong and where to look, not the whole manual.
        QCOMPARE(slot.err.count(QLatin1Char('\n')), 1);
    }

    void list_showsTheSimulatedCable()
    {
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        const Run run = ctl({QStringLiteral("--app-dir=") + dir.path(), QStringLiteral("--simulate=cable"),
                             QStringLiteral("list")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QLatin1String("c0de:0d02")));
        QVERIFY(run.out.contains(QLatin1String("usage ff00/ff00")));
        QVERIFY(!run.out.contains(QLatin1String("c0de:0d01")));
    }

    void status_readsBatteryLevelAndRate()
    {
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        // Options may follow the command.
        const Run run = ctl({QStringLiteral("status"), QStringLiteral("--app-dir"), dir.path(),
                             QStringLiteral("--simulate=receiver")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QLatin1String("battery: 85%")));
        QVERIFY(run.out.contains(QLatin1String("report rate: 1000 Hz")));
        QVERIFY(run.out.contains(QLatin1String("connection: receiver")));
        // Quiet unless asked: the exchange's diagnostics are off by default.
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    }

    // The running utility knows no level while the cable powers the mouse; the tool alone
    // must print what it prints, with both plugged in as well (the cable is used then).
    void status_onTheCable_levelUnknownAsThroughTheUtility()
    {
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        for (const QString &plugged : {QStringLiteral("--simulate=cable"), QStringLiteral("--simulate=both")}) {
            const Run text = ctl({QStringLiteral("--app-dir"), dir.path(), plugged, QStringLiteral("status")});
            QCOMPARE(text.exitCode, 0);
            QVERIFY2(text.out.contains(QLatin1String("battery: unknown\n")), qPrintable(text.out));
            QVERIFY(text.out.contains(QLatin1String("connection: cable")));
            const Run json = ctl({QStringLiteral("--app-dir"), dir.path(), plugged, QStringLiteral("--json"),
                                  QStringLiteral("status")});
            QVERIFY2(json.out.startsWith(QLatin1String("{\"battery\":null,")), qPrintable(json.out));
            QVERIFY(json.out.contains(QLatin1String("\"mouse-off\":false")));
        }
    }

    void apply_tracesEveryReportAndItsEcho()
    {
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        const Run run = ctl({QStringLiteral("--app-dir"), dir.path(), QStringLiteral("--simulate"),
                             QStringLiteral("--trace"), trace, QStringLiteral("apply"), QStringLiteral("--all")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        const QStringList lines = linesOf(trace);
        QStringList writes;
        for (int i = 0; i < lines.size(); ++i) {
            const QString &line = lines[i];
            QVERIFY2(QRegularExpression(QStringLiteral("^[WR]( [0-9a-f]{2})+$")).match(line).hasMatch(),
                     qPrintable(line));
            if (!line.startsWith(QLatin1Char('W')))
                continue;
            writes.append(line);
            QCOMPARE(line.size(), 2 + 33 * 3 - 1);
            // The simulated mouse answers each report with its echo, without the report ID.
            QVERIFY(i + 1 < lines.size());
            QCOMPARE(lines[i + 1], QStringLiteral("R") + line.mid(4));
        }
        QCOMPARE(writes.size(), 9);
        QVERIFY(writes.first().startsWith(QLatin1String("W 00 00 aa 55 00")));
        QVERIFY(writes.last().startsWith(QLatin1String("W 00 00 cc 33 00")));

        // The trace is appended to, never replaced.
        ctl({QStringLiteral("--app-dir"), dir.path(), QStringLiteral("--simulate"), QStringLiteral("--trace"), trace,
             QStringLiteral("select-slot"), QStringLiteral("1")});
        QVERIFY(linesOf(trace).size() >= lines.size() + 7 + 6); // 7 reports, 6 of them answered
    }

    void apply_sendsTheStoredCurrentSlot()
    {
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-25"));
        ConfigRecord record;
        QVERIFY(loadAll(record).isUsable());
        record.ProfileID = 3;
        record.profiles[3].pollrate = 8;
        record.profiles[3].dpi = 2;
        record.profiles[3].DPI_INFO[0].x = 333;
        record.profiles[3].LedMode = 5;
        QVERIFY(saveAll(record));
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        const Run run = ctl({QStringLiteral("--app-dir"), dir.path(), QStringLiteral("--simulate"),
                             QStringLiteral("--trace"), trace, QStringLiteral("apply")});
        QCOMPARE(run.exitCode, 0);
        QStringList writes = linesOf(trace).filter(QRegularExpression(QStringLiteral("^W 00 0[15] ")));
        QCOMPARE(writes.size(), 2);
        QVERIFY2(writes[0].startsWith(QLatin1String("W 00 01 02 08 05")), qPrintable(writes[0]));
        // 333 on the 3389 is range 1, value 173.
        QVERIFY2(writes[1].startsWith(QLatin1String("W 00 05 01 ad 00")), qPrintable(writes[1]));
    }

    void apply_moreMacrosThanTheMouseHolds_warnsAndSucceeds()
    {
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        {
            QSettings description(dir.filePath(QStringLiteral("DefaultProfile.bin")), QSettings::IniFormat);
            description.setValue(QStringLiteral("PROFILE/MouseDpi"), 0);
            description.setValue(QStringLiteral("PROFILE/ButtonCount"), 16);
            for (int i = 0; i < 16; ++i)
                description.setValue(QStringLiteral("PROFILE/BUTTON_INFO_%1_Matrix").arg(i), i);
        }
        ConfigRecord record;
        QVERIFY(loadAll(record).isUsable());
        for (int i = 0; i < 14; ++i) {
            ButtonInfo &b = record.profiles[0].BUTTON_INFO[size_t(i)];
            b.Fun = 200; // macro
            b.macroname = QStringLiteral("m%1").arg(i);
        }
        QVERIFY(saveAll(record));
        const Run run = ctl({QStringLiteral("--app-dir"), dir.path(), QStringLiteral("--simulate"), QStringLiteral("apply")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QStringLiteral("mousecfgctl: warning: the mouse holds twelve macros; no macro for "
                                         "button 13 (m12), button 14 (m13)\n"));
    }

    void faults_rightResultWithinTheRetryTime_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("exitCode");
        const QStringList apply = {QStringLiteral("apply")};
        const QStringList status = {QStringLiteral("status")};
        const QStringList select = {QStringLiteral("select-slot"), QStringLiteral("2")};
        QTest::newRow("apply silent") << "silent" << apply << 2;
        QTest::newRow("apply zeros") << "zeros" << apply << 0; // a receiver may answer with zeros
        QTest::newRow("apply wrong-echo") << "wrong-echo" << apply << 2;
        QTest::newRow("apply read-error") << "read-error" << apply << 2;
        QTest::newRow("apply write-error") << "write-error" << apply << 4;
        QTest::newRow("apply unplug-after=3") << "unplug-after=3" << apply << 4;
        QTest::newRow("status silent") << "silent" << status << 2;
        QTest::newRow("status zeros") << "zeros" << status << 2;
        QTest::newRow("status wrong-echo") << "wrong-echo" << status << 2;
        QTest::newRow("status read-error") << "read-error" << status << 2;
        QTest::newRow("status write-error") << "write-error" << status << 4;
        QTest::newRow("status unplug-after=1") << "unplug-after=1" << status << 2;
        QTest::newRow("select-slot silent") << "silent" << select << 2;
        QTest::newRow("select-slot wrong-echo") << "wrong-echo" << select << 2;
        QTest::newRow("select-slot read-error") << "read-error" << select << 2;
        QTest::newRow("select-slot write-error") << "write-error" << select << 4;
    }

    void faults_rightResultWithinTheRetryTime()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, command);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        QVERIFY(writeDiff(0));
        const QStringList base = {QStringLiteral("--app-dir"), dir.path(), QStringLiteral("--simulate")};
        QElapsedTimer clock;
        clock.start();
        const Run run = ctl(base + command, fault);
        // The longest give-up (failing reads: 30 reads 50 ms apart, then two more) stays
        // well under this.
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode != 0)
            QVERIFY2(run.err.startsWith(QLatin1String("mousecfgctl: ")), qPrintable(run.err));
        if (command.first() != QLatin1String("apply"))
            return;
        QCOMPARE(readDiff(), exitCode == 0 ? 0 : 1);

        // The next write, without the fault, sends everything.
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        QCOMPARE(ctl(base + QStringList{QStringLiteral("--trace"), trace} + command).exitCode, 0);
        QStringList codes;
        for (const QString &line : linesOf(trace)) {
            if (line.startsWith(QLatin1Char('W')))
                codes << line.mid(5, 2);
        }
        QCOMPARE(codes.join(QLatin1Char(' ')), QStringLiteral("00 01 02 07 08 09 05 06 00"));
        QCOMPARE(readDiff(), 0);
    }

    void unknownFault_isAUsageError()
    {
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        const Run run = ctl({QStringLiteral("--app-dir"), dir.path(), QStringLiteral("--simulate"),
                             QStringLiteral("status")},
                            QStringLiteral("sleepy"));
        QCOMPARE(run.exitCode, 64);
        QVERIFY(run.err.contains(QLatin1String("MOUSECFG_SIMULATE_FAULT=sleepy")));
    }

    void simulatedMouse_isNeverBusy()
    {
        // The simulated mouse lives inside each process: a lock on the device it imitates
        // (a window, or another run) is no reason to wait or to say it is busy.
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        KestDeviceLock window("c0de-0d02", 0); // the simulated mouse's cable, which the tool picks
        QVERIFY(window.isHeld());
        QElapsedTimer clock;
        clock.start();
        const Run run = ctl({QStringLiteral("--app-dir"), dir.path(), QStringLiteral("--simulate"), QStringLiteral("status")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    }

    void apply_withoutDevice_exitsOneAndMarksTheSetUnsent()
    {
        QTemporaryDir dir;
        installProduct(dir, QStringLiteral("KX-27"));
        QVERIFY(writeDiff(0));
        const Run run = ctl({QStringLiteral("--app-dir"), dir.path(), QStringLiteral("apply")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QLatin1String("no mouse found")));
        QCOMPARE(readDiff(), 1);
    }

    void exportImport_checksTheProductTag()
    {
        QTemporaryDir source;
        installProduct(source, QStringLiteral("KX-27"));
        const QString conf = source.filePath(QStringLiteral("set.conf"));
        QCOMPARE(ctl({QStringLiteral("--app-dir"), source.path(), QStringLiteral("export-conf"), conf}).exitCode, 0);
        QCOMPARE(readProductTag(conf), QStringLiteral("KX-27"));

        QTemporaryDir other;
        installProduct(other, QStringLiteral("KX-03"));
        const Run refused = ctl({QStringLiteral("--app-dir"), other.path(), QStringLiteral("--simulate"),
                                 QStringLiteral("import-conf"), conf});
        QCOMPARE(refused.exitCode, 64);
        QVERIFY(refused.err.contains(QLatin1String("KX-27")));

        QTemporaryDir same;
        installProduct(same, QStringLiteral("KX-27"));
        QVERIFY(writeDiff(1));
        const Run imported = ctl({QStringLiteral("--app-dir"), same.path(), QStringLiteral("--simulate"),
                                  QStringLiteral("import-conf"), conf});
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(readDiff(), 0);
    }
};

QTEST_GUILESS_MAIN(CtlTest)
#include "tst_ctl.moc"
