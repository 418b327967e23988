// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include "profilefixture.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "widgets/kestmessagebox.h"

namespace {
bool exists(const QString &name)
{
    return QFileInfo(profileFilePath(name)).isFile();
}

// A symbolic link where a file of ours goes: every save refuses it, also as root.
void linkInPlaceOf(const QString &path)
{
    const QString real = path + QStringLiteral(".real");
    QFile::remove(real);
    QVERIFY(!QFileInfo::exists(path) || QFile::rename(path, real));
    if (!QFileInfo::exists(real)) {
        QFile touch(real);
        QVERIFY(touch.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(real, path));
}
} // namespace

class TestProfileManager : public QObject
{
    Q_OBJECT

private slots:
    void add_withProfile1To5Present_createsProfile6FromTemplate();
    void copyTwice_givesCopyThenCopy2();
    void delete_lastEntry_selectsTheOneBefore();
    void delete_replacementWalk_data();
    void delete_replacementWalk();
    void delete_singleEntryOrDefaultName_refused();
    void delete_walkPastOtherSlots_offTheStart_takesFirstFreeEntryOrRefuses();
    void delete_answeredNo_changesNothing();
    void rename_defaultOrExistingOrUnsafeName_refused();
    void rename_movesFileListAndStoredSlotName();
    void assign_otherSlotsProfile_refused_ownReloads();
    void add_asksForTheNameFirst_data();
    void add_asksForTheNameFirst();
    void add_saysWhatItDoes_canStartFromCurrentSettings();
    void copy_asksForTheName();
    void rename_defaultProfile_keepsItsFile_namesALibraryCopy();
    void savesRefused_nothingHalfDone_fileNamed();
    void unappliedEdits_askedOnce_data();
    void unappliedEdits_askedOnce();
};

void TestProfileManager::add_withProfile1To5Present_createsProfile6FromTemplate()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.host.working.profiles[0].pollrate = 8; // unapplied edit of the slot's old profile
    f.manager.slotAddProfile();
    QCOMPARE(f.suggestedNames, QStringList{QStringLiteral("Profile 6")});

    QVERIFY(exists(QStringLiteral("Profile 6")));
    QCOMPARE(f.host.library.last(), QStringLiteral("Profile 6"));
    QCOMPARE(readProfileList(), f.host.library);
    QCOMPARE(f.host.working.names[0], QStringLiteral("Profile 6"));
    ProfileRecord expected;
    QVERIFY(loadProfile(0, expected, templatePath()).isUsable());
    expected.ProfileName = QStringLiteral("Profile 6");
    QCOMPARE(f.host.working.profiles[0], expected);
    QCOMPARE(f.host.lastRefresh, KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
    QVERIFY(f.messages.isEmpty());
}

void TestProfileManager::copyTwice_givesCopyThenCopy2()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.addLibraryProfile(QStringLiteral("Gaming"));
    f.manager.slotAssignProfile(QStringLiteral("Gaming"));

    f.manager.slotCopyProfile();
    QCOMPARE(f.host.working.names[0], QStringLiteral("Gaming copy"));
    f.manager.slotAssignProfile(QStringLiteral("Gaming"));
    f.manager.slotCopyProfile();
    QCOMPARE(f.suggestedNames, (QStringList{QStringLiteral("Gaming copy"), QStringLiteral("Gaming copy 2")}));
    QCOMPARE(f.host.working.names[0], QStringLiteral("Gaming copy 2"));
    QVERIFY(exists(QStringLiteral("Gaming copy")));
    QVERIFY(exists(QStringLiteral("Gaming copy 2")));
    QCOMPARE(f.host.library.mid(5),
             (QStringList{QStringLiteral("Gaming"), QStringLiteral("Gaming copy"), QStringLiteral("Gaming copy 2")}));
    QCOMPARE(readProfileList(), f.host.library);
}

