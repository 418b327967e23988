// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include <QColor>
#include <QElapsedTimer>
#include <QSettings>

#include "store/kestfilelock.h"
#include "store/kestinifile.h"
#include "widgets/kestrgbcolor.h"

// The codec must read whatever the toolkit's settings class writes and write what it
// reads back unchanged: users' files of both origins meet in the same folders.
class TestKestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void values_roundTripThroughTheSettingsClass_data();
    void values_roundTripThroughTheSettingsClass();
    void quoting_eachRule_writesWhatTheSettingsClassWrites_data();
    void quoting_eachRule_writesWhatTheSettingsClassWrites();
    void keyEscaping_eachRule_writesWhatTheSettingsClassWrites_data();
    void keyEscaping_eachRule_writesWhatTheSettingsClassWrites();
    void colours_onlyPlainRgbIsDecoded();
    void oddKeysAndSections_readAsTheSettingsClassReadsThem();
    void keys_withSpecialCharactersAndSections_roundTrip();
    void handWrittenFile_commentsSpacesListsAndEscapes();
    void missingFile_loadsEmpty_saveCreatesFolder();
    void loadSkippingSection_keepsOnlyTheOthers();
    void handEditedHeadersAndSlashKeys_generalInAnyCaseAndTheSectionLimit();
    void handTypedText_validUtf8ReadsAsUtf8_elseLatin1();
    void repeatedKey_keepsFirstPlaceAndLastValue();
    void updateLock_keepsOthersOut_thenLeavesNothingBehind();

private:
    QTemporaryDir m_dir;
};

void TestKestIniFile::values_roundTripThroughTheSettingsClass_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::newRow("int") << QVariant(-12345);
    QTest::newRow("uint") << QVariant(4294967295u);
    QTest::newRow("plain") << QVariant(QStringLiteral("Profile 1"));
    QTest::newRow("empty") << QVariant(QString());
    QTest::newRow("specials") << QVariant(QStringLiteral("a;b,c=d \"e\" \\f"));
    QTest::newRow("spaces") << QVariant(QStringLiteral("  both ends  "));
    QTest::newRow("at") << QVariant(QStringLiteral("@Variant(not really)"));
    QTest::newRow("controls") << QVariant(QStringLiteral("tab\there\nnew\r\x01\x7f"));
    QTest::newRow("latin1") << QVariant(QStringLiteral("Français élevé"));
    QTest::newRow("wide") << QVariant(QStringLiteral("中文 ∑ 1a"));
    QTest::newRow("colour") << QVariant(QColor(1, 0x43, 255));
    QTest::newRow("colour zeros") << QVariant(QColor(0, 0, 0));
    QTest::newRow("colour alpha") << QVariant(QColor(10, 20, 30, 40));
    QTest::newRow("invalid colour") << QVariant(QColor());
}

