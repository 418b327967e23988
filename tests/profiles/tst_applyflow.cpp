// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include "app/kestprocessdialog.h"
#include "device/discovery.h"
#include "profilefixture.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "store/profilefiles.h"
#include "widgets/kestmessagebox.h"

class TestApplyFlow : public QObject
{
    Q_OBJECT

private slots:
    void apply_movesPanelValuesIntoWorkingSet_mouseHoldsThem();
    void ok_appliesPanelValuesThenHides();
    void cancel_dropsUnappliedEdits();
    void writeWithoutDevice_failsWithStatus1_nextApplySendsEverything();
    void guiThread_leavesProfileSetsAloneWhileDialogIsOpen();
    void progressDialog_escapeAndClose_ignored_failureStillReported();
    void reset_writesDefaultsToTheMouse();
    void resetAll_sendsEverythingEvenWhenNothingChanged();
    void importExportProfile_roundTripWithTags();
    void importProfile_otherProductOrExistingOrUnsafeName_refused();
    void exportProfile_replacesExistingFile_reportsFailure();
    void importExportConfig_roundTrip_otherProductRefused();
    void apply_fileNotSaved_saysTheMouseHoldsIt();
};

void TestApplyFlow::apply_movesPanelValuesIntoWorkingSet_mouseHoldsThem()
{
    ProfileFixture f;
    f.start();
    f.host.panelValues = [](ConfigRecord &set) {
        set.profiles[0].pollrate = 8;
        set.profiles[0].dpi = 3;
        set.LiftHigh = 2;
    };
    f.manager.apply();
    QCOMPARE(f.host.collects, 1);
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(int(f.working().profiles[0].pollrate), 8);
    QCOMPARE(f.core().lastWritten(), f.working());
    QCOMPARE(int(f.sim->state().reportRate), 8);
    QCOMPARE(int(f.sim->state().activeDpiLevel), 3);
    QCOMPARE(int(f.sim->state().liftHeight), 2);
    QCOMPARE(readDiff(), 0);
    ConfigRecord saved;
    QVERIFY(loadAll(saved).isUsable());
    QCOMPARE(int(saved.profiles[0].pollrate), 8);
}

void TestApplyFlow::ok_appliesPanelValuesThenHides()
{
    ProfileFixture f;
    f.start();
    f.host.panelValues = [](ConfigRecord &set) { set.profiles[0].pollrate = 4; };
    QSignalSpy hidden(&f.manager, &KestProfileManager::hideRequested);
    f.manager.ok();
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(f.host.collects, 1);
    QCOMPARE(int(f.sim->state().reportRate), 4);
}

void TestApplyFlow::cancel_dropsUnappliedEdits()
{
    ProfileFixture f;
    f.start();
    f.working().profiles[0].pollrate = 8;
    const int writes = f.sim->writeCount();
    QSignalSpy hidden(&f.manager, &KestProfileManager::hideRequested);
    f.manager.cancel();
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(int(f.working().profiles[0].pollrate), 1);
    QCOMPARE(f.sim->writeCount(), writes);
}

void TestApplyFlow::writeWithoutDevice_failsWithStatus1_nextApplySendsEverything()
{
    ProfileFixture f;
    f.start();
    f.unplugMouse();
    f.host.panelValues = [](ConfigRecord &set) { set.profiles[0].pollrate = 2; };
    QSignalSpy finished(&f.manager, &KestProfileManager::writeFinished);
    f.manager.apply();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().value<quint8>(), quint8(1));
    // Said, not asked: trying again cannot help until a mouse is there.
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages.first().first, int(KestMessageBox::Warning));
    const QString said = f.messages.first().second;
    QVERIFY2(said.startsWith(QStringLiteral("No mouse was found")), qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("kept on this computer")), qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("access rule")), qPrintable(said));
    QCOMPARE(readDiff(), 1);
    ConfigRecord saved;
    QVERIFY(loadAll(saved).isUsable());
    QCOMPARE(int(saved.profiles[0].pollrate), 2); // the settings are saved all the same

    // Nothing changed since, but the mouse may not hold it: everything goes.
    f.plugMouse();
    f.host.panelValues = nullptr;
    QCOMPARE(f.manager.runWriteSequence(), 0);
    QCOMPARE(int(f.sim->state().reportRate), 2);
    QVERIFY(!(f.sim->state().dpi[1] == KestSimDpiLevel()));
    QCOMPARE(readDiff(), 0);
}

void TestApplyFlow::guiThread_leavesProfileSetsAloneWhileDialogIsOpen()
{
    ProfileFixture f;
    f.start();
    bool sawWriting = false;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] { sawWriting = sawWriting || f.manager.isWriting(); });
    probe.start(0);
    f.manager.apply();
    probe.stop();
    QVERIFY(sawWriting); // the event loop ran while the worker wrote ...
    QCOMPARE(f.host.accessesWhileWriting, 0); // ... and nobody touched the sets meanwhile
    QVERIFY(!f.manager.isWriting());
}

