// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "storefixture.h"
#include "widgets/kestrgbcolor.h"

namespace {

// A profile in which every field holds a value of its own, so that a swapped or
// dropped key shows up.
ProfileRecord distinctProfile(int seed)
{
    ProfileRecord p;
    p.pollrate = quint8(2 + seed);
    p.dpi = quint8(3 + seed);
    p.LedMode = quint8(4 + seed);
    p.LedMoveOFF = 255;
    p.LedSleepTime = quint8(6 + seed);
    for (int i = 0; i < DPI_LEVELS; ++i)
        p.DPI_INFO[i] = {quint8(i % 2), quint8((i + 1) % 2), quint32(100 + i + seed),
                         quint32(200 + i), quint32(70000 + i)};
    p.mousespeed = 11;
    p.dbclickspeed = 12;
    p.scrollispage = 1;
    p.scrollspeed = 14;
    p.accelenable = 1;
    p.acee = 16;
    for (int b = 0; b < BUTTON_SLOTS; ++b) {
        ButtonInfo &button = p.BUTTON_INFO[b];
        button.ID = b + seed;
        button.Fun = b % 3 ? b : 200;
        button.LoopNumber = -b;
        button.KeyNumber = b % KEY_STEPS;
        button.Res1 = quint8(b);
        button.Res2 = quint8(b + 1);
        button.Res3 = quint8(b + 2);
        button.Res4 = quint8(255 - b);
        button.macroname = b % 3 ? QString() : QStringLiteral("macro %1").arg(b);
        for (int s = 0; s < KEY_STEPS; ++s)
            button.KeyInfo[s] = {quint8(s), quint8(b), quint8(s ^ b)};
    }
    for (int e = 0; e < LED_EFFECTS; ++e)
        p.LED_MODE[e] = {KestRgb(e * 10, 255 - e, seed), 360 - e, e, 2 * e, 1 + e % 3, 1 + e % 5};
    p.ProfileName = QStringLiteral("Name %1").arg(seed);
    p.ProfilePath = QStringLiteral("C:\\Users\\me\\profile %1.prof").arg(seed);
    return p;
}

void writeRaw(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QStringList leftovers(const QString &folder)
{
    // Anything but the finished files: temporary copies of an atomic save, lock files.
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).fileName();
        if (!name.endsWith(QLatin1String(".prof")) && !name.endsWith(QLatin1String(".ini"))
            && !name.endsWith(QLatin1String(".conf")))
            found << name;
    }
    return found;
}

} // namespace

class TestProfileFiles : public QObject
{
    Q_OBJECT

private slots:
    void saveThenLoad_roundTripsEveryField();
    void loadMissingKeys_givesKeyDefaults();
    void loadByteOf300_gives44();
    void loadFileWrittenBySettingsClass_readsColoursAndAllFields();
    void savedFile_isReadableBySettingsClass_andKeepsForeignKeys();
    void saveAll_writesAllFiveSlots_loadAll_readsThemBack();
    void loadAll_slotWithoutFileOrName_getsKeyDefaults();
    void loadAll_handTypedUtf8SlotName_findsItsFile();
    void exportImport_restoresSlots_leavesNamesEmpty_keepsLedOptions();
    void productTag_roundTrip_missingFileReadsEmpty();
    void refusedNames_neverTouchFilesOutsideTheFolder();
    void writeTemplate_overwritesAnEditedTemplate();
    void profileFolder_isPerProduct();
    void saves_leaveNoTemporaryFilesBehind();
    void emptyPath_usesGlobalConfigGroup();
};

void TestProfileFiles::saveThenLoad_roundTripsEveryField()
{
    StoreFixture fixture;
    const ProfileRecord saved = distinctProfile(1);
    const QString path = fixture.path(QStringLiteral("a.prof"));
    QVERIFY(saveProfile(0, saved, path));
    ProfileRecord loaded;
    QVERIFY(loadProfile(0, loaded, path).isUsable());
    QCOMPARE(loaded, saved);

    // Invalid colours survive as invalid colours.
    ProfileRecord blank;
    QVERIFY(saveProfile(0, blank, path));
    QVERIFY(loadProfile(0, loaded, path).isUsable());
    QVERIFY(!loaded.LED_MODE[3].RGB.isValid());
}

