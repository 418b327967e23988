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
} // namespace

class TestProfileManager : public QObject
{
    Q_OBJECT

private slots:
    void add_withProfile1To5Present_createsProfile6FromTemplate();
    void delete_lastEntry_selectsTheOneBefore();
    void delete_singleEntryOrDefaultName_refused();
    void delete_answeredNo_changesNothing();
    void rename_defaultOrExistingOrUnsafeName_refused();
    void assign_otherSlotsProfile_refused_ownReloads();
    void add_asksForTheNameFirst_data();
    void add_asksForTheNameFirst();
    void add_saysWhatItDoes_canStartFromCurrentSettings();
    void copy_asksForTheName();
    void rename_defaultProfile_keepsItsFile_namesALibraryCopy();
    void unappliedEdits_askedOnce_data();
    void unappliedEdits_askedOnce();
};

void TestProfileManager::add_withProfile1To5Present_createsProfile6FromTemplate()
{
    ProfileFixture f;
    f.start();
    f.working().profiles[0].pollrate = 8; // unapplied edit of the slot's old profile
    f.manager.addProfile();
    QCOMPARE(f.suggestedNames, QStringList{QStringLiteral("Profile 6")});

    QVERIFY(exists(QStringLiteral("Profile 6")));
    QCOMPARE(f.library().last(), QStringLiteral("Profile 6"));
    QCOMPARE(readProfileList(), f.library());
    QCOMPARE(f.working().names[0], QStringLiteral("Profile 6"));
    ProfileRecord expected;
    QVERIFY(loadProfile(0, expected, templatePath()).isUsable());
    expected.ProfileName = QStringLiteral("Profile 6");
    QCOMPARE(f.working().profiles[0], expected);
    QCOMPARE(f.host.lastRefresh, KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
    QVERIFY(f.messages.isEmpty());
}

void TestProfileManager::delete_lastEntry_selectsTheOneBefore()
{
    ProfileFixture f;
    f.start();
    f.addLibraryProfile(QStringLiteral("A"));
    f.addLibraryProfile(QStringLiteral("B"));
    f.manager.assignProfile(QStringLiteral("B"));

    f.manager.deleteProfile();
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Are you sure you want delete this profile?")});
    QVERIFY(!exists(QStringLiteral("B")));
    QVERIFY(!f.library().contains(QStringLiteral("B")));
    QCOMPARE(f.working().names[0], QStringLiteral("A"));
    QCOMPARE(readProfileList(), f.library());
}

void TestProfileManager::delete_singleEntryOrDefaultName_refused()
{
    {
        ProfileFixture f;
        f.start();
        f.library().clear();
        f.addLibraryProfile(QStringLiteral("Only"));
        f.working().names[0] = QStringLiteral("Only");
        f.manager.deleteProfile();
        QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("AT LEAST ONE PROFILE TO BE RETAINED.")});
        QVERIFY(exists(QStringLiteral("Only")));
    }
    ProfileFixture g;
    g.start();
    g.manager.deleteProfile();
    QCOMPARE(g.messageTexts(), QStringList{QStringLiteral("The default Profile cannot be deleted.")});
    QVERIFY(exists(QStringLiteral("Profile 1")));
    QCOMPARE(g.messages.first().first, int(KestMessageBox::Warning));
}

void TestProfileManager::delete_answeredNo_changesNothing()
{
    ProfileFixture f;
    f.start();
    f.addLibraryProfile(QStringLiteral("Keep"));
    f.manager.assignProfile(QStringLiteral("Keep"));
    f.answer = 0;
    const QStringList before = f.library();
    f.manager.deleteProfile();
    QCOMPARE(f.library(), before);
    QVERIFY(exists(QStringLiteral("Keep")));
    QCOMPARE(f.working().names[0], QStringLiteral("Keep"));
}

void TestProfileManager::rename_defaultOrExistingOrUnsafeName_refused()
{
    ProfileFixture f;
    f.start();
    f.addLibraryProfile(QStringLiteral("Mine"));
    f.addLibraryProfile(QStringLiteral("Taken"));
    f.manager.assignProfile(QStringLiteral("Mine"));
    f.manager.renameProfile(QStringLiteral("Taken"));
    QCOMPARE(f.messageTexts().last(), QStringLiteral("Profile Exist!"));
    QCOMPARE(f.host.lastRefresh, int(KestProfileHost::RefreshNames)); // the old name goes back
    QVERIFY(exists(QStringLiteral("Mine")));

    const int before = f.messages.size();
    for (const QString &bad : {QString(), QStringLiteral(".."), QStringLiteral("../Outside"),
                               QStringLiteral("sub/dir")}) {
        f.manager.renameProfile(bad);
        QVERIFY(exists(QStringLiteral("Mine")));
    }
    QCOMPARE(f.messages.size(), before + 4);
    QVERIFY(!QFileInfo::exists(configFolder() + QStringLiteral("/KX-27/Outside.prof")));
    QCOMPARE(f.working().names[0], QStringLiteral("Mine"));
}