void TestProfileManager::delete_lastEntry_selectsTheOneBefore()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.addLibraryProfile(QStringLiteral("A"));
    f.addLibraryProfile(QStringLiteral("B"));
    f.manager.slotAssignProfile(QStringLiteral("B"));

    f.manager.slotDeleteProfile();
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Are you sure you want delete this profile?")});
    QVERIFY(!exists(QStringLiteral("B")));
    QVERIFY(!f.host.library.contains(QStringLiteral("B")));
    QCOMPARE(f.host.working.names[0], QStringLiteral("A"));
    QCOMPARE(readProfileList(), f.host.library);
}

void TestProfileManager::delete_replacementWalk_data()
{
    // D is deleted; "Profile 2".."Profile 5" are shown by the other slots.
    QTest::addColumn<QStringList>("library");
    QTest::addColumn<QString>("replacement");
    const QString p2 = QStringLiteral("Profile 2"), p3 = QStringLiteral("Profile 3");
    QTest::newRow("next entry is free") << QStringList{"A", "D", "B"} << "B";
    QTest::newRow("first entry: the next") << QStringList{"D", "A", "B"} << "A";
    QTest::newRow("last entry: the one before") << QStringList{"A", "B", "D"} << "B";
    QTest::newRow("next is taken: step towards the start") << QStringList{"A", "D", p2, "B"} << "A";
    QTest::newRow("several taken steps") << QStringList{"A", "B", p3, "D", p2, "C"} << "B";
    QTest::newRow("last, the one before taken") << QStringList{"A", p2, "D"} << "A";
    QTest::newRow("off the start: first free entry") << QStringList{"D", p2, "A", "B"} << "A";
}

void TestProfileManager::delete_replacementWalk()
{
    QFETCH(QStringList, library);
    QFETCH(QString, replacement);
    ProfileFixture f;
    f.installDefaultSlots();
    for (const QString &name : library) {
        if (!name.startsWith(QLatin1String("Profile")))
            f.addLibraryProfile(name);
    }
    f.host.library = library;
    f.host.working.names[0] = QStringLiteral("D");
    f.manager.slotDeleteProfile();
    QCOMPARE(f.host.working.names[0], replacement);
    QVERIFY(!exists(QStringLiteral("D")));
    library.removeAll(QStringLiteral("D"));
    QCOMPARE(f.host.library, library);
}

void TestProfileManager::delete_singleEntryOrDefaultName_refused()
{
    ProfileFixture f;
    f.addLibraryProfile(QStringLiteral("Only"));
    f.host.working.names[0] = QStringLiteral("Only");
    f.manager.slotDeleteProfile();
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("AT LEAST ONE PROFILE TO BE RETAINED.")});
    QVERIFY(exists(QStringLiteral("Only")));

    ProfileFixture g;
    g.installDefaultSlots();
    g.manager.slotDeleteProfile();
    QCOMPARE(g.messageTexts(), QStringList{QStringLiteral("The default Profile cannot be deleted.")});
    QVERIFY(exists(QStringLiteral("Profile 1")));
    QCOMPARE(g.messages.first().first, int(KestMessageBox::Warning));
}

void TestProfileManager::delete_walkPastOtherSlots_offTheStart_takesFirstFreeEntryOrRefuses()
{
    // Deleting X starts at the entry after it (Profile 3, slot 2's), steps back over X
    // itself and Profile 2 (slot 1's), runs off the start, and takes the first entry
    // nobody shows: Free.
    ProfileFixture f;
    f.installDefaultSlots();
    f.addLibraryProfile(QStringLiteral("X"));
    f.addLibraryProfile(QStringLiteral("Free"));
    f.host.library = QStringList{QStringLiteral("Profile 2"), QStringLiteral("X"), QStringLiteral("Profile 3"),
                                 QStringLiteral("Free")};
    f.host.working.names[0] = QStringLiteral("X");
    f.manager.slotDeleteProfile();
    QCOMPARE(f.host.working.names[0], QStringLiteral("Free"));
    QVERIFY(!exists(QStringLiteral("X")));

    // When every other entry is another slot's profile, nothing is deleted.
    ProfileFixture g;
    g.installDefaultSlots();
    g.addLibraryProfile(QStringLiteral("Y"));
    g.host.library = QStringList{QStringLiteral("Profile 2"), QStringLiteral("Y")};
    g.host.working.names[0] = QStringLiteral("Y");
    g.manager.slotDeleteProfile();
    QCOMPARE(g.messageTexts(), QStringList{QStringLiteral("AT LEAST ONE PROFILE TO BE RETAINED.")});
    QVERIFY(exists(QStringLiteral("Y")));
    QCOMPARE(g.host.working.names[0], QStringLiteral("Y"));
}