void TestProfileFiles::loadMissingKeys_givesKeyDefaults()
{
    StoreFixture fixture;
    const QString path = fixture.path(QStringLiteral("sparse.prof"));
    writeRaw(path, "[PROFILE]\npollrate=4\n");
    ProfileRecord p = distinctProfile(2);
    QVERIFY(loadProfile(0, p, path).isUsable());
    QCOMPARE(int(p.pollrate), 4);
    QCOMPARE(int(p.LedMoveOFF), 255);
    QCOMPARE(int(p.LedSleepTime), 1);
    QCOMPARE(int(p.dpi), 0);
    QCOMPARE(p.BUTTON_INFO[7], ButtonInfo());
    QVERIFY(p.ProfileName.isEmpty());
    for (const LedModeInfo &effect : p.LED_MODE)
        QVERIFY(!effect.RGB.isValid());

    QVERIFY(loadProfile(0, p, fixture.path(QStringLiteral("missing.prof"))).isUsable());
    QCOMPARE(int(p.pollrate), 0);
    QCOMPARE(int(p.LedMoveOFF), 255);
}

void TestProfileFiles::loadByteOf300_gives44()
{
    StoreFixture fixture;
    const QString path = fixture.path(QStringLiteral("big.prof"));
    writeRaw(path, "[PROFILE]\npollrate=300\nBUTTON_INFO_3_Res2=300\nBUTTON_INFO_3_KeyInfo_2_=300\n"
                   "BUTTON_INFO_3_Fun=300\nLedMoveOFF=-1\n");
    ProfileRecord p;
    QVERIFY(loadProfile(0, p, path).isUsable());
    QCOMPARE(int(p.pollrate), 44);
    QCOMPARE(int(p.BUTTON_INFO[3].Res2), 44);
    QCOMPARE(int(p.BUTTON_INFO[3].KeyInfo[2].low), 44);
    QCOMPARE(p.BUTTON_INFO[3].Fun, 300); // whole ints stay whole
    QCOMPARE(int(p.LedMoveOFF), 255);
}

void TestProfileFiles::loadFileWrittenBySettingsClass_readsColoursAndAllFields()
{
    StoreFixture fixture;
    const QString path = fixture.path(QStringLiteral("qt.prof"));
    const ProfileRecord expected = distinctProfile(3);
    {
        // What a profile file written by the settings class itself looks like.
        QSettings ini(path, QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("PROFILE"));
        ini.setValue(QStringLiteral("pollrate"), int(expected.pollrate));
        ini.setValue(QStringLiteral("LedMode/LED_MODE_4_RGB"), toQColor(expected.LED_MODE[4].RGB));
        ini.setValue(QStringLiteral("ProfileName"), QStringLiteral("Été, \"quoted\" = ; @x"));
        ini.setValue(QStringLiteral("ProfilePath"), QStringLiteral("@starts with at"));
        ini.setValue(QStringLiteral("BUTTON_INFO_0_macroname"), QStringLiteral(" padded "));
        ini.setValue(QStringLiteral("BUTTON_INFO_1_macroname"), QStringLiteral("中文\tand\\back"));
        ini.setValue(QStringLiteral("DPI_INFO_2_y"), 70002u);
        ini.endGroup();
    }
    ProfileRecord p;
    QVERIFY(loadProfile(0, p, path).isUsable());
    QCOMPARE(int(p.pollrate), int(expected.pollrate));
    QCOMPARE(p.LED_MODE[4].RGB, expected.LED_MODE[4].RGB);
    QCOMPARE(p.ProfileName, QStringLiteral("Été, \"quoted\" = ; @x"));
    QCOMPARE(p.ProfilePath, QStringLiteral("@starts with at"));
    QCOMPARE(p.BUTTON_INFO[0].macroname, QStringLiteral(" padded "));
    QCOMPARE(p.BUTTON_INFO[1].macroname, QStringLiteral("中文\tand\\back"));
    QCOMPARE(p.DPI_INFO[2].y, 70002u);
}

