// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QDirIterator>
#include <QProcess>
#include <QtTest>

#include "profilefixture.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "widgets/kestskin.h"

// mousecfgctl import-conf and the window's import run one routine: importing the same file
// into the same installation leaves the same files behind.
class TestImportParity : public QObject
{
    Q_OBJECT

private slots:
    void toolAndWindow_importingOneFile_leaveTheSameFiles();
    void tool_refusedFile_oneLineExit64_nothingChanged();
};

namespace {

QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            files.insert(path.mid(folder.size()), file.readAll());
    }
    return files;
}

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QVERIFY(QFile::copy(source, target));
    }
}

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run ctl(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("MOUSECFG_SIMULATE"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"), arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

void TestImportParity::toolAndWindow_importingOneFile_leaveTheSameFiles()
{
    ProfileFixture f;
    f.start();
    // An export with settings that differ from what is installed, in every slot.
    ConfigRecord exported = f.working();
    for (int k = 0; k < SLOT_COUNT; ++k) {
        exported.profiles[k].pollrate = 2;
        exported.profiles[k].DPI_INFO[2].x = quint32(20 + k);
        exported.profiles[k].BUTTON_INFO[3].Fun = 48;
    }
    exported.Debounce = 12;
    exported.ProfileID = 2;
    const QString conf = f.path(QStringLiteral("all.conf"));
    QVERIFY(exportConfig(exported, conf));
    QVERIFY(writeProductTag(QStringLiteral("KX-27"), conf));

    QTemporaryDir toolDir;
    copyTree(f.path(QStringLiteral("Configs")), toolDir.filePath(QStringLiteral("Configs")));
    QVERIFY(QFile::copy(f.path(QStringLiteral("DefaultProfile.bin")), toolDir.filePath(QStringLiteral("DefaultProfile.bin"))));

    QVERIFY(f.manager.importConfigFrom(conf));
    const Run run = ctl({QStringLiteral("--app-dir"), toolDir.path(), QStringLiteral("--simulate"),
                         QStringLiteral("import-conf"), conf});
    QCOMPARE(run.exitCode, 0);

    const auto window = filesUnder(f.path(QStringLiteral("Configs")));
    const auto tool = filesUnder(toolDir.filePath(QStringLiteral("Configs")));
    QCOMPARE(tool.keys(), window.keys());
    for (const QString &file : window.keys())
        QVERIFY2(tool.value(file) == window.value(file), qPrintable(file));

    // And what they agree on is the import, kept in the slots the user had.
    setApplicationDir(toolDir.path());
    ConfigRecord saved;
    QVERIFY(loadAll(saved).isUsable());
    setApplicationDir(f.path(QString()));
    for (int k = 0; k < SLOT_COUNT; ++k) {
        QCOMPARE(saved.names[k], QStringLiteral("Profile %1").arg(k + 1));
        QCOMPARE(saved.profiles[k].DPI_INFO[2].x, quint32(20 + k));
    }
    QCOMPARE(saved.Debounce, quint8(12));
}

void TestImportParity::tool_refusedFile_oneLineExit64_nothingChanged()
{
    ProfileFixture f;
    f.start();
    const QString conf = f.path(QStringLiteral("bad.conf"));
    QFile file(conf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("[MouseName]\nName=KX-27\n\0\0", 25));
    file.close();
    const auto before = filesUnder(f.path(QStringLiteral("Configs")));
    const Run run = ctl({QStringLiteral("--app-dir"), f.path(QString()), QStringLiteral("--simulate"),
                         QStringLiteral("import-conf"), conf});
    QCOMPARE(run.exitCode, 64);
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    QVERIFY(run.err.startsWith(QLatin1String("mousecfgctl: ")));
    QVERIFY(run.err.contains(QLatin1String("bad.conf")));
    QCOMPARE(filesUnder(f.path(QStringLiteral("Configs"))), before);

    // The window says the same in its message box and changes nothing either.
    QVERIFY(!f.manager.importConfigFrom(conf));
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.messages.first().second.contains(QLatin1String("bad.conf")));
    QCOMPARE(filesUnder(f.path(QStringLiteral("Configs"))), before);

    // So does a profile file the window is asked to import.
    const QString prof = f.path(QStringLiteral("bad.prof"));
    QVERIFY(QFile::copy(conf, prof));
    f.messages.clear();
    QVERIFY(!f.manager.importProfileFrom(prof));
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.messages.first().second.contains(QLatin1String("bad.prof")));
    QVERIFY(!QFileInfo::exists(profileFilePath(QStringLiteral("bad"))));

    // A stored file the tool would not read stops every command before anything is done.
    QFile slot(profileFilePath(QStringLiteral("Profile 2")));
    QVERIFY(slot.open(QIODevice::Append));
    slot.write(QByteArray("\0", 1));
    slot.close();
    const auto damaged = filesUnder(f.path(QString()));
    const Run apply = ctl({QStringLiteral("--app-dir"), f.path(QString()), QStringLiteral("--simulate"),
                           QStringLiteral("apply"), QStringLiteral("--all")});
    QCOMPARE(apply.exitCode, 64);
    QVERIFY(apply.err.contains(QLatin1String("Profile 2.prof")));
    QCOMPARE(filesUnder(f.path(QString())), damaged);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initWidgetResources();
    TestImportParity test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_importparity.moc"