void TestProfileManager::delete_answeredNo_changesNothing()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.addLibraryProfile(QStringLiteral("Keep"));
    f.manager.slotAssignProfile(QStringLiteral("Keep"));
    f.answer = 0;
    const QStringList before = f.host.library;
    f.manager.slotDeleteProfile();
    QCOMPARE(f.host.library, before);
    QVERIFY(exists(QStringLiteral("Keep")));
    QCOMPARE(f.host.working.names[0], QStringLiteral("Keep"));
}

void TestProfileManager::rename_defaultOrExistingOrUnsafeName_refused()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.addLibraryProfile(QStringLiteral("Mine"));
    f.addLibraryProfile(QStringLiteral("Taken"));
    f.manager.slotAssignProfile(QStringLiteral("Mine"));
    f.manager.slotRenameProfile(QStringLiteral("Taken"));
    QCOMPARE(f.messageTexts().last(), QStringLiteral("Profile Exist!"));
    QCOMPARE(f.host.lastRefresh, int(KestProfileHost::RefreshNames)); // the old name goes back
    QVERIFY(exists(QStringLiteral("Mine")));

    const int before = f.messages.size();
    for (const QString &bad : {QString(), QStringLiteral(".."), QStringLiteral("../Outside"),
                               QStringLiteral("sub/dir")}) {
        f.manager.slotRenameProfile(bad);
        QVERIFY(exists(QStringLiteral("Mine")));
    }
    QCOMPARE(f.messages.size(), before + 4);
    QVERIFY(!QFileInfo::exists(configFolder() + QStringLiteral("/KX-27/Outside.prof")));
    QCOMPARE(f.host.working.names[0], QStringLiteral("Mine"));
}

void TestProfileManager::rename_movesFileListAndStoredSlotName()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.addLibraryProfile(QStringLiteral("Old"));
    f.manager.slotAssignProfile(QStringLiteral("Old"));
    QVERIFY(saveSlotList(f.host.working)); // applied once: Config.ini names "Old" for slot 0

    f.manager.slotRenameProfile(QStringLiteral("Été"));
    QVERIFY(!exists(QStringLiteral("Old")));
    QVERIFY(exists(QStringLiteral("Été")));
    QCOMPARE(f.host.working.names[0], QStringLiteral("Été"));
    QCOMPARE(f.host.working.profiles[0].ProfileName, QStringLiteral("Été"));
    QVERIFY(f.host.library.contains(QStringLiteral("Été")));
    QVERIFY(!f.host.library.contains(QStringLiteral("Old")));
    QCOMPARE(readProfileList(), f.host.library);
    // Quitting now must not leave slot 0 pointing at a file that is gone.
    ConfigRecord restarted;
    QVERIFY(loadAll(restarted).isUsable());
    QCOMPARE(restarted.names[0], QStringLiteral("Été"));
}

void TestProfileManager::assign_otherSlotsProfile_refused_ownReloads()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.manager.slotAssignProfile(QStringLiteral("Profile 3"));
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Profile is Already Used!")});
    QCOMPARE(f.host.working.names[0], QStringLiteral("Profile 1"));

    f.host.working.profiles[0].pollrate = 8;
    f.manager.slotAssignProfile(QStringLiteral("Profile 1"));
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(int(f.host.working.profiles[0].pollrate), 1); // reloaded from its file
}

int runProfileManagerTests(int argc, char **argv)
{
    TestProfileManager test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_profilemanager.moc"

void TestProfileManager::add_asksForTheNameFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("created");  // empty: nothing is created
    QTest::addColumn<QString>("message");
    QTest::newRow("typed name") << QStringLiteral("  Gaming ") << QStringLiteral("Gaming") << QString();
    QTest::newRow("cancelled") << QString() << QString() << QString();
    QTest::newRow("taken") << QStringLiteral("Profile 2") << QString() << QStringLiteral("Profile Exist!");
    QTest::newRow("listed, no file yet") << QStringLiteral("Listed") << QString() << QStringLiteral("Profile Exist!");
    QTest::newRow("unsafe") << QStringLiteral("a/b") << QString()
                            << QStringLiteral("This name cannot be used for a profile.");
}