void TestApplyFlow::progressDialog_escapeAndClose_ignored_failureStillReported()
{
    ProfileFixture f;
    f.start();
    // A slow write (a silent mouse makes every report wait for its answer) that then
    // fails: the mouse is pulled halfway.
    f.sim->setSilent(true);
    f.sim->unplugAfterWrites(KestSimDevice::Receiver, 12);
    f.sim->unplugAfterWrites(KestSimDevice::Cable, 12);
    f.host.panelValues = [](ConfigRecord &set) { set.profiles[0].pollrate = 2; };
    int pokes = 0;
    bool stayedOpen = true;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<KestProcessDialog *>(QApplication::activeModalWidget());
        if (!dialog || !f.manager.isWriting() || pokes > 0)
            return;
        ++pokes;
        QTest::keyClick(dialog, Qt::Key_Escape);
        dialog->close();
        stayedOpen = dialog->isVisible() || !f.manager.isWriting();
    });
    probe.start(0);
    QSignalSpy finished(&f.manager, &KestProfileManager::writeFinished);
    f.manager.apply();
    probe.stop();
    QCOMPARE(pokes, 1);
    QVERIFY(stayedOpen);
    QCOMPARE(finished.count(), 1);
    QVERIFY(finished.first().first().value<quint8>() != 0);
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages.first().first, int(KestMessageBox::Warning));
    QVERIFY2(f.messages.first().second.contains(QStringLiteral("kept on this computer")),
             qPrintable(f.messages.first().second));
}

void TestApplyFlow::reset_writesDefaultsToTheMouse()
{
    ProfileFixture f;
    f.start();
    f.host.panelValues = [](ConfigRecord &set) { set.profiles[0].pollrate = 8; };
    f.manager.apply();
    QCOMPARE(int(f.sim->state().reportRate), 8);

    f.manager.resetProfile();
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Are you sure you want reset this profile?")});
    QCOMPARE(int(f.working().profiles[0].pollrate), 1);
    QCOMPARE(f.working().profiles[0].ProfileName, QStringLiteral("Profile 1"));
    QCOMPARE(int(f.sim->state().reportRate), 1);
    ProfileRecord onDisk;
    loadSlotFile(onDisk, QStringLiteral("Profile 1"));
    QCOMPARE(int(onDisk.pollrate), 1);

    f.answer = 0;
    f.working().profiles[0].pollrate = 4;
    f.manager.resetProfile();
    QCOMPARE(int(f.working().profiles[0].pollrate), 4);
}

void TestApplyFlow::resetAll_sendsEverythingEvenWhenNothingChanged()
{
    ProfileFixture f;
    f.start(); // working and last-written both hold the defaults already
    QCOMPARE(f.sim->state().dpi[1], KestSimDpiLevel());
    f.manager.resetAll();
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Are you sure you want reset all profiles?")});
    QVERIFY(!(f.sim->state().dpi[1] == KestSimDpiLevel()));
    QCOMPARE(int(f.sim->state().ledMode), int(f.working().profiles[0].LedMode));
    for (int k = 0; k < SLOT_COUNT; ++k)
        QCOMPARE(f.working().names[k], QStringLiteral("Profile %1").arg(k + 1));
}

void TestApplyFlow::importExportProfile_roundTripWithTags()
{
    ProfileFixture f;
    f.start();
    f.working().profiles[0].pollrate = 2;
    f.working().profiles[0].LED_MODE[3].RGB = KestRgb(10, 20, 30);
    QVERIFY(saveSlotFile(f.working().profiles[0], QStringLiteral("Profile 1")));
    const QString exported = f.path(QStringLiteral("Shared.prof"));
    QVERIFY(f.manager.exportProfileTo(exported));
    QCOMPARE(readProductTag(exported), QStringLiteral("KX-27"));

    QCOMPARE(f.messages.size(), 1); // the export named its file
    f.messages.clear();
    QVERIFY(f.manager.importProfileFrom(exported));
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(f.library().last(), QStringLiteral("Shared"));
    QCOMPARE(readProfileList(), f.library());
    QCOMPARE(f.working().names[0], QStringLiteral("Shared"));
    QCOMPARE(f.working().profiles[0].LED_MODE[3].RGB, KestRgb(10, 20, 30));
    QCOMPARE(int(f.sim->state().reportRate), 2); // imported and written
    // The profile the slot showed before is still what it was.
    ProfileRecord before;
    loadSlotFile(before, QStringLiteral("Profile 1"));
    QCOMPARE(before.ProfileName, QStringLiteral("Profile 1"));
}

