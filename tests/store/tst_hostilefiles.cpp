// SPDX-License-Identifier: GPL-2.0-or-later
#include <QCryptographicHash>
#include <QDirIterator>
#include <QtTest>

#include "store/appsettings.h"
#include "store/configimport.h"
#include "store/devicedescription.h"
#include "store/kestinifile.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"
#include "store/storecheck.h"
#include "storefixture.h"

// Files come from anywhere: downloaded profiles and exports, macro files, and settings a
// crash or a hand left damaged. Every class of hostile content below goes through every
// reader: it must give the key's default or a refusal, never a crash or an allocation
// sized by the file's say-so, and reading must leave every file as it was.

namespace {

// A QVariant as the settings class streams it (QDataStream::Qt_4_0): a type id, then the
// value. Each byte written as "\xNN", the most general escape a reader meets.
QByteArray variantText(const QByteArray &payload)
{
    QByteArray text = "@Variant(";
    for (const char c : payload)
        text += "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
    return text + ')';
}

QByteArray be32(quint32 v)
{
    QByteArray a(4, '\0');
    for (int i = 0; i < 4; ++i)
        a[i] = char(v >> (24 - 8 * i));
    return a;
}

struct HostileValue
{
    const char *name;
    QByteArray text;
    // The settings class would hand it over as a plain text: a number read from it is 0
    // and a name is that text. Otherwise it is one of its "@" forms, of which we decode
    // none but a plain colour: the key reads as missing and gets its default.
    bool readsAsText;
};

// Type ids of the Qt 4 stream format; what each count claims is far beyond the bytes.
QList<HostileValue> hostileValues()
{
    const QByteArray huge = be32(0x7fffffff);
    return {
        {"string list, huge count", variantText(be32(11) + huge), false},
        {"variant list, huge count", variantText(be32(9) + huge), false},
        {"variant map, huge count", variantText(be32(8) + huge), false},
        {"variant hash, huge count", variantText(be32(28) + huge), false},
        {"byte array, huge length", variantText(be32(12) + be32(0x7ffffff0)), false},
        {"string, huge length", variantText(be32(10) + be32(0x7ffffff0)), false},
        {"polygon, huge count", variantText(be32(71) + huge), false},
        {"pen with garbage", variantText(be32(77) + QByteArray("\x01\x02\x03", 3)), false},
        {"nested lists", variantText(be32(9) + be32(1) + be32(9) + be32(1) + be32(9) + huge), false},
        {"unknown type id", variantText(be32(0x7fff0000) + "xyz"), false},
        {"user type by name", variantText(be32(127) + be32(6) + "QPen\0\0"), false},
        {"truncated colour", variantText(be32(67) + QByteArray("\x01\xff\xff", 3)), false},
        {"colour, invalid spec", variantText(be32(67) + QByteArray("\x09\xff\xff\0\x10\0\x20\0\x30\0\0", 11)), false},
        {"colour, HSV spec", variantText(be32(67) + QByteArray("\x02\xff\xff\0\x10\0\x20\0\x30\0\0", 11)), false},
        {"colour, trailing bytes", variantText(be32(67) + QByteArray("\x01\xff\xff\xff\xff\0\0\0\0\0\0\0", 12)), false},
        {"colour, wide character", "@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\x1234)", false},
        {"empty variant", "@Variant()", false},
        {"invalid", "@Invalid()", false},
        // Not closed: no "@" form at all.
        {"unterminated variant", "@Variant(\\0\\0\\0\\xb\\x7f\\xff", true},
        // Not a form of this version of the settings class.
        {"date-time form", "@DateTime(\\0\\0\\0\\x10\\0\\x25\\x8a)", true},
        {"not a number", "0x10", true},
        {"quote never closed", "\"abc\\x", true},
        {"invalid UTF-8", "\xc3\x28\xa0\xa1\xff\xfe", true},
    };
}

QByteArray hashOfFolder(const QString &folder)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    for (const QString &path : files) {
        QFile file(path);
        hash.addData(path.toUtf8());
        if (file.open(QIODevice::ReadOnly))
            hash.addData(&file);
    }
    return hash.result();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), qint64(content.size()));
}

} // namespace

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void init() { takeRefusedFiles(); }
    void hostileValue_everyReaderGivesTheDefault_data();
    void hostileValue_everyReaderGivesTheDefault();
    void hostileFile_refusedOrDefaults_andNothingWrittenOverIt_data();
    void hostileFile_refusedOrDefaults_andNothingWrittenOverIt();
    void counts_neverReachBeyondWhatTheFileHolds();
    void chosenFiles_refusedWithAReason_recordUntouched();
    void storeCheck_namesTheFirstRefusedFile();
};