void TestProfileManager::add_asksForTheNameFirst()
{
    QFETCH(QString, answer);
    QFETCH(QString, created);
    QFETCH(QString, message);
    ProfileFixture f;
    f.installDefaultSlots();
    f.nameAnswer = answer;
    f.host.library << QStringLiteral("Listed"); // in the list, its file not written yet
    const QStringList before = f.host.library;
    const ProfileRecord shown = f.host.working.profiles[0];

    f.manager.slotAddProfile();

    QCOMPARE(f.suggestedNames.size(), 1);
    QCOMPARE(f.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (created.isEmpty()) {
        // Nothing on screen is replaced before the name is settled.
        QCOMPARE(f.host.library, before);
        QCOMPARE(f.host.working.profiles[0], shown);
        QCOMPARE(f.host.working.names[0], QStringLiteral("Profile 1"));
        return;
    }
    QVERIFY(exists(created));
    QCOMPARE(f.host.library.last(), created);
    QCOMPARE(f.host.working.names[0], created);
}

void TestProfileManager::unappliedEdits_askedOnce_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("discards");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("Apply") << int(KestMessageBox::ApplyChosen) << true << 0 << true;
    QTest::newRow("Discard") << int(KestMessageBox::DiscardChosen) << false << 1 << true;
    QTest::newRow("Cancel") << int(KestMessageBox::Cancelled) << false << 0 << false;
}

// Assigning a library profile and adding one both replace what the slot shows: each asks
// about the edits first, and only what the answer says happens.
void TestProfileManager::unappliedEdits_askedOnce()
{
    QFETCH(int, answer);
    QFETCH(bool, written);
    QFETCH(int, discards);
    QFETCH(bool, goesOn);
    for (const bool add : {false, true}) {
        ProfileFixture f;
        f.installDefaultSlots();
        f.addLibraryProfile(QStringLiteral("Gaming"));
        f.host.unapplied = true;
        f.host.panelValues = [](ConfigRecord &set) { set.profiles[0].pollrate = 2; };
        f.answer = answer;
        f.nameAnswer = QStringLiteral("Fresh");

        if (add)
            f.manager.slotAddProfile();
        else
            f.manager.slotAssignProfile(QStringLiteral("Gaming"));

        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages.first().first, int(KestMessageBox::Choice));
        QCOMPARE(f.messages.first().second, QStringLiteral("Apply the changes to Profile 1 first?"));
        QCOMPARE(f.host.collects, written ? 1 : 0);
        QCOMPARE(f.host.discards, discards);
        // Apply saves the edit under the profile it was made to before the slot moves on.
        ProfileRecord saved;
        loadSlotFile(saved, QStringLiteral("Profile 1"));
        QCOMPARE(saved.pollrate == 2, written);
        QCOMPARE(f.host.working.names[0],
                 goesOn ? (add ? QStringLiteral("Fresh") : QStringLiteral("Gaming"))
                        : QStringLiteral("Profile 1"));
        QCOMPARE(f.suggestedNames.size(), add && goesOn ? 1 : 0);
    }
}

void TestProfileManager::add_saysWhatItDoes_canStartFromCurrentSettings()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.host.working.profiles[0].pollrate = 8;
    QVERIFY(saveSlotFile(f.host.working.profiles[0], QStringLiteral("Profile 1")));
    f.nameAnswer = QStringLiteral("Tuned");
    f.startFromCurrent = true;
    f.manager.slotAddProfile();
    QCOMPARE(f.namePrompts.size(), 1);
    QVERIFY2(f.namePrompts.first().contains(QStringLiteral("in place of \"Profile 1\"")),
             qPrintable(f.namePrompts.first()));
    QCOMPARE(f.host.working.names[0], QStringLiteral("Tuned"));
    QCOMPARE(int(f.host.working.profiles[0].pollrate), 8);
    ProfileRecord tuned;
    QVERIFY(loadSlotFile(tuned, QStringLiteral("Tuned")));
    QCOMPARE(int(tuned.pollrate), 8);
    QCOMPARE(tuned.ProfileName, QStringLiteral("Tuned"));
    QVERIFY(f.host.lastRefresh & KestProfileHost::RefreshPanels);
}

