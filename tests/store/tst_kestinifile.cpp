#include <QtTest>

#include "store/kestinifile.h"

// The codec must read whatever the toolkit's settings class writes and write what it
// reads back unchanged: users' files of both origins meet in the same folders.
class TestKestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void values_roundTripThroughTheSettingsClass_data();
    void values_roundTripThroughTheSettingsClass();
    void keys_withSpecialCharactersAndSections_roundTrip();
    void handWrittenFile_commentsSpacesListsAndEscapes();
    void missingFile_loadsEmpty_saveCreatesFolder();
    void loadSkippingSection_keepsOnlyTheOthers();

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
    QTest::newRow("invalid colour") << QVariant(QColor());
    QTest::newRow("bytes") << QVariant(QByteArray("\0\x01zz\xff", 5));
}

void TestKestIniFile::values_roundTripThroughTheSettingsClass()
{
    QFETCH(QVariant, value);
    const QString key = QStringLiteral("Group/sub/key");
    const QString ours = m_dir.filePath(QStringLiteral("ours.ini"));
    const QString theirs = m_dir.filePath(QStringLiteral("theirs.ini"));
    QFile::remove(ours);
    QFile::remove(theirs);

    KestIniFile written;
    written.setValue(key, value);
    QVERIFY(written.save(ours));
    const bool text = value.userType() == QMetaType::QString || value.userType() == QMetaType::Int
        || value.userType() == QMetaType::UInt;
    const QVariant readByQt = QSettings(ours, QSettings::IniFormat).value(key);
    if (text)
        QCOMPARE(readByQt.toString(), value.toString());
    else
        QCOMPARE(readByQt, value);

    {
        QSettings qt(theirs, QSettings::IniFormat);
        qt.setValue(key, value);
    }
    KestIniFile read;
    QVERIFY(read.load(theirs));
    const QVariant readByUs = read.value(key);
    if (text)
        QCOMPARE(readByUs.toString(), value.toString());
    else
        QCOMPARE(readByUs, value);
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
               "list = a , b\r\nhex=0x10\r\ntrail=value ; comment\r\noct=\\101\r\n");
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
}

void TestKestIniFile::missingFile_loadsEmpty_saveCreatesFolder()
{
    KestIniFile ini;
    QVERIFY(!ini.load(m_dir.filePath(QStringLiteral("nope.ini"))));
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

QTEST_GUILESS_MAIN(TestKestIniFile)
#include "tst_kestinifile.moc"