void TestKestIniFile::values_roundTripThroughTheSettingsClass()
{
    QFETCH(QVariant, value);
    const QString key = QStringLiteral("Group/sub/key");
    const QString ours = m_dir.filePath(QStringLiteral("ours.ini"));
    const QString theirs = m_dir.filePath(QStringLiteral("theirs.ini"));
    QFile::remove(ours);
    QFile::remove(theirs);
    const bool colour = value.userType() == QMetaType::QColor;

    // The store keeps a colour as the mouse takes it: opaque RGB bytes.
    const KestRgb kept = toKestRgb(value.value<QColor>());
    KestIniFile written;
    if (colour)
        written.setColor(key, kept);
    else
        written.setString(key, value.toString());
    QVERIFY(written.save(ours));
    const QVariant readByQt = QSettings(ours, QSettings::IniFormat).value(key);
    if (colour) {
        QCOMPARE(readByQt.value<QColor>(), toQColor(kept));
        // Byte for byte what the settings class writes for that colour.
        const QString qtBytes = m_dir.filePath(QStringLiteral("qtbytes.ini"));
        QFile::remove(qtBytes);
        QSettings(qtBytes, QSettings::IniFormat).setValue(key, toQColor(kept));
        QFile a(ours), b(qtBytes);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
    } else {
        QCOMPARE(readByQt.toString(), value.toString());
    }

    {
        QSettings qt(theirs, QSettings::IniFormat);
        qt.setValue(key, value);
    }
    KestIniFile read;
    QVERIFY(read.load(theirs));
    if (colour)
        QCOMPARE(read.colorValue(key), kept);
    else
        QCOMPARE(read.stringValue(key), value.toString());
}

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// One row per rule of the settings class's value escaping, each alone, so that a rule
// lost from the writer shows as a difference in the bytes, not only in a read-back that
// another rule happens to rescue.
void TestKestIniFile::quoting_eachRule_writesWhatTheSettingsClassWrites_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("only a comma") << QStringLiteral(",");
    QTest::newRow("comma inside") << QStringLiteral("a,b");
    QTest::newRow("comma and space like a list") << QStringLiteral("a, b");
    QTest::newRow("only a semicolon") << QStringLiteral(";");
    QTest::newRow("semicolon inside") << QStringLiteral("a;b");
    QTest::newRow("only an equals sign") << QStringLiteral("=");
    QTest::newRow("equals inside") << QStringLiteral("a=b");
    QTest::newRow("leading space") << QStringLiteral(" a");
    QTest::newRow("trailing space") << QStringLiteral("a ");
    QTest::newRow("only a space") << QStringLiteral(" ");
    QTest::newRow("inner space") << QStringLiteral("a b");
    QTest::newRow("double quote") << QStringLiteral("\"");
    QTest::newRow("quoted text") << QStringLiteral("\"a\"");
    QTest::newRow("backslash") << QStringLiteral("\\");
    QTest::newRow("tab") << QStringLiteral("a\tb");
    QTest::newRow("leading tab") << QStringLiteral("\ta");
    QTest::newRow("newline") << QStringLiteral("a\nb");
    QTest::newRow("carriage return") << QStringLiteral("a\rb");
    QTest::newRow("bell backspace formfeed vtab")
        << QString::fromLatin1("\a\b\f\v");
    QTest::newRow("NUL then a hex digit") << QString(QChar(0)) + QStringLiteral("1");
    QTest::newRow("NUL then a letter past f") << QString(QChar(0)) + QStringLiteral("g");
    QTest::newRow("control then a hex digit") << QString(QChar(1)) + QStringLiteral("a");
    QTest::newRow("DEL") << QString(QChar(0x7f));
    QTest::newRow("latin1 then a hex digit") << QStringLiteral("\u00e9a");
    QTest::newRow("latin1 then an upper hex digit") << QStringLiteral("\u00e9F");
    QTest::newRow("latin1 then a non-hex letter") << QStringLiteral("\u00e9g");
    QTest::newRow("wide") << QStringLiteral("\u4e2d\u6587");
    QTest::newRow("at sign first") << QStringLiteral("@x");
    QTest::newRow("two at signs") << QStringLiteral("@@");
    QTest::newRow("at sign inside") << QStringLiteral("a@b");
    QTest::newRow("looks like a variant") << QStringLiteral("@Variant(\0)");
    QTest::newRow("hash first") << QStringLiteral("#a");
    QTest::newRow("bracket first") << QStringLiteral("[a]");
    QTest::newRow("empty") << QString();
    QTest::newRow("comma with leading space") << QStringLiteral(" ,");
}

void TestKestIniFile::quoting_eachRule_writesWhatTheSettingsClassWrites()
{
    QFETCH(QString, text);
    const QString key = QStringLiteral("Group/key");
    // One pair of files per row: the settings class caches a file it read by path, size and
    // time, and two rows of the same length written within a second would look unchanged.
    const QString tag = QString::number(qHash(QString::fromUtf8(QTest::currentDataTag())));
    const QString ours = m_dir.filePath(QStringLiteral("q-ours-%1.ini").arg(tag));
    const QString theirs = m_dir.filePath(QStringLiteral("q-theirs-%1.ini").arg(tag));
    QFile::remove(ours);
    QFile::remove(theirs);
    KestIniFile written;
    written.setString(key, text);
    QVERIFY(written.save(ours));
    {
        QSettings qt(theirs, QSettings::IniFormat);
        qt.setValue(key, text);
    }
    QCOMPARE(fileBytes(ours), fileBytes(theirs));

    KestIniFile back;
    QVERIFY(back.load(ours));
    QCOMPARE(back.stringValue(key), text);
    QCOMPARE(QSettings(ours, QSettings::IniFormat).value(key).toString(), text);
}