void TestProfileFiles::savedFile_isReadableBySettingsClass_andKeepsForeignKeys()
{
    StoreFixture fixture;
    const QString path = fixture.path(QStringLiteral("ours.prof"));
    QVERIFY(writeProductTag(QStringLiteral("KX-27"), path));
    ProfileRecord p = distinctProfile(4);
    p.ProfileName = QStringLiteral("Été, \"quoted\" = ; @x");
    p.BUTTON_INFO[2].macroname = QStringLiteral(" padded\n");
    QVERIFY(saveProfile(0, p, path));

    const QSettings ini(path, QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("MouseName/Name")).toString(), QStringLiteral("KX-27"));
    QCOMPARE(ini.value(QStringLiteral("PROFILE/ProfileName")).toString(), p.ProfileName);
    QCOMPARE(ini.value(QStringLiteral("PROFILE/BUTTON_INFO_2_macroname")).toString(),
             p.BUTTON_INFO[2].macroname);
    QCOMPARE(ini.value(QStringLiteral("PROFILE/LedMode/LED_MODE_9_RGB")).value<QColor>(),
             toQColor(p.LED_MODE[9].RGB));
    QCOMPARE(ini.value(QStringLiteral("PROFILE/BUTTON_INFO_41_KeyInfo_62_H")).toInt(),
             int(p.BUTTON_INFO[41].KeyInfo[62].high));
    QCOMPARE(ini.value(QStringLiteral("PROFILE/BUTTON_INFO_41_KeyInfo_62_")).toInt(),
             int(p.BUTTON_INFO[41].KeyInfo[62].low));
    QCOMPARE(ini.value(QStringLiteral("PROFILE/DPI_INFO_7_y")).toUInt(), p.DPI_INFO[7].y);
    QCOMPARE(ini.allKeys().size(), 1 + 5 + 8 * 5 + 6 + 42 * (9 + 63 * 3) + 2 + 14 * 6);
    QCOMPARE(readProductTag(path), QStringLiteral("KX-27"));
}

void TestProfileFiles::saveAll_writesAllFiveSlots_loadAll_readsThemBack()
{
    StoreFixture fixture;
    ConfigRecord c;
    c.ProfileID = 2;
    c.AngleValue = 1;
    c.LiftHigh = 2;
    c.Sync = 3;
    c.Count = 4;
    c.Jitter = 5;
    c.Debounce = 6;
    c.Wake = 7;
    c.SensorMode = 8;
    for (int k = 0; k < SLOT_COUNT; ++k) {
        c.profiles[k] = distinctProfile(10 + k);
        c.names[k] = QStringLiteral("Slot %1").arg(k + 1);
    }
    QVERIFY(saveAll(c));
    for (int k = 0; k < SLOT_COUNT; ++k)
        QVERIFY(QFileInfo(profileFilePath(c.names[k])).isFile());

    ConfigRecord loaded;
    QVERIFY(loadAll(loaded).isUsable());
    QCOMPARE(loaded, c);
}

void TestProfileFiles::loadAll_slotWithoutFileOrName_getsKeyDefaults()
{
    StoreFixture fixture;
    fixture.setGlobal(QStringLiteral("Config/Profile1"), QStringLiteral("Nowhere"));
    fixture.setGlobal(QStringLiteral("Config/Profile2"), QStringLiteral("../../etc/passwd"));
    fixture.setGlobal(QStringLiteral("Config/ProfileID"), 260);
    ConfigRecord c;
    c.profiles[0] = distinctProfile(1);
    c.profiles[1] = distinctProfile(1);
    QVERIFY(loadAll(c).isUsable());
    QCOMPARE(int(c.ProfileID), 4);
    QCOMPARE(c.names[1], QStringLiteral("../../etc/passwd"));
    for (int k = 0; k < SLOT_COUNT; ++k) {
        QCOMPARE(int(c.profiles[k].pollrate), 0);
        QCOMPARE(int(c.profiles[k].LedMoveOFF), 255);
        QCOMPARE(int(c.profiles[k].LedSleepTime), 1);
    }
}