void TestHostileFiles::hostileValue_everyReaderGivesTheDefault_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("text");
    for (const HostileValue &value : hostileValues())
        QTest::newRow(value.name) << value.text << value.readsAsText;
}

void TestHostileFiles::hostileValue_everyReaderGivesTheDefault()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, text);
    StoreFixture fixture;
    const QByteArray line = "=" + value + "\n";
    // The value in the keys each reader takes as a text, a number and a colour.
    writeFile(fixture.path(QStringLiteral("Configs/Config.ini")),
              "[Config]\nCurrentProductName=KX-27\nProfile1=Slot\nProfile2" + line + "Battery" + line
                  + "[MouseSenSor]\n1" + line + "[FONT_LIST]\nLANGNUM" + line + "LangName_0" + line
                  + "FONT_SIZE_0" + line + "[MACRO_LIST]\n0" + line);
    writeFile(fixture.path(QStringLiteral("Configs/KX-27/Config.ini")),
              "[PROFILE_LIST]\nCount" + line + "1" + line);
    const QByteArray profile = "[PROFILE]\nProfileName" + line + "dpi" + line + "LedMoveOFF" + line
        + "DPI_INFO_0_x" + line + "LedMode\\LED_MODE_0_RGB" + line;
    writeFile(fixture.path(QStringLiteral("Configs/KX-27/Profile/Slot.prof")), profile);
    writeFile(fixture.path(QStringLiteral("in.conf")),
              "[MouseName]\nName=KX-27\n[Config]\nProfileID" + line
                  + QByteArray(profile).replace("[PROFILE]", "[PROFILE_0]"));
    writeFile(fixture.path(QStringLiteral("tagged.conf")), "[MouseName]\nName" + line);
    writeFile(fixture.path(QStringLiteral("Configs/MacroDB/m.MSMACRO")),
              "[Setting]\nCount" + line + "Map_0" + line + "LoopTime" + line + "MacroFilePath" + line);
    writeFile(fixture.path(QStringLiteral("DefaultProfile.bin")),
              "[PROFILE]\nProductName" + line + "ButtonCount" + line + "MinDelay" + line + "ShowSleep" + line
                  + "BUTTON_INFO_0_Matrix" + line + "LedMode\\LED_MODE_0_RGB" + line + "lift" + line);
    const QByteArray before = hashOfFolder(fixture.path(QString()));

    ConfigRecord config;
    // Texts take what is there as text (a "@Variant" that is not one stays a text); a value
    // that is one is never decoded.
    QVERIFY(!loadAll(config).isRefused());
    const ProfileRecord &slot = config.profiles[0];
    QCOMPARE(slot.dpi, quint8(0));
    QCOMPARE(slot.DPI_INFO[0].x, 0u);
    QVERIFY(!slot.LED_MODE[0].RGB.isValid());
    QCOMPARE(slot.LedMoveOFF, quint8(text ? 0 : 255));

    QCOMPARE(readSensorCode(), 0);
    QCOMPARE(readBattery(), 0);
    const LanguageList languages = readLanguageList();
    QCOMPARE(languages.count, 0);
    QCOMPARE(readLanguageFont(0).pixelSize, 0u);
    // Its count reads as 0 either way: no names, whatever keys follow.
    QCOMPARE(readProfileList(), QStringList());
    QCOMPARE(countMacros(), text ? 1 : 0);

    const Macro macro = loadMacro(QStringLiteral("m"));
    QCOMPARE(macro.actions.size(), 0);
    QCOMPARE(macro.settings.loopTime, text ? 0 : 1);
    QCOMPARE(readMacroActions(QStringLiteral("m")).size(), 0);

    // A unit of 0 would divide by zero: the least is 1.
    QCOMPARE(readMinDelay(), text ? 1 : 10);
    QCOMPARE(readShowSleep(), text ? 0 : 1);
    DeviceDefaults defaults;
    QCOMPARE(readDeviceDefaults(defaults), 0);
    QVERIFY(!defaults.effects[0].RGB.isValid());
    ButtonMatrix matrix{};
    readMatrix(matrix);
    QCOMPARE(matrix[0], quint8(0));

    ConfigRecord imported = config;
    const ConfigImport result = importConfiguration(imported, fixture.path(QStringLiteral("in.conf")),
                                                    QStringLiteral("KX-27"));
    QCOMPARE(result.outcome, ConfigImport::Imported);
    QVERIFY(!imported.profiles[0].LED_MODE[0].RGB.isValid());
    QCOMPARE(imported.profiles[0].dpi, quint8(0));
    QString tag;
    QVERIFY(readProductTag(fixture.path(QStringLiteral("tagged.conf")), tag).isOk());

    // Reading changed nothing on disk.
    QCOMPARE(hashOfFolder(fixture.path(QString())), before);
}