void TestKestIniFile::keyEscaping_eachRule_writesWhatTheSettingsClassWrites_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("plain") << QStringLiteral("S/a_b-c.d");
    QTest::newRow("nested") << QStringLiteral("S/a/b/c");
    QTest::newRow("space") << QStringLiteral("S/a b");
    QTest::newRow("percent") << QStringLiteral("S/a%b");
    QTest::newRow("equals") << QStringLiteral("S/a=b");
    QTest::newRow("semicolon") << QStringLiteral("S/;a");
    QTest::newRow("hash") << QStringLiteral("S/#a");
    QTest::newRow("bracket") << QStringLiteral("S/[a");
    QTest::newRow("latin1") << QStringLiteral("S/\u00e9");
    QTest::newRow("wide") << QStringLiteral("S/\u4e2d");
    QTest::newRow("odd section") << QStringLiteral("a b]/k");
    QTest::newRow("section named General") << QStringLiteral("General/k");
    QTest::newRow("no section") << QStringLiteral("k");
}

void TestKestIniFile::keyEscaping_eachRule_writesWhatTheSettingsClassWrites()
{
    QFETCH(QString, key);
    const QString ours = m_dir.filePath(QStringLiteral("k-ours.ini"));
    const QString theirs = m_dir.filePath(QStringLiteral("k-theirs.ini"));
    QFile::remove(ours);
    QFile::remove(theirs);
    KestIniFile written;
    written.setInt(key, 7);
    QVERIFY(written.save(ours));
    {
        QSettings qt(theirs, QSettings::IniFormat);
        qt.setValue(key, 7);
    }
    QCOMPARE(fileBytes(ours), fileBytes(theirs));
    KestIniFile back;
    QVERIFY(back.load(ours));
    QCOMPARE(back.keys(), QStringList{key});
    QCOMPARE(back.intValue(key), 7);
}