void TestApplyFlow::importProfile_otherProductOrExistingOrUnsafeName_refused()
{
    ProfileFixture f;
    f.start();
    const QString foreign = f.path(QStringLiteral("Foreign.prof"));
    QVERIFY(saveProfile(0, f.working().profiles[0], foreign));
    QVERIFY(writeProductTag(QStringLiteral("Other Mouse"), foreign));
    QVERIFY(!f.manager.importProfileFrom(foreign));
    const QString untagged = f.path(QStringLiteral("Untagged.prof"));
    QVERIFY(saveProfile(0, f.working().profiles[0], untagged));
    QVERIFY(!f.manager.importProfileFrom(untagged));
    QCOMPARE(f.messageTexts(), (QStringList{QStringLiteral("The file is not match current mouse!"), QStringLiteral("The file is not match current mouse!")}));

    QDir().mkpath(f.path(QStringLiteral("elsewhere")));
    const QString duplicate = f.path(QStringLiteral("elsewhere/Profile 2.prof"));
    QVERIFY(saveProfile(0, f.working().profiles[0], duplicate));
    QVERIFY(writeProductTag(QStringLiteral("KX-27"), duplicate));
    const int writes = f.sim->writeCount();
    QVERIFY(!f.manager.importProfileFrom(duplicate));
    QCOMPARE(f.messageTexts().last(), QStringLiteral("Profile Exist!"));
    QCOMPARE(f.sim->writeCount(), writes);
    QCOMPARE(f.library().size(), SLOT_COUNT);
}

void TestApplyFlow::exportProfile_replacesExistingFile_reportsFailure()
{
    ProfileFixture f;
    f.start();
    const QString target = f.path(QStringLiteral("out.prof"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("not a profile");
    old.close();
    QVERIFY(f.manager.exportProfileTo(target));
    ProfileRecord exported;
    QVERIFY(loadProfile(0, exported, target).isUsable());
    QCOMPARE(exported, f.working().profiles[0]);
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages.first().first, int(KestMessageBox::Notice));
    QVERIFY(f.messages.first().second.contains(QDir::toNativeSeparators(target)));

    // A bare name gets the suffix the import looks for.
    QVERIFY(f.manager.exportProfileTo(f.path(QStringLiteral("bare"))));
    QVERIFY(QFileInfo(f.path(QStringLiteral("bare.prof"))).isFile());
    QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("bare"))));
    QVERIFY(f.messages.last().second.contains(QStringLiteral("bare.prof")));

    f.messages.clear();
    QVERIFY(!f.manager.exportProfileTo(f.path(QStringLiteral("out.prof/inside.prof"))));
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages.first().first, int(KestMessageBox::Warning));
    QVERIFY(f.messages.first().second.contains(QStringLiteral("inside.prof")));
}

void TestApplyFlow::importExportConfig_roundTrip_otherProductRefused()
{
    ProfileFixture f;
    f.start();
    f.working().profiles[0].pollrate = 2;
    f.working().profiles[3].BUTTON_INFO[4].Fun = 48;
    f.working().Debounce = 12;
    const QString conf = f.path(QStringLiteral("all.conf"));
    QVERIFY(f.manager.exportConfigTo(conf));
    QCOMPARE(readProductTag(conf), QStringLiteral("KX-27"));
    QCOMPARE(f.messages.size(), 1);
    f.messages.clear();

    ConfigRecord exported = f.working();
    f.working().profiles[0].pollrate = 8;
    f.working().profiles[3].BUTTON_INFO[4].Fun = 1;
    f.working().Debounce = 1;
    QVERIFY(f.manager.importConfigFrom(conf));
    QVERIFY(f.host.lastRefresh & KestProfileHost::ShowLighting);
    QCOMPARE(f.working(), exported); // the slots keep their names
    QCOMPARE(int(f.sim->state().reportRate), 2);
    ConfigRecord saved;
    QVERIFY(loadAll(saved).isUsable());
    QCOMPARE(saved.profiles[3].BUTTON_INFO[4].Fun, 48);

    QVERIFY(writeProductTag(QStringLiteral("Other Mouse"), conf));
    const int writes = f.sim->writeCount();
    QVERIFY(!f.manager.importConfigFrom(conf));
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("The file is not match current mouse!")});
    QCOMPARE(f.sim->writeCount(), writes);
}

// The mouse took the settings but the disk did not: the two disagree, and the user is told
// which file and why.
void TestApplyFlow::apply_fileNotSaved_saysTheMouseHoldsIt()
{
    ProfileFixture f;
    f.start();
    const QString file = profileFilePath(QStringLiteral("Profile 1"));
    QVERIFY(QFile::rename(file, file + QStringLiteral(".real")));
    QVERIFY(QFile::link(file + QStringLiteral(".real"), file));
    f.host.panelValues = [](ConfigRecord &set) { set.profiles[0].pollrate = 8; };
    f.manager.apply();
    QCOMPARE(int(f.sim->state().reportRate), 8);
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages.first().first, int(KestMessageBox::Warning));
    const QString said = f.messages.first().second;
    QVERIFY2(said.startsWith(QStringLiteral("The mouse holds the new settings")), qPrintable(said));
    QVERIFY2(said.contains(QDir::toNativeSeparators(file)), qPrintable(said));
    QVERIFY2(!said.contains(QStringLiteral("kept on this computer")), qPrintable(said));
}

int runApplyFlowTests(int argc, char **argv)
{
    TestApplyFlow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_applyflow.moc"