void TestProfileManager::copy_asksForTheName()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.nameAnswer = QString(); // cancelled: nothing copied
    f.manager.slotCopyProfile();
    QCOMPARE(f.suggestedNames, QStringList{QStringLiteral("Profile 1 copy")});
    QCOMPARE(f.host.library.size(), SLOT_COUNT);
    QVERIFY(!exists(QStringLiteral("Profile 1 copy")));

    f.nameAnswer = QStringLiteral("Profile 2"); // taken
    f.manager.slotCopyProfile();
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Profile Exist!")});

    f.nameAnswer = QStringLiteral("Spare");
    f.manager.slotCopyProfile();
    QVERIFY(exists(QStringLiteral("Spare")));
    QCOMPARE(f.host.working.names[0], QStringLiteral("Spare"));
    QVERIFY(exists(QStringLiteral("Profile 1")));
}

// A default profile cannot change its name, but the slot can: its settings become a
// library profile under the new name, and "Profile 1" stays on disk and in the library.
void TestProfileManager::rename_defaultProfile_keepsItsFile_namesALibraryCopy()
{
    ProfileFixture f;
    f.installDefaultSlots();
    QFile original(profileFilePath(QStringLiteral("Profile 1")));
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();
    f.host.working.profiles[0].pollrate = 4;

    f.nameAnswer = QStringLiteral("Aim");
    f.manager.slotNameSlot(); // the pencil
    QCOMPARE(f.suggestedNames, QStringList{QStringLiteral("Profile 1")});
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(f.host.working.names[0], QStringLiteral("Aim"));
    ProfileRecord aim;
    QVERIFY(loadSlotFile(aim, QStringLiteral("Aim")));
    QCOMPARE(int(aim.pollrate), 4);
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(original.readAll(), before);
    QVERIFY(f.host.library.contains(QStringLiteral("Profile 1")));
    QCOMPARE(f.host.library.last(), QStringLiteral("Aim"));
    QCOMPARE(readProfileList(), f.host.library);
    ConfigRecord restarted;
    QVERIFY(loadAll(restarted).isUsable());
    QCOMPARE(restarted.names[0], QStringLiteral("Aim"));
}

// Every file an operation writes is checked: a refusal names the file, and what the
// window shows stays what the disk holds.
void TestProfileManager::savesRefused_nothingHalfDone_fileNamed()
{
    ProfileFixture f;
    f.installDefaultSlots();
    f.addLibraryProfile(QStringLiteral("Old"));
    f.manager.slotAssignProfile(QStringLiteral("Old"));
    QVERIFY(saveSlotList(f.host.working));
    const QStringList library = f.host.library;

    // The slot names cannot be stored: the rename is undone.
    linkInPlaceOf(globalConfigPath());
    f.manager.slotRenameProfile(QStringLiteral("New"));
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages.first().second.contains(QDir::toNativeSeparators(globalConfigPath())),
             qPrintable(f.messages.first().second));
    QVERIFY(exists(QStringLiteral("Old")));
    QVERIFY(!exists(QStringLiteral("New")));
    QCOMPARE(f.host.working.names[0], QStringLiteral("Old"));
    QCOMPARE(f.host.library, library);

    // Nor can an added profile be: nothing is added.
    f.nameAnswer = QStringLiteral("Fresh");
    f.manager.slotAddProfile();
    QCOMPARE(f.messages.size(), 2);
    QVERIFY(f.messages.last().second.contains(QStringLiteral("Config.ini")));
    QVERIFY(!exists(QStringLiteral("Fresh")));
    QCOMPARE(f.host.library, library);
    QCOMPARE(f.host.working.names[0], QStringLiteral("Old"));
}
