// SPDX-License-Identifier: GPL-2.0-or-later
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/autostart.h"

// The "Start at login" switch: the user's own autostart entry, created, found and removed
// there only.
class TestAutostart : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString entry() const { return m_home.filePath(QStringLiteral("config/autostart/org.mousecfg.Mousecfg.desktop")); }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        QVERIFY(m_home.isValid());
        QDir(m_home.path()).removeRecursively();
        QDir().mkpath(m_home.path());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    void enableDisable_writesAndRemovesTheUsersEntryOnly()
    {
        QCOMPARE(platform::autostartEntryPath(), entry());
        QVERIFY(!platform::autostartEnabled());
        QCOMPARE(platform::setAutostartEnabled(true, QStringLiteral("mousecfg --hidden")),
                 platform::AutostartResult::Done);
        QVERIFY(platform::autostartEnabled());
        const QByteArray text = read(entry());
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nExec=mousecfg --hidden\n"));
        QVERIFY(text.contains("\nType=Application\n"));

        QCOMPARE(platform::setAutostartEnabled(false, QString()), platform::AutostartResult::Done);
        QVERIFY(!QFileInfo::exists(entry()));
        QVERIFY(!platform::autostartEnabled());
        QCOMPARE(platform::setAutostartEnabled(false, QString()), platform::AutostartResult::Done);
        // Only the autostart folder was touched.
        QCOMPARE(QDir(m_home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("config")});
    }

    void relativeConfigHome_isIgnored()
    {
        qputenv("XDG_CONFIG_HOME", "relative/config");
        QCOMPARE(platform::autostartEntryPath(),
                 m_home.filePath(QStringLiteral(".config/autostart/org.mousecfg.Mousecfg.desktop")));
    }

    void entrySwitchedOffByTheDesktop_readsAsOff_andEnablingTurnsItBackOn()
    {
        for (const QByteArray &off : {QByteArray("Hidden=true"), QByteArray("X-GNOME-Autostart-enabled=false")}) {
            QCOMPARE(platform::setAutostartEnabled(true, QStringLiteral("mousecfg --hidden")),
                     platform::AutostartResult::Done);
            QFile file(entry());
            QVERIFY(file.open(QIODevice::Append));
            file.write(off + '\n');
            file.close();
            QVERIFY2(!platform::autostartEnabled(), off.constData());
        }
        QCOMPARE(platform::setAutostartEnabled(true, QStringLiteral("mousecfg --hidden")),
                 platform::AutostartResult::Done);
        QVERIFY(platform::autostartEnabled());
    }

    void symlinkInPlace_isNeverFollowedNorRemoved()
    {
        const QString target = m_home.filePath(QStringLiteral("precious.txt"));
        QFile precious(target);
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.write("keep me\n");
        precious.close();
        QDir().mkpath(QFileInfo(entry()).path());
        QVERIFY(QFile::link(target, entry()));

        QCOMPARE(platform::setAutostartEnabled(true, QStringLiteral("mousecfg --hidden")),
                 platform::AutostartResult::NotARegularFile);
        QCOMPARE(platform::setAutostartEnabled(false, QString()), platform::AutostartResult::NotARegularFile);
        QVERIFY(!platform::autostartEnabled());
        QVERIFY(QFileInfo(entry()).isSymLink());
        QCOMPARE(read(target), QByteArray("keep me\n"));
    }

    void portableCopy_startsItselfByAQuotedPath_andTheEntryValidates()
    {
        const QString executable = m_home.filePath(QStringLiteral("my \"mice\"/mousecfg"));
        const QString command = platform::autostartCommand(executable, false);
        QCOMPARE(command, QLatin1Char('"') + m_home.filePath(QStringLiteral("my \\\"mice\\\"/mousecfg")) +
                              QStringLiteral("\" --hidden"));
        QCOMPARE(platform::setAutostartEnabled(true, command), platform::AutostartResult::Done);

        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (desktop-file-utils)");
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(validator, {entry()});
        QVERIFY(validate.waitForFinished(20000));
        const QByteArray output = validate.readAll();
        QVERIFY2(validate.exitCode() == 0 && output.trimmed().isEmpty(), output.constData());
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
