// SPDX-License-Identifier: GPL-2.0-or-later
// The apply flow against a mouse that cannot take everything: what the user is told, what
// is saved, and that the next write puts it right.

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QtTest>

#include "buttons/keys/functioncatalogue.h"
#include "device/discovery.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "store/profilefiles.h"
#include "tests/profiles/profilefixture.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestskin.h"

namespace {

QString macro(int i) { return QStringLiteral("macro_%1").arg(i); }

// Sixteen buttons and the wheel: more macro buttons than the mouse has macros.
void useSixteenButtons(ProfileFixture &f)
{
    QSettings description(f.path(QStringLiteral("DefaultProfile.bin")), QSettings::IniFormat);
    description.setValue(QStringLiteral("PROFILE/MouseDpi"), 0);
    description.setValue(QStringLiteral("PROFILE/ButtonCount"), 16);
}

void bindMacro(ProfileRecord &profile, int button, const QString &name)
{
    ButtonInfo &b = profile.BUTTON_INFO[size_t(button)];
    b.Fun = FunMacro;
    b.macroname = name;
    b.LoopNumber = 1;
    b.Res1 = 0;
}

} // namespace

class TestApplyFaults : public QObject
{
    Q_OBJECT

private slots:
    void faults_writeFailsSaysSoAndTheNextWriteSendsEverything_data()
    {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<int>("status");
        QTest::newRow("silent") << QByteArray("silent") << 2;
        QTest::newRow("wrong-echo") << QByteArray("wrong-echo") << 2;
        QTest::newRow("read-error") << QByteArray("read-error") << 2;
        QTest::newRow("write-error") << QByteArray("write-error") << 4;
        QTest::newRow("unplug-after=4") << QByteArray("unplug-after=4") << 4;
        QTest::newRow("silent and zeros") << QByteArray("zeros,silent") << 2;
    }

    void faults_writeFailsSaysSoAndTheNextWriteSendsEverything()
    {
        QFETCH(QByteArray, fault);
        QFETCH(int, status);
        ProfileFixture f;
        f.start();
        f.working().ProfileID = 3;
        f.working().profiles[3].pollrate = 8;
        f.working().profiles[3].dpi = 2;
        QVERIFY(f.sim->applyFaultSpec(fault));
        QCOMPARE(f.manager.runWriteSequence(), status);
        QCOMPARE(f.messageTexts(), QStringList{KestProfileManager::writeFailureText(status, KestFileResult::saved(QString()))});
        QCOMPARE(readDiff(), 1);
        ConfigRecord saved;
        QVERIFY(loadAll(saved).isUsable());
        QCOMPARE(int(saved.profiles[3].pollrate), 8); // saved all the same

        // A mouse that behaves again (a fresh one after an unplug) gets everything.
        f.plugMouse();
        f.messages.clear();
        QCOMPARE(f.manager.runWriteSequence(), 0);
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(readDiff(), 0);
        const KestSimMouseState s = f.sim->state();
        QCOMPARE(s.beginMarkers, 1);
        QCOMPARE(s.endMarkers, 1);
        QCOMPARE(int(s.reportRate), 8);
        QCOMPARE(int(s.activeDpiLevel), 2);
        QVERIFY(!(s.dpi[0] == KestSimDpiLevel()));
        QVERIFY(!(s.buttons[0] == KestSimButton()));
    }

    void unknownFault_setsNothing()
    {
        ProfileFixture f;
        f.start();
        QVERIFY(!f.sim->applyFaultSpec("silent,sleepy"));
        QVERIFY(!f.sim->applyFaultSpec("unplug-after=0"));
        QVERIFY(!f.sim->applyFaultSpec("unplug-after=x"));
        QVERIFY(f.sim->applyFaultSpec(""));
        QCOMPARE(f.manager.runWriteSequence(), 0);
    }

    void moreMacrosThanTheMouseHolds_oneMessageNamesTheButtons()
    {
        ProfileFixture f;
        useSixteenButtons(f);
        f.start();
        QCOMPARE(readButtonCount(), 16);
        f.working().ProfileID = 2;
        ProfileRecord &slot = f.working().profiles[2];
        for (int i = 0; i < 16; ++i)
            bindMacro(slot, i, macro(i));
        bindMacro(slot, 40, macro(16));
        bindMacro(slot, 41, macro(3)); // a macro that fits, on the wheel as well
        QCOMPARE(f.manager.runWriteSequence(), 0);
        QCOMPARE(f.messageTexts(),
                 QStringList{QStringLiteral("The mouse holds twelve macros. These buttons got no macro: "
                                            "Button 13 (macro_12), Button 14 (macro_13), Button 15 (macro_14), "
                                            "Button 16 (macro_15), Wheel up (macro_16).")});
        QCOMPARE(f.messages.first().first, int(KestMessageBox::Warning));
        // The first twelve are in the mouse.
        for (int k = 0; k < 12; ++k)
            QVERIFY(f.sim->state().macros[size_t(k)][0] != 0);
        QCOMPARE(readDiff(), 0);

        // Within the twelve again: nothing to say.
        f.messages.clear();
        for (int i = 12; i < 16; ++i)
            slot.BUTTON_INFO[size_t(i)].Fun = FunLeft;
        slot.BUTTON_INFO[40].Fun = FunScrollUp;
        QCOMPARE(f.manager.runWriteSequence(), 0);
        QVERIFY(f.messages.isEmpty());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initWidgetResources();
    TestApplyFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_applyfaults.moc"
