// SPDX-License-Identifier: GPL-2.0-or-later
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "store/configlocation.h"

class TestConfigLocation : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    static void writeFile(const QString &path, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A fresh user configuration home per test: the seeding runs once per folder.
    QString freshUserHome()
    {
        static int n = 0;
        const QString home = m_home.path() + QStringLiteral("/home%1").arg(++n);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
        return home;
    }

private slots:
    void initTestCase() { QVERIFY(m_home.isValid()); }

    void portableFolder_keepsConfigsBesideExecutable()
    {
        QTemporaryDir app;
        freshUserHome();
        QCOMPARE(configFolderFor(app.path()), app.path() + QStringLiteral("/Configs"));
    }

    void installedCopy_usesUserFolderSeededFromInstalledConfigs()
    {
        QTemporaryDir app;
        writeFile(app.path() + QLatin1Char('/') + QLatin1String(InstalledMarker), "installed");
        writeFile(app.path() + QStringLiteral("/Configs/Config.ini"), "[Mouse_List]\n0=KX-27\n");
        writeFile(app.path() + QStringLiteral("/Configs/Profile/DefaultProfile.prof"), "[PROFILE]\n");
        QFile::setPermissions(app.path() + QStringLiteral("/Configs/Config.ini"), QFile::ReadOwner | QFile::ReadOther);
        const QString home = freshUserHome();

        const QString folder = configFolderFor(app.path());
        QCOMPARE(folder, home + QStringLiteral("/mousecfg"));
        QCOMPARE(readFile(folder + QStringLiteral("/Config.ini")), QByteArray("[Mouse_List]\n0=KX-27\n"));
        QVERIFY(QFile::exists(folder + QStringLiteral("/Profile/DefaultProfile.prof")));
        // The installed file was read-only; the user's copy must take writes.
        QVERIFY(QFileInfo(folder + QStringLiteral("/Config.ini")).isWritable());
    }

    void seeding_neverReplacesWhatTheUserHas()
    {
        QTemporaryDir app;
        writeFile(app.path() + QLatin1Char('/') + QLatin1String(InstalledMarker), "installed");
        writeFile(app.path() + QStringLiteral("/Configs/Config.ini"), "[Config]\nDiff=0\n");
        writeFile(app.path() + QStringLiteral("/Configs/LangConfig.ini"), "[Config]\nLangID=0\n");
        const QString home = freshUserHome();
        writeFile(home + QStringLiteral("/mousecfg/Config.ini"), "[Config]\nProfileID=3\n");

        const QString folder = configFolderFor(app.path());
        QCOMPARE(readFile(folder + QStringLiteral("/Config.ini")), QByteArray("[Config]\nProfileID=3\n"));
        QCOMPARE(readFile(folder + QStringLiteral("/LangConfig.ini")), QByteArray("[Config]\nLangID=0\n"));
    }

    void unwritableFolder_usesUserFolder()
    {
        if (::geteuid() == 0)
            QSKIP("root may write everywhere");
        QTemporaryDir app;
        writeFile(app.path() + QStringLiteral("/Configs/Config.ini"), "[Config]\n");
        QFile::setPermissions(app.path() + QStringLiteral("/Configs"), QFile::ReadOwner | QFile::ExeOwner);
        const QString home = freshUserHome();
        QCOMPARE(configFolderFor(app.path()), home + QStringLiteral("/mousecfg"));
        QFile::setPermissions(app.path() + QStringLiteral("/Configs"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestConfigLocation)
#include "tst_configlocation.moc"
