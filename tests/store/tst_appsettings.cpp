// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include <QThread>

#include "store/appsettings.h"
#include "store/kestfilestamp.h"
#include "store/kestinicache.h"
#include "store/kestsafewrite.h"
#include "storefixture.h"

class TestAppSettings : public QObject
{
    Q_OBJECT

private slots:
    void noConfigsFolder_readersGiveDefaults_firstWriterCreatesFolder();
    void themeIndex_outOfTable_isClamped();
    void languageListAndFonts_readAllSlotsWhateverTheCount();
    void mouseListName_isLatin1();
    void firstStart_followsTheDesktopLanguageUntilOneIsChosen();
    void profileList_followsProductFolder_andShrinks();
    void settledSettings_areReadOnce_untilAnyProgramChangesThem();
    void settingsChangedMomentsAgo_areReadAgainUntilTheySettle();
    void writeChangingNothing_leavesTheFileAsItIs();
};

namespace {

// Another program's write: in place, the same file and size.
void rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QCOMPARE(file.size(), qint64(bytes.size()));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// Well past the time a file needs to settle on any file system with sub-second times.
void letSettle()
{
    QThread::msleep(120);
}

} // namespace

void TestAppSettings::noConfigsFolder_readersGiveDefaults_firstWriterCreatesFolder()
{
    StoreFixture fixture;
    QVERIFY(!QFileInfo::exists(configFolder()));
    QCOMPARE(readDiff(), 0);
    QCOMPARE(readLanguage(), 0);
    QCOMPARE(readProductName(), QString());
    QCOMPARE(readSensorCode(), 0);
    QCOMPARE(readThemeIndex(), 0);
    QCOMPARE(readThemeColor(), KestRgb(255, 0, 0));
    QCOMPARE(readBattery(), 0);
    QCOMPARE(readModel(), QString());
    QCOMPARE(countMacros(), 0);
    QCOMPARE(readLanguageList().count, 0);
    QCOMPARE(readCurrentLanguageFont().pixelSize, 0u);
    QVERIFY(readProfileList().isEmpty());
    QVERIFY(!QFileInfo::exists(configFolder())); // reading creates nothing

    QVERIFY(writeDiff(1));
    QVERIFY(QFileInfo(globalConfigPath()).isFile());
    QCOMPARE(readDiff(), 1);
    QVERIFY(writeLanguage(1));
    QVERIFY(QFileInfo(languageConfigPath()).isFile());
    QCOMPARE(readLanguage(), 1);
}