// A name typed into the settings file by hand, in the editor's UTF-8, is the name the
// window shows and the file it reads.
void TestProfileFiles::loadAll_handTypedUtf8SlotName_findsItsFile()
{
    StoreFixture fixture;
    const QString name = QStringLiteral("\u00c9t\u00e9 \u30b2\u30fc\u30e0");
    QVERIFY(saveSlotFile(distinctProfile(3), name));
    writeRaw(globalConfigPath(), "[Config]\nProfile1=" + name.toUtf8() + "\n");
    ConfigRecord c;
    QVERIFY(loadAll(c).isOk());
    QCOMPARE(c.names[0], name);
    QCOMPARE(c.profiles[0], distinctProfile(3));
}

void TestProfileFiles::exportImport_restoresSlots_leavesNamesEmpty_keepsLedOptions()
{
    StoreFixture fixture;
    ConfigRecord c;
    c.ProfileID = 1;
    c.Debounce = 33;
    c.Count = 7;
    for (int k = 0; k < SLOT_COUNT; ++k) {
        c.profiles[k] = distinctProfile(20 + k);
        c.names[k] = QStringLiteral("Slot %1").arg(k + 1);
    }
    const QString path = fixture.path(QStringLiteral("all.conf"));
    writeRaw(path, "[Stale]\nkey=from an older file\n");
    QVERIFY(exportConfig(c, path));
    QVERIFY(writeProductTag(QStringLiteral("KX-27"), path));
    QVERIFY(!QSettings(path, QSettings::IniFormat).contains(QStringLiteral("Stale/key")));
    QVERIFY(!QSettings(path, QSettings::IniFormat).contains(QStringLiteral("PROFILE_0/LedMoveOFF")));

    ConfigRecord imported;
    for (int k = 0; k < SLOT_COUNT; ++k) {
        imported.profiles[k].LedMoveOFF = quint8(k);
        imported.profiles[k].LedSleepTime = quint8(9 - k);
        imported.names[k] = QStringLiteral("before");
    }
    QVERIFY(importConfig(imported, path).isUsable());
    QCOMPARE(readProductTag(path), QStringLiteral("KX-27"));
    QCOMPARE(int(imported.ProfileID), 1);
    QCOMPARE(int(imported.Debounce), 33);
    QCOMPARE(int(imported.Count), 7);
    for (int k = 0; k < SLOT_COUNT; ++k) {
        QVERIFY(imported.names[k].isEmpty());
        QCOMPARE(int(imported.profiles[k].LedMoveOFF), k);
        QCOMPARE(int(imported.profiles[k].LedSleepTime), 9 - k);
        ProfileRecord expected = c.profiles[k];
        expected.LedMoveOFF = imported.profiles[k].LedMoveOFF;
        expected.LedSleepTime = imported.profiles[k].LedSleepTime;
        QCOMPARE(imported.profiles[k], expected);
    }
}

void TestProfileFiles::productTag_roundTrip_missingFileReadsEmpty()
{
    StoreFixture fixture;
    QCOMPARE(readProductTag(fixture.path(QStringLiteral("none.conf"))), QString());
    const QString path = fixture.path(QStringLiteral("t.prof"));
    QVERIFY(saveProfile(0, distinctProfile(0), path));
    QCOMPARE(readProductTag(path), QString());
    QVERIFY(writeProductTag(QStringLiteral("Other Mouse"), path));
    QCOMPARE(readProductTag(path), QStringLiteral("Other Mouse"));
    ProfileRecord p;
    QVERIFY(loadProfile(0, p, path).isUsable());
    QCOMPARE(p, distinctProfile(0)); // the tag does not disturb the profile
}

