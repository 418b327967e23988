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
        install.start(QStringLiteral(CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(BUILD_DIR), QStringLiteral("--prefix"), m_prefix});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    }

    void install_containsEverythingListed()
    {
        const QStringList files = {
            QStringLiteral("lib/mousecfg/mousecfg"),
            QStringLiteral("lib/mousecfg/OSD"),
            QStringLiteral("lib/mousecfg/mousecfgctl"),
            QStringLiteral("lib/mousecfg/DefaultProfile.bin"),
            QStringLiteral("lib/mousecfg/Configs/Config.ini"),
            QStringLiteral("lib/mousecfg/Configs/LangConfig.ini"),
            QStringLiteral("lib/mousecfg/skin/icon.ico"),
            QStringLiteral("lib/mousecfg/mousecfg.installed"),
            QStringLiteral("bin/mousecfg"),
            QStringLiteral("bin/mousecfgctl"),
            QStringLiteral("lib/udev/rules.d/70-mousecfg.rules"),
            QStringLiteral("share/applications/mousecfg.desktop"),
            QStringLiteral("share/icons/hicolor/scalable/apps/mousecfg.svg"),
        };
        for (const QString &file : files)
            QVERIFY2(QFile::exists(installed(file)), qPrintable(file));
        QVERIFY(!QDir(installed(QStringLiteral("lib/mousecfg/lang"))).entryList({QStringLiteral("*.qm")}).isEmpty());
        QVERIFY(QFileInfo(installed(QStringLiteral("bin/mousecfg"))).isExecutable());

        QFile rules(installed(QStringLiteral("lib/udev/rules.d/70-mousecfg.rules")));
        QVERIFY(rules.open(QIODevice::ReadOnly));
        const QByteArray text = rules.readAll();
        QVERIFY(text.contains("ATTRS{idProduct}==\"0d01\", TAG+=\"uaccess\""));
        QVERIFY(text.contains("ATTRS{idProduct}==\"0d02\", TAG+=\"uaccess\""));
    }

    void installedConfigs_areTheShippedDefaults()
    {
        QFile shipped(QStringLiteral(MOUSECFG_SOURCE_DIR "/data/Configs/Config.ini"));
        QFile copy(installed(QStringLiteral("lib/mousecfg/Configs/Config.ini")));
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

    void installedLauncher_startsTheProgram()
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