void TestAppSettings::firstStart_followsTheDesktopLanguageUntilOneIsChosen()
{
    StoreFixture fixture;
    fixture.setGlobal(QStringLiteral("FONT_LIST/LangFile_0"), QStringLiteral("mousecfg_en"));
    fixture.setGlobal(QStringLiteral("FONT_LIST/LangFile_1"), QStringLiteral("mousecfg_fr"));
    fixture.setGlobal(QStringLiteral("FONT_LIST/LangFile_2"), QStringLiteral("mousecfg_pt_BR"));
    const auto withLocale = [](const char *language, const char *all, const char *messages, const char *lang) {
        qputenv("LANGUAGE", language);
        qputenv("LC_ALL", all);
        qputenv("LC_MESSAGES", messages);
        qputenv("LANG", lang);
        return readLanguage();
    };
    QCOMPARE(withLocale("", "", "", "fr_FR.UTF-8"), 1);
    QCOMPARE(withLocale("fr", "", "", "C"), 1);
    QCOMPARE(withLocale("de:fr_CA:en", "", "", "en_US.UTF-8"), 1); // the first listed that exists
    QCOMPARE(withLocale("", "", "fr_BE@euro", "en_GB.UTF-8"), 1);
    QCOMPARE(withLocale("", "en_US.UTF-8", "fr_FR.UTF-8", ""), 0);  // LC_ALL wins over the rest
    QCOMPARE(withLocale("", "", "", "pt_BR.UTF-8"), 2);
    QCOMPARE(withLocale("", "", "", "pt_PT.UTF-8"), 0); // no translation: the first language
    QCOMPARE(withLocale("", "", "", "C"), 0);

    // Once chosen, the choice stays whatever the desktop says.
    QVERIFY(writeLanguage(0));
    QCOMPARE(withLocale("fr", "", "", "fr_FR.UTF-8"), 0);
    for (const char *variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        qunsetenv(variable);
}

void TestAppSettings::themeIndex_outOfTable_isClamped()
{
    StoreFixture fixture;
    fixture.setGlobal(QStringLiteral("Config/GColorID"), 3);
    QCOMPARE(readThemeIndex(), 3);
    QCOMPARE(readThemeColor(), KestRgb(219, 200, 182));
    fixture.setGlobal(QStringLiteral("Config/GColorID"), 12);
    QCOMPARE(readThemeIndex(), 6);
    QCOMPARE(readThemeColor(), KestRgb(255, 125, 0));
    fixture.setGlobal(QStringLiteral("Config/GColorID"), -4);
    QCOMPARE(readThemeIndex(), 0);
    QCOMPARE(themeColor(99), KestRgb(255, 125, 0));
}

void TestAppSettings::languageListAndFonts_readAllSlotsWhateverTheCount()
{
    StoreFixture fixture;
    fixture.setGlobal(QStringLiteral("FONT_LIST/LANGNUM"), 1);
    fixture.setGlobal(QStringLiteral("FONT_LIST/LangName_0"), QStringLiteral("English"));
    fixture.setGlobal(QStringLiteral("FONT_LIST/LangFile_9"), QStringLiteral("mousecfg_xx"));
    fixture.setGlobal(QStringLiteral("FONT_LIST/FONT_1"), QStringLiteral("DejaVu Sans"));
    fixture.setGlobal(QStringLiteral("FONT_LIST/FONT_SIZE_1"), 14);
    const LanguageList list = readLanguageList();
    QCOMPARE(list.count, 1);
    QCOMPARE(list.names[0], QStringLiteral("English"));
    QCOMPARE(list.files[9], QStringLiteral("mousecfg_xx"));

    QCOMPARE(readCurrentLanguageFont().family, QString());
    QVERIFY(writeLanguage(1));
    QCOMPARE(readCurrentLanguageFont().family, QStringLiteral("DejaVu Sans"));
    QCOMPARE(readCurrentLanguageFont().pixelSize, 14u);

    // The answer is kept between reads, yet a file rewritten by another program with a
    // value of the same length, or removed, is seen once the event loop has run (within
    // one pass only the program's own writes can change a file).
    fixture.setGlobal(QStringLiteral("FONT_LIST/FONT_1"), QStringLiteral("DejaVu Sexy"));
    QCoreApplication::processEvents();
    QCOMPARE(readCurrentLanguageFont().family, QStringLiteral("DejaVu Sexy"));
    QVERIFY(QFile::remove(languageConfigPath()));
    QCoreApplication::processEvents();
    QCOMPARE(readCurrentLanguageFont().family, QString());
    // The program's own write is seen at once.
    QVERIFY(writeLanguage(1));
    QCOMPARE(readCurrentLanguageFont().family, QStringLiteral("DejaVu Sexy"));
}

void TestAppSettings::mouseListName_isLatin1()
{
    StoreFixture fixture;
    QDir().mkpath(configFolder());
    QFile file(globalConfigPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Mouse_List]\n0=Souris \xe9l\xe9gante\n[MouseSenSor]\n1=3389\n");
    file.close();
    QCOMPARE(readMouseListName(), QStringLiteral("Souris élégante"));
    QCOMPARE(readSensorCode(), 3389);
}

void TestAppSettings::profileList_followsProductFolder_andShrinks()
{
    StoreFixture fixture;
    QVERIFY(writeProfileList({QStringLiteral("Profile 1"), QStringLiteral("Gaming")}));
    QCOMPARE(productConfigPath(), configFolder() + QStringLiteral("/Config.ini"));

    QVERIFY(writeProductName(QStringLiteral("KX-27")));
    QCOMPARE(productConfigPath(), configFolder() + QStringLiteral("/KX-27/Config.ini"));
    QVERIFY(readProfileList().isEmpty());
    QVERIFY(writeProfileList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    QVERIFY(writeProfileList({QStringLiteral("C")}));
    QCOMPARE(readProfileList(), QStringList{QStringLiteral("C")});
    QSettings ini(productConfigPath(), QSettings::IniFormat);
    QVERIFY(!ini.contains(QStringLiteral("PROFILE_LIST/2")));

    // A product name that would leave the configuration folder names no folder.
    QVERIFY(writeProductName(QStringLiteral("../escape")));
    QCOMPARE(productFolder(), configFolder());
}

void TestAppSettings::settledSettings_areReadOnce_untilAnyProgramChangesThem()
{
    StoreFixture fixture;
    fixture.setGlobal(QStringLiteral("Config/Diff"), 0);
    fixture.setGlobal(QStringLiteral("Config/CurrentProductName"), QStringLiteral("KX-27"));
    letSettle();
    const quint64 before = KestIniCache::diskReads();
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(readDiff(), 0);
        QCOMPARE(readProductName(), QStringLiteral("KX-27"));
    }
    QCOMPARE(KestIniCache::diskReads(), before + 1);

    // Written in place by another program: same file, same size, a later change time.
    QByteArray bytes;
    {
        QFile file(globalConfigPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
    }
    QVERIFY(bytes.contains("Diff=0"));
    rewriteInPlace(globalConfigPath(), QByteArray(bytes).replace("Diff=0", "Diff=1"));
    QCOMPARE(readDiff(), 1);
    // Replaced by another program's save, and by our own.
    letSettle();
    QCOMPARE(readDiff(), 1);
    fixture.setGlobal(QStringLiteral("Config/Diff"), 2);
    QCOMPARE(readDiff(), 2);
    QVERIFY(writeDiff(3));
    QCOMPARE(readDiff(), 3);
    // Gone, and back.
    QVERIFY(QFile::remove(globalConfigPath()));
    QCOMPARE(readProductName(), QString());
    fixture.setGlobal(QStringLiteral("Config/CurrentProductName"), QStringLiteral("KX-28"));
    QCOMPARE(readProductName(), QStringLiteral("KX-28"));
}

void TestAppSettings::settingsChangedMomentsAgo_areReadAgainUntilTheySettle()
{
    // Two writes within one tick of the file system's clock can leave the same stamp: a
    // file changed moments ago is read every time, and kept only once it has settled.
    StoreFixture fixture;
    fixture.setGlobal(QStringLiteral("Config/Diff"), 0);
    QVERIFY(!KestFileStamp::of(globalConfigPath()).settled);
    const quint64 before = KestIniCache::diskReads();
    QCOMPARE(readDiff(), 0);
    QCOMPARE(readDiff(), 0);
    QCOMPARE(KestIniCache::diskReads(), before + 2);
    letSettle();
    QVERIFY(KestFileStamp::of(globalConfigPath()).settled);
    QCOMPARE(readDiff(), 0);
    QCOMPARE(readDiff(), 0);
    QCOMPARE(KestIniCache::diskReads(), before + 3);
}

void TestAppSettings::writeChangingNothing_leavesTheFileAsItIs()
{
    StoreFixture fixture;
    QVERIFY(writeDiff(0));
    QVERIFY(writeBattery(80));
    letSettle();
    const KestFileStamp written = KestFileStamp::of(globalConfigPath());
    const quint64 writes = KestSafeWrite::writeCount();
    QVERIFY(writeDiff(0));
    QVERIFY(writeBattery(80));
    QVERIFY(KestFileStamp::of(globalConfigPath()) == written);
    QCOMPARE(KestSafeWrite::writeCount(), writes);
    QVERIFY(!QFileInfo::exists(globalConfigPath() + QStringLiteral(".lock")));

    QVERIFY(writeDiff(1));
    QVERIFY(KestFileStamp::of(globalConfigPath()) != written);
    QCOMPARE(readDiff(), 1);
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
