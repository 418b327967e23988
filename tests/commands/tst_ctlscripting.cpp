// SPDX-License-Identifier: GPL-2.0-or-later
// mousecfgctl as a script uses it: get and set, --json, and the answers a script relies on
// when something is missing or fails.

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run ctl(const QString &appDir, const QStringList &arguments, const QProcessEnvironment &extra = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(extra);
    env.remove(QStringLiteral("MOUSECFG_SIMULATE"));
    env.remove(QStringLiteral("MOUSECFG_SIMULATE_FAULT"));
    env.remove(QStringLiteral("QT_LOGGING_RULES"));
    // No session bus: the tool must not find a utility of the machine's own.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"),
                  QStringList{QStringLiteral("--app-dir"), appDir} + arguments);
    Run run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(1000);
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The shipped product (description and settings) with its five slots saved.
void install(const QTemporaryDir &dir)
{
    QFile::copy(QStringLiteral(MOUSECFG_APPDIR "/DefaultProfile.bin"), dir.filePath(QStringLiteral("DefaultProfile.bin")));
    QDir().mkpath(dir.filePath(QStringLiteral("Configs")));
    QFile::copy(QStringLiteral(MOUSECFG_APPDIR "/Configs/Config.ini"), dir.filePath(QStringLiteral("Configs/Config.ini")));
    QFile(dir.filePath(QStringLiteral("Configs/Config.ini"))).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    setApplicationDir(dir.path());
    ConfigRecord record;
    makeDefaultConfig(record);
    for (int k = 1; k < SLOT_COUNT; ++k)
        makeDefaultProfile(record.profiles[size_t(k)]);
    QVERIFY(saveAll(record));
}

QMap<QString, QByteArray> filesUnder(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        files.insert(it.filePath().mid(root.size()), file.readAll());
    }
    return files;
}

QString text(const QJsonValue &value)
{
    if (value.isBool())
        return value.toBool() ? QStringLiteral("on") : QStringLiteral("off");
    return value.isDouble() ? QString::number(value.toInt()) : value.toString();
}

} // namespace

class CtlScriptingTest : public QObject
{
    Q_OBJECT

private slots:
    void setThenGet_countsAsTheWindowDoes()
    {
        QTemporaryDir dir;
        install(dir);
        const QString app = dir.path();
        ConfigRecord before;
        QVERIFY(loadAll(before).isUsable());
        QCOMPARE(ctl(app, {QStringLiteral("--simulate"), QStringLiteral("set"), QStringLiteral("rate"), QStringLiteral("500")}).exitCode, 0);
        QCOMPARE(ctl(app, {QStringLiteral("get"), QStringLiteral("rate")}).out, QStringLiteral("500\n"));

        // Slot 2 and level 2 are the second of each, as the window numbers them.
        const Run dpi = ctl(app, {QStringLiteral("--slot"), QStringLiteral("2"), QStringLiteral("set"), QStringLiteral("dpi"),
                                  QStringLiteral("2"), QStringLiteral("1600")});
        QCOMPARE(dpi.exitCode, 0);
        ConfigRecord saved;
        QVERIFY(loadAll(saved).isUsable());
        QCOMPARE(dpiCodeToDpi(int(saved.profiles[1].DPI_INFO[1].x), readSensorCode()), 1600);
        QVERIFY(saved.profiles[0].DPI_INFO[1] == before.profiles[0].DPI_INFO[1]);
        QVERIFY(saved.profiles[1].DPI_INFO[1] != before.profiles[1].DPI_INFO[1]);
        QCOMPARE(saved.profiles[0].pollrate, quint8(2));

        const Run refused = ctl(app, {QStringLiteral("set"), QStringLiteral("rate"), QStringLiteral("300")});
        QCOMPARE(refused.exitCode, 65);
        QVERIFY2(refused.err.contains(QLatin1String("125, 250, 500 or 1000")), qPrintable(refused.err));
        QCOMPARE(ctl(app, {QStringLiteral("set"), QStringLiteral("ratee"), QStringLiteral("300")}).exitCode, 64);
    }