void TestHostileFiles::hostileFile_refusedOrDefaults_andNothingWrittenOverIt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qint64>("sparseSize"); // a file of this size, holes only, instead
    QTest::addColumn<bool>("refused");

    QTest::newRow("NUL bytes") << QByteArray("[Config]\nProfileID=1\0\n", 22) << qint64(0) << true;
    QTest::newRow("above the size limit, holes only")
        << QByteArray() << KestFileResult::MaxFileBytes + 1 << true;
    QTest::newRow("far above the size limit")
        << QByteArray() << qint64(100) * 1024 * 1024 << true;
    QTest::newRow("just below the size limit, newlines only")
        << QByteArray(int(KestFileResult::MaxFileBytes) - 1, '\n') << qint64(0) << false;
    QByteArray longLine = "[Config]\nCurrentProductName=";
    longLine += QByteArray(10 * 1024 * 1024, 'x');
    longLine += "\nProfileID=3\n";
    QTest::newRow("10 MB line") << longLine << qint64(0) << false;
    QByteArray keys = "[Config]\n";
    for (int i = 0; i <= KestIniFile::MaxEntries; ++i)
        keys += "k" + QByteArray::number(i) + "=\n";
    QTest::newRow("more keys than any file of ours") << keys << qint64(0) << true;
    QByteArray sections;
    for (int i = 0; i <= KestIniFile::MaxSections; ++i)
        sections += "[s" + QByteArray::number(i) + "]\nk=1\n";
    QTest::newRow("more sections than any file of ours") << sections << qint64(0) << true;
    QTest::newRow("invalid UTF-8 everywhere")
        << QByteArray("[Con\xff\xfe]\n\xc3\x28=\xa0\xa1\n[Config]\nProfileID=2\n") << qint64(0) << false;
    QTest::newRow("truncated in an escape") << QByteArray("[Config]\nProfileID=2\nProfile1=\"ab\\x") << qint64(0)
                                            << false;
    QTest::newRow("only section openings") << QByteArray("[[[[[[[\n[\n[]\n]]]\n=\n==\n") << qint64(0) << false;
}

