// SPDX-License-Identifier: GPL-2.0-or-later
#include <QTemporaryDir>
#include <QtTest>

#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/configlocation.h"
#include "store/profilefiles.h"

// An installed copy keeps the user's state in a per-user folder seeded once from the
// installed "Configs". What describes the product must still come from the installation,
// so that a later install with a new sensor code, product list, languages or theme reaches
// users who started an older one; what the user chose stays the user's.
class TestProductData : public QObject
{
    Q_OBJECT

private slots:
    void installedCopy_productKeysFollowTheInstall_userKeysStayTheUsers();
    void portableFolder_readsItsOneFile();

private:
    static void write(const QString &path, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    QTemporaryDir m_home;
};

void TestProductData::installedCopy_productKeysFollowTheInstall_userKeysStayTheUsers()
{
    QTemporaryDir app;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + QStringLiteral("/installed")));
    write(app.filePath(QLatin1String(InstalledMarker)), "installed");
    const QString installed = app.filePath(QStringLiteral("Configs/Config.ini"));
    write(installed, "[Config]\nCurrentProductName=KX-27\nGColorID=1\nModel=old\n"
                     "[Mouse_List]\n0=KX-27\n[MouseSenSor]\n1=3389\n"
                     "[FONT_LIST]\nLANGNUM=1\nLangName_0=English\nLangFile_0=mousecfg_en\nFONT_0=A\nFONT_SIZE_0=12\n");
    setApplicationDir(app.path());
    // The first start seeds the user's copy; the user then works with it.
    QCOMPARE(configFolder(), m_home.path() + QStringLiteral("/installed/mousecfg"));
    ConfigRecord mine;
    makeDefaultConfig(mine);
    mine.ProfileID = 3;
    mine.names[0] = QStringLiteral("Mine");
    QVERIFY(saveAll(mine));
    QVERIFY(writeProductName(QStringLiteral("KX-27")));
    QVERIFY(writeDiff(1));

    // A later install brings new product data.
    write(installed, "[Config]\nCurrentProductName=KX-99\nGColorID=4\nModel=new\nProfileID=0\nDiff=0\n"
                     "[Mouse_List]\n0=KX-28\n[MouseSenSor]\n1=3395\n"
                     "[FONT_LIST]\nLANGNUM=2\nLangName_0=English\nLangFile_0=mousecfg_en\nFONT_0=B\nFONT_SIZE_0=14\n"
                     "LangName_1=Fran\\xe7\\x61is\nLangFile_1=mousecfg_fr\n");
    QCOMPARE(readSensorCode(), 3395);
    QCOMPARE(readMouseListName(), QStringLiteral("KX-28"));
    QCOMPARE(readThemeIndex(), 4);
    QCOMPARE(readModel(), QStringLiteral("new"));
    const LanguageList languages = readLanguageList();
    QCOMPARE(languages.count, 2);
    QCOMPARE(languages.names[1], QStringLiteral("Fran\u00e7ais"));
    QCOMPARE(readLanguageFont(0).family, QStringLiteral("B"));
    QCOMPARE(readLanguageFont(0).pixelSize, 14u);

    // The user's own keys are still the user's.
    ConfigRecord loaded;
    QVERIFY(loadAll(loaded).isUsable());
    QCOMPARE(loaded.ProfileID, quint8(3));
    QCOMPARE(loaded.names[0], QStringLiteral("Mine"));
    QCOMPARE(readProductName(), QStringLiteral("KX-27"));
    QCOMPARE(readDiff(), 1);
    // And their writes never reach the installation.
    QVERIFY(writeBattery(40));
    QFile file(installed);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("Battery"));
    setApplicationDir(QString());
}

void TestProductData::portableFolder_readsItsOneFile()
{
    QTemporaryDir app;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + QStringLiteral("/portable")));
    write(app.filePath(QStringLiteral("Configs/Config.ini")), "[MouseSenSor]\n1=3335\n");
    setApplicationDir(app.path());
    QCOMPARE(productDataConfigPath(), globalConfigPath());
    QCOMPARE(readSensorCode(), 3335);
    setApplicationDir(QString());
}

QTEST_GUILESS_MAIN(TestProductData)
#include "tst_productdata.moc"