    void jsonOfTheWholeSlot_setBackValueByValue_leavesTheFilesByteForByte()
    {
        QTemporaryDir dir;
        install(dir);
        const QString app = dir.path();
        // Values away from the defaults, so that a field set back wrongly shows.
        for (const QStringList &change :
             {QStringList{QStringLiteral("dpi-linked"), QStringLiteral("3"), QStringLiteral("off")},
              {QStringLiteral("dpi"), QStringLiteral("3"), QStringLiteral("800x1200")},
              {QStringLiteral("dpi-enabled"), QStringLiteral("4"), QStringLiteral("off")},
              {QStringLiteral("button"), QStringLiteral("4"), QStringLiteral("combo"), QStringLiteral("ctrl+shift+z")},
              {QStringLiteral("button"), QStringLiteral("5"), QStringLiteral("fire"), QStringLiteral("space"), QStringLiteral("4"), QStringLiteral("30")},
              {QStringLiteral("effect"), QStringLiteral("breathing")},
              {QStringLiteral("color"), QStringLiteral("12ab34")},
              {QStringLiteral("key-response"), QStringLiteral("33")}}) {
            const Run run = ctl(app, QStringList{QStringLiteral("--no-apply"), QStringLiteral("set")} + change);
            QVERIFY2(run.exitCode == 0, qPrintable(change.join(QLatin1Char(' ')) + QLatin1String(": ") + run.err));
        }
        const Run json = ctl(app, {QStringLiteral("get"), QStringLiteral("--json")});
        QCOMPARE(json.exitCode, 0);
        QCOMPARE(json.out.count(QLatin1Char('\n')), 1);
        const QJsonObject slot = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(slot.value(QStringLiteral("slot")).toInt(), 1);
        QCOMPARE(slot.value(QStringLiteral("effect")).toString(), QStringLiteral("breathing"));
        const auto before = filesUnder(dir.filePath(QStringLiteral("Configs")));

        QVector<QStringList> sets;
        for (auto it = slot.begin(); it != slot.end(); ++it) {
            if (it.key() == QLatin1String("dpi")) {
                for (const QJsonValue &v : it.value().toArray()) {
                    const QJsonObject level = v.toObject();
                    const QString n = QString::number(level.value(QStringLiteral("level")).toInt());
                    sets << QStringList{QStringLiteral("dpi-linked"), n, text(level.value(QStringLiteral("linked")))};
                    sets << QStringList{QStringLiteral("dpi"), n,
                                        QStringLiteral("%1x%2").arg(level.value(QStringLiteral("x")).toInt())
                                            .arg(level.value(QStringLiteral("y")).toInt())};
                    sets << QStringList{QStringLiteral("dpi-enabled"), n, text(level.value(QStringLiteral("enabled")))};
                }
            } else if (it.key() == QLatin1String("buttons")) {
                for (const QJsonValue &v : it.value().toArray()) {
                    const QJsonObject button = v.toObject();
                    sets << QStringList{QStringLiteral("button"), button.value(QStringLiteral("button")).toString()}
                                + button.value(QStringLiteral("value")).toString().split(QLatin1Char(' '));
                }
            } else if (it.key() != QLatin1String("slot") && it.key() != QLatin1String("name")
                       && it.key() != QLatin1String("current")) {
                sets << QStringList{it.key(), text(it.value())};
            }
        }
        QVERIFY(sets.size() > 30);
        for (const QStringList &set : sets) {
            const Run run = ctl(app, QStringList{QStringLiteral("set"), QStringLiteral("--no-apply")} + set);
            QVERIFY2(run.exitCode == 0, qPrintable(set.join(QLatin1Char(' ')) + QLatin1String(": ") + run.err));
        }
        QCOMPARE(filesUnder(dir.filePath(QStringLiteral("Configs"))), before);
    }