// The class of hostile file in every file the store reads on its own; the writers that
// would update it afterwards leave it alone when it was refused.
void TestHostileFiles::hostileFile_refusedOrDefaults_andNothingWrittenOverIt()
{
    QFETCH(QByteArray, content);
    QFETCH(qint64, sparseSize);
    QFETCH(bool, refused);
    StoreFixture fixture;
    const QStringList files = {QStringLiteral("Configs/Config.ini"), QStringLiteral("Configs/LangConfig.ini"),
                               QStringLiteral("DefaultProfile.bin"), QStringLiteral("Configs/Profile/Slot.prof"),
                               QStringLiteral("Configs/MacroDB/m.MSMACRO")};
    for (const QString &file : files) {
        const QString path = fixture.path(file);
        if (sparseSize > 0) {
            writeFile(path, QByteArray());
            QFile sparse(path);
            QVERIFY(sparse.resize(sparseSize));
        } else {
            writeFile(path, content);
        }
    }
    const QByteArray before = hashOfFolder(fixture.path(QString()));

    ConfigRecord config;
    QCOMPARE(loadAll(config).isRefused(), refused);
    readLanguage();
    readLanguageList();
    readSensorCode();
    readProductName();
    countMacros();
    readMacroList();
    loadMacro(QStringLiteral("m"));
    readMacroActions(QStringLiteral("m"));
    DeviceDefaults defaults;
    QCOMPARE(readDeviceDefaults(defaults), refused ? -1 : 0);
    QCOMPARE(readMinDelay(), 10);
    ProfileRecord profile;
    const KestFileResult slot = loadProfile(0, profile, fixture.path(QStringLiteral("Configs/Profile/Slot.prof")));
    QVERIFY(slot.isUsable() || refused);
    QCOMPARE(profile.LedMoveOFF, quint8(255));
    QCOMPARE(checkStoredFiles().isRefused(), refused);
    const QVector<KestFileResult> noted = takeRefusedFiles();
    // Every damaged file is named to the user, each once.
    QStringList notedPaths;
    for (const KestFileResult &result : noted) {
        QVERIFY(result.text().contains(result.path()) && !result.reasonText().isEmpty());
        notedPaths << QFileInfo(result.path()).absoluteFilePath();
    }
    QStringList expectedPaths;
    if (refused) {
        for (const QString &file : files)
            expectedPaths << QFileInfo(fixture.path(file)).absoluteFilePath();
    }
    notedPaths.sort();
    expectedPaths.sort();
    QCOMPARE(notedPaths, expectedPaths);
    QCOMPARE(hashOfFolder(fixture.path(QString())), before);
    if (!refused)
        return;

    // Every writer that reads before it writes leaves a refused file as it is.
    config.names[0] = QStringLiteral("Slot");
    QVERIFY(!saveAll(config));
    static_cast<void>(writeDiff(1)); // refused or not, the folder below must be unchanged
    static_cast<void>(writeLanguage(1));
    static_cast<void>(writeBattery(50));
    static_cast<void>(saveActiveSlot(2));
    addToMacroList(QStringLiteral("x"));
    static_cast<void>(clearWriteSign(QStringLiteral("m")));
    QVERIFY(!saveMacro(QStringLiteral("m"), MacroSettings(), {}));
    QVERIFY(!saveProfile(0, profile, fixture.path(QStringLiteral("Configs/Profile/Slot.prof"))));
    QVERIFY(!saveActiveDpi(fixture.path(QStringLiteral("Configs/Profile/Slot.prof")), 3));
    QCOMPARE(hashOfFolder(fixture.path(QString())), before);
}