void TestProfileManager::assign_otherSlotsProfile_refused_ownReloads()
{
    ProfileFixture f;
    f.start();
    f.manager.assignProfile(QStringLiteral("Profile 3"));
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Profile is Already Used!")});
    QCOMPARE(f.working().names[0], QStringLiteral("Profile 1"));

    f.working().profiles[0].pollrate = 8;
    f.manager.assignProfile(QStringLiteral("Profile 1"));
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(int(f.working().profiles[0].pollrate), 1); // reloaded from its file
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
    f.start();
    f.nameAnswer = answer;
    f.library() << QStringLiteral("Listed"); // in the list, its file not written yet
    const QStringList before = f.library();
    const ProfileRecord shown = f.working().profiles[0];

    f.manager.addProfile();

    QCOMPARE(f.suggestedNames.size(), 1);
    QCOMPARE(f.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (created.isEmpty()) {
        // Nothing on screen is replaced before the name is settled.
        QCOMPARE(f.library(), before);
        QCOMPARE(f.working().profiles[0], shown);
        QCOMPARE(f.working().names[0], QStringLiteral("Profile 1"));
        return;
    }
    QVERIFY(exists(created));
    QCOMPARE(f.library().last(), created);
    QCOMPARE(f.working().names[0], created);
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
        f.start();
        f.addLibraryProfile(QStringLiteral("Gaming"));
        f.host.unapplied = true;
        f.host.panelValues = [](ConfigRecord &set) { set.profiles[0].pollrate = 2; };
        f.answer = answer;
        f.nameAnswer = QStringLiteral("Fresh");

        if (add)
            f.manager.addProfile();
        else
            f.manager.assignProfile(QStringLiteral("Gaming"));

        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages.first().first, int(KestMessageBox::Choice));
        QCOMPARE(f.messages.first().second, QStringLiteral("Apply the changes to Profile 1 first?"));
        QCOMPARE(f.host.collects, written ? 1 : 0);
        QCOMPARE(f.host.discards, discards);
        // Apply saves the edit under the profile it was made to before the slot moves on.
        ProfileRecord saved;
        loadSlotFile(saved, QStringLiteral("Profile 1"));
        QCOMPARE(saved.pollrate == 2, written);
        QCOMPARE(f.working().names[0],
                 goesOn ? (add ? QStringLiteral("Fresh") : QStringLiteral("Gaming"))
                        : QStringLiteral("Profile 1"));
        QCOMPARE(f.suggestedNames.size(), add && goesOn ? 1 : 0);
    }
}

void TestProfileManager::add_saysWhatItDoes_canStartFromCurrentSettings()
{
    ProfileFixture f;
    f.start();
    f.working().profiles[0].pollrate = 8;
    QVERIFY(saveSlotFile(f.working().profiles[0], QStringLiteral("Profile 1")));
    f.nameAnswer = QStringLiteral("Tuned");
    f.startFromCurrent = true;
    f.manager.addProfile();
    QCOMPARE(f.namePrompts.size(), 1);
    QVERIFY2(f.namePrompts.first().contains(QStringLiteral("in place of \"Profile 1\"")),
             qPrintable(f.namePrompts.first()));
    QCOMPARE(f.working().names[0], QStringLiteral("Tuned"));
    QCOMPARE(int(f.working().profiles[0].pollrate), 8);
    ProfileRecord tuned;
    QVERIFY(loadSlotFile(tuned, QStringLiteral("Tuned")));
    QCOMPARE(int(tuned.pollrate), 8);
    QCOMPARE(tuned.ProfileName, QStringLiteral("Tuned"));
    QVERIFY(f.host.lastRefresh & KestProfileHost::RefreshPanels);
}

void TestProfileManager::copy_asksForTheName()
{
    ProfileFixture f;
    f.start();
    f.nameAnswer = QString(); // cancelled: nothing copied
    f.manager.copyProfile();
    QCOMPARE(f.suggestedNames, QStringList{QStringLiteral("Profile 1 copy")});
    QCOMPARE(f.library().size(), SLOT_COUNT);
    QVERIFY(!exists(QStringLiteral("Profile 1 copy")));

    f.nameAnswer = QStringLiteral("Profile 2"); // taken
    f.manager.copyProfile();
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Profile Exist!")});

    f.nameAnswer = QStringLiteral("Spare");
    f.manager.copyProfile();
    QVERIFY(exists(QStringLiteral("Spare")));
    QCOMPARE(f.working().names[0], QStringLiteral("Spare"));
    QVERIFY(exists(QStringLiteral("Profile 1")));
}

// A default profile cannot change its name, but the slot can: its settings become a
// library profile under the new name, and "Profile 1" stays on disk and in the library.
void TestProfileManager::rename_defaultProfile_keepsItsFile_namesALibraryCopy()
{
    ProfileFixture f;
    f.start();
    QFile original(profileFilePath(QStringLiteral("Profile 1")));
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();
    f.working().profiles[0].pollrate = 4;

    f.nameAnswer = QStringLiteral("Aim");
    f.manager.nameSlot(); // the pencil
    QCOMPARE(f.suggestedNames, QStringList{QStringLiteral("Profile 1")});
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(f.working().names[0], QStringLiteral("Aim"));
    ProfileRecord aim;
    QVERIFY(loadSlotFile(aim, QStringLiteral("Aim")));
    QCOMPARE(int(aim.pollrate), 4);
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(original.readAll(), before);
    QVERIFY(f.library().contains(QStringLiteral("Profile 1")));
    QCOMPARE(f.library().last(), QStringLiteral("Aim"));
    QCOMPARE(readProfileList(), f.library());
    ConfigRecord restarted;
    QVERIFY(loadAll(restarted).isUsable());
    QCOMPARE(restarted.names[0], QStringLiteral("Aim"));
}

