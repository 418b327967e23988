// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// A clean install into a temporary prefix: everything a user needs is there,
// and the installed programs keep their settings in the user's folder.
class TestInstall : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_prefix;

    QString installed(const QString &relative) const { return m_prefix + QLatin1Char('/') + relative; }

    QProcessEnvironment userEnvironment(const QString &configHome) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.path());
        // The on-screen display's socket lives in the temporary folder: keep it private,
        // so a display started here never answers another test's texts.
        env.insert(QStringLiteral("TMPDIR"), m_root.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("MOUSECFG_SIMULATE"), QStringLiteral("both"));
        return env;
    }

private slots:
    void initTestCase()
    {
        const QString appdir = QStringLiteral(MOUSECFG_APPDIR);
        for (const char *program : {"mousecfg", "OSD", "mousecfgctl"}) {
            if (!QFile::exists(appdir + QLatin1Char('/') + QLatin1String(program)))
                QSKIP("the application folder is not complete; build the whole project first");
        }
        QVERIFY(m_root.isValid());
        m_prefix = m_root.path() + QStringLiteral("/prefix");
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        // As a package installs it: stripped.
        install.start(QStringLiteral(CMAKE_COMMAND), {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                                                      QStringLiteral("--strip"), QStringLiteral("--prefix"), m_prefix});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    }

    void install_containsEverythingListed()
    {
        const QStringList files = {
            QStringLiteral("bin/mousecfg"),
            QStringLiteral("bin/mousecfgctl"),
            QStringLiteral("lib/mousecfg/OSD"),
            QStringLiteral("share/mousecfg/DefaultProfile.bin"),
            QStringLiteral("share/mousecfg/Configs/Config.ini"),
            QStringLiteral("share/mousecfg/Configs/LangConfig.ini"),
            QStringLiteral("share/mousecfg/skin/icon.ico"),
            QStringLiteral("share/mousecfg/mousecfg.installed"),
            QStringLiteral("lib/udev/rules.d/70-mousecfg.rules"),
            QStringLiteral("share/applications/org.mousecfg.Mousecfg.desktop"),
            QStringLiteral("share/icons/hicolor/scalable/apps/org.mousecfg.Mousecfg.svg"),
            QStringLiteral("share/metainfo/org.mousecfg.Mousecfg.metainfo.xml"),
            QStringLiteral("share/dbus-1/services/org.mousecfg.Mousecfg.service"),
            QStringLiteral("share/man/man1/mousecfg.1"),
            QStringLiteral("share/doc/mousecfg/LICENSE"),
        };
        for (const QString &file : files)
            QVERIFY2(QFile::exists(installed(file)), qPrintable(file));
        QVERIFY(!QDir(installed(QStringLiteral("share/mousecfg/lang"))).entryList({QStringLiteral("*.qm")}).isEmpty());
        for (const char *program : {"bin/mousecfg", "bin/mousecfgctl", "lib/mousecfg/OSD"})
            QVERIFY2(QFileInfo(installed(QLatin1String(program))).isExecutable(), program);
        // Nothing executable among the read-only data: it is shared between architectures.
        QDirIterator data(installed(QStringLiteral("share/mousecfg")), QDir::Files, QDirIterator::Subdirectories);
        while (data.hasNext())
            QVERIFY2(!QFileInfo(data.next()).isExecutable(), qPrintable(data.filePath()));

        // The bus starts exactly the program installed here, hidden.
        QFile service(installed(QStringLiteral("share/dbus-1/services/org.mousecfg.Mousecfg.service")));
        QVERIFY(service.open(QIODevice::ReadOnly));
        const QByteArray activation = service.readAll();
        QVERIFY(activation.contains("Name=org.mousecfg.Mousecfg\n"));
        QVERIFY2(activation.contains("Exec=" + QFile::encodeName(installed(QStringLiteral("bin/mousecfg"))) + " --hidden\n"),
                 activation.constData());

        QFile rules(installed(QStringLiteral("lib/udev/rules.d/70-mousecfg.rules")));
        QVERIFY(rules.open(QIODevice::ReadOnly));
        const QByteArray text = rules.readAll();
        QVERIFY(text.contains("ATTRS{idProduct}==\"0d01\", TAG+=\"uaccess\""));
        QVERIFY(text.contains("ATTRS{idProduct}==\"0d02\", TAG+=\"uaccess\""));
    }

    void installedConfigs_areTheShippedDefaults()
    {
        QFile shipped(QStringLiteral(MOUSECFG_SOURCE_DIR "/data/Configs/Config.ini"));
        QFile copy(installed(QStringLiteral("share/mousecfg/Configs/Config.ini")));
        QVERIFY(shipped.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), shipped.readAll());
    }

    void installedTool_writesSettingsToUserFolder()
    {
        const QString home = m_root.path() + QStringLiteral("/tool-home");
        QProcess tool;
        tool.setProcessEnvironment(userEnvironment(home));
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(installed(QStringLiteral("bin/mousecfgctl")),
                   {QStringLiteral("--simulate"), QStringLiteral("select-slot"), QStringLiteral("2")});
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY2(tool.exitCode() == 0, tool.readAll().constData());
        QVERIFY(QFile::exists(home + QStringLiteral("/mousecfg/Config.ini")));
        installedConfigs_areTheShippedDefaults(); // the installed folder was left alone
    }

    void installedProgram_startsFromBin()
    {
        const QString home = m_root.path() + QStringLiteral("/gui-home");
        QProcess gui;
        gui.setProcessEnvironment(userEnvironment(home));
        gui.setProcessChannelMode(QProcess::MergedChannels);
        gui.start(installed(QStringLiteral("bin/mousecfg")), QStringList());
        QVERIFY(gui.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home + QStringLiteral("/mousecfg/Config.ini")), 20000);
        QTest::qWait(500);
        QCOMPARE(gui.state(), QProcess::Running);
        gui.terminate();
        if (!gui.waitForFinished(10000)) {
            gui.kill();
            gui.waitForFinished(10000);
        }
    }

    void cleanupTestCase()
    {
        // The program starts its display detached; it outlives the program by design.
        QProcess::execute(QStringLiteral("pkill"),
                          {QStringLiteral("-f"), installed(QStringLiteral("lib/mousecfg/OSD"))});
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