void TestHostileFiles::counts_neverReachBeyondWhatTheFileHolds()
{
    StoreFixture fixture;
    writeFile(fixture.path(QStringLiteral("Configs/Config.ini")), "[Config]\nCurrentProductName=KX-27\n");
    writeFile(fixture.path(QStringLiteral("Configs/KX-27/Config.ini")),
              "[PROFILE_LIST]\nCount=2147483647\n1=a\n2=b\n");
    QCOMPARE(readProfileList(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    writeFile(fixture.path(QStringLiteral("Configs/MacroDB/m.MSMACRO")),
              "[Setting]\nCount=2147483647\nMap_0=132\nDataL_0=4\n");
    // Three keys in the section: three actions at most, whatever Count claims.
    const Macro macro = loadMacro(QStringLiteral("m"));
    QCOMPARE(macro.actions.size(), 3);
    QCOMPARE(macro.actions.first().map, quint8(132));
    QCOMPARE(macro.actions.first().low, quint8(4));
    QCOMPARE(readMacroActions(QStringLiteral("m")).size(), 3);
}

// Files the user picks (import of a configuration, a profile or a macro) are refused with
// a reason, and nothing is taken from them.
void TestHostileFiles::chosenFiles_refusedWithAReason_recordUntouched()
{
    StoreFixture fixture;
    ConfigRecord set;
    makeDefaultConfig(set);
    set.names[0] = QStringLiteral("Mine");
    const ConfigRecord before = set;

    const QString binary = fixture.path(QStringLiteral("binary.conf"));
    writeFile(binary, QByteArray("[MouseName]\nName=KX-27\n\0", 24));
    ConfigImport result = importConfiguration(set, binary, QStringLiteral("KX-27"));
    QCOMPARE(result.outcome, ConfigImport::Refused);
    QCOMPARE(result.file.reason(), KestFileResult::NotText);
    QVERIFY(result.file.text().contains(QLatin1String("binary.conf")));
    QVERIFY(set == before);

    result = importConfiguration(set, fixture.path(QStringLiteral("absent.conf")), QStringLiteral("KX-27"));
    QCOMPARE(result.outcome, ConfigImport::Refused);
    QCOMPARE(result.file.reason(), KestFileResult::NotFound);

    result = importConfiguration(set, fixture.path(QString()), QStringLiteral("KX-27"));
    QCOMPARE(result.file.reason(), KestFileResult::Unreadable);

    const QString other = fixture.path(QStringLiteral("other.conf"));
    writeFile(other, "[MouseName]\nName=Other\n[Config]\nProfileID=4\n");
    result = importConfiguration(set, other, QStringLiteral("KX-27"));
    QCOMPARE(result.outcome, ConfigImport::OtherProduct);
    QCOMPARE(result.productTag, QStringLiteral("Other"));
    QVERIFY(set == before);

    const QString macro = fixture.path(QStringLiteral("big.MSMACRO"));
    writeFile(macro, QByteArray());
    QFile big(macro);
    QVERIFY(big.resize(KestFileResult::MaxFileBytes + 1));
    QCOMPARE(checkMacroFile(macro).reason(), KestFileResult::TooLarge);
    QString tag;
    QCOMPARE(readProductTag(macro, tag).reason(), KestFileResult::TooLarge);
    // What the user chose is never noted as one of the store's own files.
    QVERIFY(takeRefusedFiles().isEmpty());
}

void TestHostileFiles::storeCheck_namesTheFirstRefusedFile()
{
    StoreFixture fixture;
    writeFile(fixture.path(QStringLiteral("Configs/Config.ini")), "[Config]\nProfile1=Slot\n");
    writeFile(fixture.path(QStringLiteral("Configs/Profile/Slot.prof")),
              "[PROFILE]\nBUTTON_INFO_3_Fun=200\nBUTTON_INFO_3_macroname=bad\n");
    QVERIFY(checkStoredFiles().isOk());
    writeFile(fixture.path(QStringLiteral("Configs/MacroDB/bad.MSMACRO")), QByteArray("\0", 1));
    const KestFileResult result = checkStoredFiles();
    QVERIFY(result.isRefused());
    QCOMPARE(QFileInfo(result.path()).fileName(), QStringLiteral("bad.MSMACRO"));
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