// The colour is the one stored type decoded, and only in plain RGB; everything else a
// "@Variant" could hold reads as a missing key.
void TestKestIniFile::colours_onlyPlainRgbIsDecoded()
{
    const QString path = m_dir.filePath(QStringLiteral("colours.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[C]\n"
               "red=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0)\n"
               "deep=@Variant(\\0\\0\\0\\x43\\x1\\x80\\0\\x12\\x34\\x56\\x78\\x9a\\xbc\\0\\0)\n"
               "invalid=@Variant(\\0\\0\\0\\x43\\0\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0)\n"
               "hsv=@Variant(\\0\\0\\0\\x43\\x2\\xff\\xff\\0\\x10\\0\\x20\\0\\x30\\0\\0)\n"
               "spec99=@Variant(\\0\\0\\0\\x43\\x63\\xff\\xff\\0\\x10\\0\\x20\\0\\x30\\0\\0)\n"
               "short=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\xff)\n"
               "long=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0\\0)\n"
               "wide=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\x100)\n"
               "text=#ff0000\n"
               "number=12\n");
    file.close();
    KestIniFile ini;
    QVERIFY(ini.load(path));
    QCOMPARE(ini.colorValue(QStringLiteral("C/red")), KestRgb(255, 0, 0));
    // 16 bits a component become the byte the toolkit's colour class would give.
    QCOMPARE(ini.colorValue(QStringLiteral("C/deep")), toKestRgb(QColor::fromRgba64(0x1234, 0x5678, 0x9abc, 0x8000)));
    for (const char *rejected : {"invalid", "hsv", "spec99", "short", "long", "wide", "text", "number", "none"})
        QVERIFY2(!ini.colorValue(QStringLiteral("C/") + QLatin1String(rejected)).isValid(), rejected);
    // A colour is no text and no number: as a text or number it reads as missing.
    QCOMPARE(ini.stringValue(QStringLiteral("C/red")), QString());
    QCOMPARE(ini.intValue(QStringLiteral("C/red"), 42), 42);

    // A colour picked in another model is stored so that it reads back.
    KestIniFile hsv;
    hsv.setColor(QStringLiteral("C/c"), toKestRgb(QColor::fromHsv(120, 255, 255)));
    QVERIFY(hsv.save(path));
    QVERIFY(hsv.load(path));
    QCOMPARE(hsv.colorValue(QStringLiteral("C/c")), KestRgb(0, 255, 0));
}

// Found by fuzzing the reader's own round trip: each line is a way a key could end up
// where its name no longer finds it.
void TestKestIniFile::oddKeysAndSections_readAsTheSettingsClassReadsThem()
{
    const QString path = m_dir.filePath(QStringLiteral("odd.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[General]\nx\\y=2\n"
               "[%General]\nreal=3\n"
               "[%25General]\npercent=4\n"
               "[Sec/sub]\nk=5\n"
               "[S]\n=6\n");
    file.close();
    KestIniFile ini;
    QVERIFY(ini.load(path));
    const QSettings qt(path, QSettings::IniFormat);
    QStringList ours = ini.keys();
    // Empty segments do not count: "//a//b/" is the key "a/b".
    KestIniFile slashes;
    QVERIFY(slashes.loadData("[General]\n\\\\a\\\\b\\=1\n", QStringLiteral("slashes")));
    QCOMPARE(slashes.keys(), QStringList{QStringLiteral("a/b")});
    QCOMPARE(slashes.intValue(QStringLiteral("a/b")), 1);
    QStringList theirs = qt.allKeys();
    ours.sort();
    theirs.sort();
    // A key without a name ("=6") is dropped: no key of ours could ask for it.
    theirs.removeAll(QStringLiteral("S/"));
    QCOMPARE(ours, theirs);
    for (const QString &key : theirs)
        QCOMPARE(ini.stringValue(key), qt.value(key).toString());

    // And what we write from it reads back the same, by us and by the settings class.
    const QString again = m_dir.filePath(QStringLiteral("odd-again.ini"));
    QVERIFY(ini.save(again));
    KestIniFile back;
    QVERIFY(back.load(again));
    QStringList backKeys = back.keys();
    backKeys.sort();
    QCOMPARE(backKeys, theirs);
    const QSettings qtAgain(again, QSettings::IniFormat);
    for (const QString &key : theirs) {
        QCOMPARE(back.stringValue(key), ini.stringValue(key));
        QCOMPARE(qtAgain.value(key).toString(), ini.stringValue(key));
    }
}

void TestKestIniFile::keys_withSpecialCharactersAndSections_roundTrip()
{
    const QString path = m_dir.filePath(QStringLiteral("keys.ini"));
    KestIniFile ini;
    ini.setInt(QStringLiteral("top"), 1);
    ini.setInt(QStringLiteral("General/real"), 2);
    ini.setInt(QStringLiteral("PROFILE/LedMode"), 3);
    ini.setInt(QStringLiteral("PROFILE/LedMode/LED_MODE_0_bright"), 4);
    ini.setInt(QStringLiteral("Odd group/key with space=%é中"), 5);
    QVERIFY(ini.save(path));

    const QSettings qt(path, QSettings::IniFormat);
    QCOMPARE(qt.value(QStringLiteral("top")).toInt(), 1);
    QCOMPARE(qt.value(QStringLiteral("General/real")).toInt(), 2);
    QCOMPARE(qt.value(QStringLiteral("PROFILE/LedMode")).toInt(), 3);
    QCOMPARE(qt.value(QStringLiteral("PROFILE/LedMode/LED_MODE_0_bright")).toInt(), 4);
    QCOMPARE(qt.value(QStringLiteral("Odd group/key with space=%é中")).toInt(), 5);

    KestIniFile back;
    QVERIFY(back.load(path));
    QCOMPARE(back.size(), 5);
    QCOMPARE(back.intValue(QStringLiteral("top")), 1);
    QCOMPARE(back.intValue(QStringLiteral("General/real")), 2);
    QCOMPARE(back.intValue(QStringLiteral("Odd group/key with space=%é中")), 5);
}

void TestKestIniFile::handWrittenFile_commentsSpacesListsAndEscapes()
{
    const QString path = m_dir.filePath(QStringLiteral("hand.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; a comment\r\n[PROFILE]\r\n  pollrate = 8  \r\n# another\r\nname = \"  kept  \"\r\n"
               "list = a , b\r\nhex=0x10\r\ntrail=value ; comment\r\noct=\\101\r\nbytes=@ByteArray(raw)\r\n");
    file.close();
    KestIniFile ini;
    QVERIFY(ini.load(path));
    QCOMPARE(ini.intValue(QStringLiteral("PROFILE/pollrate")), 8);
    QCOMPARE(ini.stringValue(QStringLiteral("PROFILE/name")), QStringLiteral("  kept  "));
    QCOMPARE(ini.stringValue(QStringLiteral("PROFILE/list")), QStringLiteral("a, b"));
    QCOMPARE(ini.intValue(QStringLiteral("PROFILE/hex")), 0);
    QCOMPARE(ini.stringValue(QStringLiteral("PROFILE/trail")), QStringLiteral("value"));
    QCOMPARE(ini.stringValue(QStringLiteral("PROFILE/oct")), QStringLiteral("A"));
    QCOMPARE(ini.intValue(QStringLiteral("PROFILE/missing"), 255), 255);
    QCOMPARE(ini.intValue(QStringLiteral("PROFILE/name"), 255), 0);
    QCOMPARE(ini.stringValue(QStringLiteral("PROFILE/bytes")), QStringLiteral("raw"));
}

void TestKestIniFile::missingFile_loadsEmpty_saveCreatesFolder()
{
    KestIniFile ini;
    const KestFileResult missing = ini.load(m_dir.filePath(QStringLiteral("nope.ini")));
    QVERIFY(missing.isMissing());
    QVERIFY(missing.isUsable());
    QCOMPARE(ini.size(), 0);
    ini.setInt(QStringLiteral("a/b"), 1);
    const QString nested = m_dir.filePath(QStringLiteral("x/y/z.ini"));
    QVERIFY(ini.save(nested));
    QVERIFY(QFileInfo(nested).isFile());
}

void TestKestIniFile::loadSkippingSection_keepsOnlyTheOthers()
{
    const QString path = m_dir.filePath(QStringLiteral("skip.ini"));
    KestIniFile ini;
    ini.setInt(QStringLiteral("PROFILE/old"), 1);
    ini.setInt(QStringLiteral("PROFILE/LedMode/LED_MODE_0_h"), 2);
    ini.setString(QStringLiteral("MouseName/Name"), QStringLiteral("KX-27"));
    QVERIFY(ini.save(path));

    KestIniFile rewritten;
    QVERIFY(rewritten.load(path, QStringLiteral("PROFILE")));
    QCOMPARE(rewritten.size(), 1);
    KestIniFile::Group group = rewritten.group(QStringLiteral("PROFILE"));
    QCOMPARE(group.intValue(QStringLiteral("old"), -1), -1);
    QCOMPARE(rewritten.stringValue(QStringLiteral("MouseName/Name")), QStringLiteral("KX-27"));
    const int section = rewritten.addSection(QStringLiteral("PROFILE"));
    rewritten.setInt(section, QStringLiteral("new"), 3);
    // Appended keys are found, and replaced rather than doubled, by later writes.
    rewritten.appendInt(section, QStringLiteral("more"), 4);
    rewritten.setInt(section, QStringLiteral("more"), 5);
    QCOMPARE(rewritten.intValue(QStringLiteral("PROFILE/more")), 5);
    QVERIFY(rewritten.save(path));
    const QSettings qt(path, QSettings::IniFormat);
    QCOMPARE(qt.allKeys().size(), 3);
    QCOMPARE(qt.value(QStringLiteral("PROFILE/new")).toInt(), 3);
    QCOMPARE(qt.value(QStringLiteral("PROFILE/more")).toInt(), 5);
}

// Hand edits: the general section named in any case, and sections made by "a/b=" keys
// counted against the same limit as headers.
void TestKestIniFile::handEditedHeadersAndSlashKeys_generalInAnyCaseAndTheSectionLimit()
{
    KestIniFile ini;
    QVERIFY(ini.loadData("[general]\na=1\n[GENERAL]\nb=2\n[GeNeRaL]\nc=3\n[%general]\nd=4\n",
                         QStringLiteral("general")));
    QCOMPARE(ini.keys(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                      QStringLiteral("general/d")}));
    QCOMPARE(ini.intValue(QStringLiteral("b")), 2);

    QByteArray many = "[General]\n";
    for (int i = 0; i <= KestIniFile::MaxSections; ++i)
        many += "s" + QByteArray::number(i) + "/k=1\n";
    const KestFileResult refused = ini.loadData(many, QStringLiteral("many"));
    QVERIFY(refused.isRefused());
    QCOMPARE(refused.reason(), KestFileResult::TooManyEntries);
    QCOMPARE(ini.size(), 0);
}

// The settings class escapes everything beyond ASCII, so raw bytes were typed by hand.
void TestKestIniFile::handTypedText_validUtf8ReadsAsUtf8_elseLatin1()
{
    KestIniFile ini;
    QVERIFY(ini.loadData("[Config]\nname=Caf\xc3\xa9 \xe4\xb8\xad\nquoted=\"\xc3\xa9t\xc3\xa9, hiver\"\n"
                         "latin=Caf\xe9\nescaped=Caf\\xe9\nhalf=\xc3\n",
                         QStringLiteral("hand")));
    QCOMPARE(ini.stringValue(QStringLiteral("Config/name")), QStringLiteral("Caf\u00e9 \u4e2d"));
    QCOMPARE(ini.stringValue(QStringLiteral("Config/quoted")), QStringLiteral("\u00e9t\u00e9, hiver"));
    QCOMPARE(ini.stringValue(QStringLiteral("Config/latin")), QStringLiteral("Caf\u00e9"));
    QCOMPARE(ini.stringValue(QStringLiteral("Config/escaped")), QStringLiteral("Caf\u00e9"));
    QCOMPARE(ini.stringValue(QStringLiteral("Config/half")), QStringLiteral("\u00c3"));

    // Written back in the settings class's own escapes, it reads the same for both readers.
    const QString path = m_dir.filePath(QStringLiteral("utf8.ini"));
    QVERIFY(ini.save(path));
    const QSettings qt(path, QSettings::IniFormat);
    QCOMPARE(qt.value(QStringLiteral("Config/name")).toString(), QStringLiteral("Caf\u00e9 \u4e2d"));
    KestIniFile back;
    QVERIFY(back.load(path));
    QCOMPARE(back.stringValue(QStringLiteral("Config/quoted")), QStringLiteral("\u00e9t\u00e9, hiver"));
}

void TestKestIniFile::repeatedKey_keepsFirstPlaceAndLastValue()
{
    const QByteArray text = "[S]\na=1\nb=2\na=3\n[T]\nx=1\n[S]\nb=4\nc=5\n";
    const QString path = m_dir.filePath(QStringLiteral("repeated.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    file.close();
    KestIniFile ini;
    QVERIFY(ini.load(path));
    const QSettings qt(path, QSettings::IniFormat);
    QCOMPARE(ini.keys(), (QStringList{QStringLiteral("S/a"), QStringLiteral("S/b"), QStringLiteral("S/c"),
                                      QStringLiteral("T/x")}));
    QCOMPARE(ini.size(), 4);
    for (const QString &key : ini.keys())
        QCOMPARE(ini.stringValue(key), qt.value(key).toString());
    ini.setInt(QStringLiteral("S/d"), 6);
    QCOMPARE(ini.intValue(QStringLiteral("S/a")), 3);
    QCOMPARE(ini.intValue(QStringLiteral("S/d")), 6);
}

// What keeps two of our programs from replacing Config.ini over each other's change; it
// must not flush anything to disk, and must not be fooled by a link or a holder's release.
void TestKestIniFile::updateLock_keepsOthersOut_thenLeavesNothingBehind()
{
    const QString path = m_dir.filePath(QStringLiteral("Config.ini.lock"));
    {
        const KestFileLock held(path, 0);
        QVERIFY(held.isLocked());
        QElapsedTimer waited;
        waited.start();
        const KestFileLock other(path, 100);
        QVERIFY(!other.isLocked());
        QVERIFY(waited.elapsed() >= 90);
    }
    QVERIFY(!QFile::exists(path));
    {
        const KestFileLock again(path, 0);
        QVERIFY(again.isLocked());
    }

    // A link planted at the lock's name is not followed, and what it points at stays.
    const QString target = m_dir.filePath(QStringLiteral("victim"));
    QFile victim(target);
    QVERIFY(victim.open(QIODevice::WriteOnly));
    victim.write("kept");
    victim.close();
    QVERIFY(QFile::link(target, path));
    {
        const KestFileLock refused(path, 0);
        QVERIFY(!refused.isLocked());
    }
    QVERIFY(QFileInfo(path).isSymLink());
    QFile check(target);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), QByteArray("kept"));
}

QTEST_GUILESS_MAIN(TestKestIniFile)
#include "tst_kestinifile.moc"