    void statusJson_isOneObjectWithTheDocumentedFields()
    {
        QTemporaryDir dir;
        install(dir);
        const Run run = ctl(dir.path(), {QStringLiteral("status"), QStringLiteral("--simulate=receiver"), QStringLiteral("--json")});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject status = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(status.keys(), (QStringList{QStringLiteral("battery"), QStringLiteral("connection"), QStringLiteral("dpi-level"),
                                             QStringLiteral("mouse-off"), QStringLiteral("rate"), QStringLiteral("slot")}));
        QCOMPARE(status.value(QStringLiteral("battery")).toInt(), 85);
        QCOMPARE(status.value(QStringLiteral("slot")).toInt(), 1);
    }

    void withoutAMouse_selectSlotChangesNothing()
    {
        QTemporaryDir dir;
        install(dir);
        const auto before = filesUnder(dir.filePath(QStringLiteral("Configs")));
        // A desktop whose pointer speed lands in a file, so that a change would show.
        QProcessEnvironment kde;
        kde.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
        kde.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("home")));
        const Run run = ctl(dir.path(), {QStringLiteral("select-slot"), QStringLiteral("3")}, kde);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QLatin1String("no mouse")), qPrintable(run.err));
        QCOMPARE(filesUnder(dir.filePath(QStringLiteral("Configs"))), before);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("home/kcminputrc"))));

        // With one, the switch is stored: the utility starts on it.
        QCOMPARE(ctl(dir.path(), {QStringLiteral("--simulate"), QStringLiteral("select-slot"), QStringLiteral("3")}).exitCode, 0);
        ConfigRecord saved;
        QVERIFY(loadAll(saved).isUsable());
        QCOMPARE(int(saved.ProfileID), 2);
    }

    void unusableFoldersAndFiles_areRefusedBeforeAnythingIsWritten()
    {
        QTemporaryDir dir;
        install(dir);
        const QString missing = dir.filePath(QStringLiteral("no-such-folder"));
        const Run app = ctl(missing, {QStringLiteral("--simulate"), QStringLiteral("apply")});
        QCOMPARE(app.exitCode, 64);
        QVERIFY2(app.err.contains(missing), qPrintable(app.err));
        QVERIFY(!QFileInfo::exists(missing));

        // A FIFO nobody reads would block the tool for ever.
        const QString fifo = dir.filePath(QStringLiteral("trace.fifo"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const Run trace = ctl(dir.path(), {QStringLiteral("--simulate"), QStringLiteral("--trace"), fifo, QStringLiteral("status")});
        QCOMPARE(trace.exitCode, 64);
    }

    void importThatCannotBeSaved_saysSoAndSendsNothing()
    {
        QTemporaryDir dir;
        install(dir);
        const QString conf = dir.filePath(QStringLiteral("set.conf"));
        QCOMPARE(ctl(dir.path(), {QStringLiteral("export-conf"), conf}).exitCode, 0);
        // A slot file that is a link to somewhere else reads well, but is never written
        // through: the import cannot save that slot.
        ConfigRecord record;
        QVERIFY(loadAll(record).isUsable());
        const QString slotFile = profileFilePath(record.names[2]);
        const QString elsewhere = dir.filePath(QStringLiteral("elsewhere.prof"));
        QVERIFY(QFile::rename(slotFile, elsewhere));
        QVERIFY(QFile::link(elsewhere, slotFile));
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        const Run run = ctl(dir.path(), {QStringLiteral("--simulate"), QStringLiteral("--trace"), trace,
                                         QStringLiteral("import-conf"), conf});
        QCOMPARE(run.exitCode, 5);
        QVERIFY2(run.err.contains(record.names[2] + QLatin1String(".prof")), qPrintable(run.err));
        QCOMPARE(QFileInfo(slotFile).symLinkTarget(), elsewhere);
        QVERIFY2(!run.out.contains(QLatin1String("imported")), qPrintable(run.out));
        QVERIFY(!QFileInfo::exists(trace) || QFileInfo(trace).size() == 0);
    }
};

QTEST_GUILESS_MAIN(CtlScriptingTest)
#include "tst_ctlscripting.moc"
