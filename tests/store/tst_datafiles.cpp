// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include "store/appsettings.h"
#include "store/configrecord.h"
#include "store/devicedescription.h"
#include "store/kestinifile.h"
#include "store/profilefiles.h"
#include "storefixture.h"
#include "widgets/kestrgbcolor.h"

// Parses every product data file we ship, through the same readers the program uses.
class TestDataFiles : public QObject
{
    Q_OBJECT

private slots:
    void everyShippedFile_parsesCleanly();
    void description_isCompleteAndConsistent();
    void configs_nameTheProductSensorAndLanguages();

private:
    static QString shipped(const QString &relative)
    {
        return QStringLiteral(MOUSECFG_SOURCE_DIR "/data/") + relative;
    }
    // An application folder holding the shipped files, as an installation has them.
    static void install(const StoreFixture &fixture)
    {
        QDir().mkpath(fixture.path(QStringLiteral("Configs")));
        for (const QString &file : {QStringLiteral("DefaultProfile.bin"), QStringLiteral("Configs/Config.ini"),
                                    QStringLiteral("Configs/LangConfig.ini")})
            QVERIFY(QFile::copy(shipped(file), fixture.path(file)));
    }
};

void TestDataFiles::everyShippedFile_parsesCleanly()
{
    QDirIterator it(QStringLiteral(MOUSECFG_SOURCE_DIR "/data"), {QStringLiteral("*.bin"), QStringLiteral("*.ini")},
                    QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        const QSettings qt(path, QSettings::IniFormat);
        QVERIFY2(qt.status() == QSettings::NoError, qPrintable(path));
        QVERIFY2(!qt.allKeys().isEmpty(), qPrintable(path));
        KestIniFile ours;
        QVERIFY(ours.load(path));
        QCOMPARE(ours.size(), qt.allKeys().size());
        for (const QString &key : qt.allKeys()) {
            QVERIFY2(ours.contains(key), qPrintable(path + QLatin1Char(' ') + key));
            const QVariant theirs = qt.value(key);
            if (theirs.userType() == QMetaType::QColor)
                QCOMPARE(ours.colorValue(key), toKestRgb(theirs.value<QColor>()));
            else
                QCOMPARE(ours.stringValue(key), theirs.toString());
            // Numbers must be decimal: a hexadecimal value would silently read as 0.
            const QString text = qt.value(key).toString();
            QVERIFY2(!text.startsWith(QLatin1String("0x")), qPrintable(key));
        }
    }
    QVERIFY(files >= 3);
}

void TestDataFiles::description_isCompleteAndConsistent()
{
    StoreFixture fixture;
    install(fixture);
    QCOMPARE(readDescriptionProductName(), QStringLiteral("KX-27"));
    QVERIFY(!readDescriptionVersion().isEmpty());
    const int buttons = readButtonCount();
    const int levels = readDpiLevelCount();
    QVERIFY(buttons >= 1 && buttons <= DESCRIBED_BUTTONS);
    QVERIFY(levels >= 1 && levels <= DPI_LEVELS);

    ButtonMatrix matrix{};
    readMatrix(matrix);
    for (int i = 0; i < buttons; ++i)
        QVERIFY(matrix[i] < MATRIX_SIZE);
    QCOMPARE(readMatrix2(matrix), buttons);

    DeviceDefaults defaults;
    QCOMPARE(readDeviceDefaults(defaults), 0);
    QVERIFY(defaults.dpi < levels);
    QVERIFY(defaults.LedMode < LED_EFFECTS);
    QVERIFY(QList<int>({1, 2, 4, 8}).contains(defaults.pollrate));
    const int sensor = 3389;
    for (int i = 0; i < levels; ++i)
        QVERIFY(dpiCodeToDpi(int(defaults.dpiCodes[i]), sensor) > 0);
    for (const DefaultEffect &effect : defaults.effects) {
        QVERIFY(effect.RGB.isValid());
        QVERIFY(effect.bright >= 1 && effect.bright <= 3);
        QVERIFY(effect.breath >= 1 && effect.breath <= 5);
    }
    SensorDefaults sensorDefaults;
    QCOMPARE(readSensorDefaults(sensorDefaults), 0);
    const SleepRange sleep = readSleepRange();
    QVERIFY(sleep.min >= 1 && sleep.min <= sleep.max);

    ProfileRecord profile;
    makeDefaultProfile(profile);
    QCOMPARE(profile.LED_MODE[1].RGB, defaults.effects[1].RGB);
}

void TestDataFiles::configs_nameTheProductSensorAndLanguages()
{
    StoreFixture fixture;
    install(fixture);
    QCOMPARE(readMouseListName(), readDescriptionProductName());
    QCOMPARE(readProductName(), readDescriptionProductName());
    QCOMPARE(readSensorCode(), 3389);
    QVERIFY(readThemeIndex() >= 0);
    QVERIFY(!readModel().isEmpty());
    QCOMPARE(readLanguage(), 0);

    const LanguageList languages = readLanguageList();
    QCOMPARE(languages.count, 2);
    QCOMPARE(languages.names[0], QStringLiteral("English"));
    QCOMPARE(languages.names[1], QStringLiteral("Français"));
    QCOMPARE(languages.files[0], QStringLiteral("mousecfg_en"));
    QCOMPARE(languages.files[1], QStringLiteral("mousecfg_fr"));
    for (int i = 0; i < languages.count; ++i) {
        const LanguageFont font = readLanguageFont(i);
        QVERIFY(!font.family.isEmpty());
        QVERIFY(font.pixelSize > 0);
    }
}

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