void TestProfileFiles::refusedNames_neverTouchFilesOutsideTheFolder()
{
    StoreFixture fixture;
    for (const QString &bad : {QString(), QStringLiteral("."), QStringLiteral(".."),
                               QStringLiteral("../x"), QStringLiteral("a/b"), QStringLiteral("a\\b")})
        QVERIFY2(!isValidStoreName(bad), qPrintable(bad));
    QVERIFY(isValidStoreName(QStringLiteral("Gaming copy 2")));
    QVERIFY(isValidStoreName(QStringLiteral("...")));
    QVERIFY(isValidStoreName(QStringLiteral("Été")));

    const ProfileRecord p = distinctProfile(5);
    QVERIFY(!saveSlotFile(p, QStringLiteral("../escaped")));
    QVERIFY(!QFileInfo::exists(configFolder() + QStringLiteral("/escaped.prof")));
    ProfileRecord untouched = p;
    QVERIFY(!loadSlotFile(untouched, QStringLiteral("..")));
    QCOMPARE(untouched, p);

    ConfigRecord c;
    c.names = {QStringLiteral("ok"), QStringLiteral("../../evil"), QString(), QStringLiteral("."),
               QStringLiteral("x/y")};
    QVERIFY(saveAll(c));
    QCOMPARE(QDir(profileFolder()).entryList(QDir::Files), QStringList{QStringLiteral("ok.prof")});
    QVERIFY(!QFileInfo::exists(fixture.path(QStringLiteral("evil.prof"))));
}

void TestProfileFiles::writeTemplate_overwritesAnEditedTemplate()
{
    StoreFixture fixture;
    QVERIFY(writeTemplate());
    ProfileRecord edited;
    QVERIFY(loadProfile(0, edited, templatePath()).isUsable());
    ProfileRecord expected;
    makeDefaultProfile(expected);
    QCOMPARE(edited, expected);

    edited.pollrate = 8;
    QVERIFY(saveProfile(0, edited, templatePath()));
    QVERIFY(writeTemplate());
    ProfileRecord reloaded;
    QVERIFY(loadProfile(0, reloaded, templatePath()).isUsable());
    QCOMPARE(int(reloaded.pollrate), int(expected.pollrate));
}

void TestProfileFiles::profileFolder_isPerProduct()
{
    StoreFixture fixture;
    QCOMPARE(profileFolder(), configFolder() + QStringLiteral("/Profile"));
    QVERIFY(writeProductName(QStringLiteral("KX-27")));
    QCOMPARE(profileFolder(), configFolder() + QStringLiteral("/KX-27/Profile"));
    QCOMPARE(profileFilePath(QStringLiteral("Gaming")),
             configFolder() + QStringLiteral("/KX-27/Profile/Gaming.prof"));
    QCOMPARE(templatePath(), configFolder() + QStringLiteral("/KX-27/Profile/DefaultProfile.prof"));
}

void TestProfileFiles::saves_leaveNoTemporaryFilesBehind()
{
    StoreFixture fixture;
    ConfigRecord c;
    for (int k = 0; k < SLOT_COUNT; ++k) {
        c.profiles[k] = distinctProfile(k);
        c.names[k] = QStringLiteral("Slot %1").arg(k + 1);
    }
    QVERIFY(saveAll(c));
    QVERIFY(saveAll(c)); // replacing existing files
    QVERIFY(exportConfig(c, configFolder() + QStringLiteral("/x.conf")));
    QVERIFY(writeTemplate());
    QCOMPARE(leftovers(fixture.path(QString())), QStringList());
}

void TestProfileFiles::emptyPath_usesGlobalConfigGroup()
{
    StoreFixture fixture;
    fixture.setGlobal(QStringLiteral("Config/Diff"), 1);
    const ProfileRecord p = distinctProfile(6);
    QVERIFY(saveProfile(3, p, QString()));
    QCOMPARE(readDiff(), 1); // other keys of Config.ini survive
    ProfileRecord loaded;
    QVERIFY(loadProfile(3, loaded, QString()).isUsable());
    QCOMPARE(loaded, p);
    QCOMPARE(QSettings(globalConfigPath(), QSettings::IniFormat)
                 .value(QStringLiteral("PROFILE_3/pollrate")).toInt(),
             int(p.pollrate));
}

QTEST_GUILESS_MAIN(TestProfileFiles)
#include "tst_profilefiles.moc"
