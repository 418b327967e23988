// SPDX-License-Identifier: GPL-2.0-or-later
#include <QTest>

#include "buttons/buttonassign.h"
#include "buttons/keys/functioncatalogue.h"
#include "buttonstestenv.h"

class TstButtonAssign : public QObject
{
    Q_OBJECT

private slots:
    void lastClickRule_protectsOnlyTheLastLeft()
    {
        ProfileRecord profile;
        profile.BUTTON_INFO[0].Fun = FunLeft;
        profile.BUTTON_INFO[1].Fun = FunRight;
        QVERIFY(removesLastLeftClick(profile, 0, FunRight));
        QVERIFY(!removesLastLeftClick(profile, 0, FunLeft));  // Left on Left
        QVERIFY(!removesLastLeftClick(profile, 1, FunMiddle)); // not a Left slot

        profile.BUTTON_INFO[3].Fun = FunLeft;
        QVERIFY(!removesLastLeftClick(profile, 0, FunRight));
        // The wheel entries count like any other slot.
        profile.BUTTON_INFO[3].Fun = FunRight;
        profile.BUTTON_INFO[41].Fun = FunLeft;
        QVERIFY(!removesLastLeftClick(profile, 0, FunRight));
    }

    void comboShiftA_givesPressesThenReleasesInReverse()
    {
        ButtonInfo button;
        button.KeyNumber = 9;
        button.KeyInfo[20] = KeyInfo{1, 2, 3}; // stale steps are cleared
        assignComboKey(button, {Key::LeftShift, 30});
        QCOMPARE(button.Fun, qint32(FunComboKey));
        QCOMPARE(button.KeyNumber, 9);
        const KeyInfo expected[] = {{225, 5, 0x80}, {4, 5, 0x80}, {4, 5, 0x00}, {225, 5, 0x00}};
        for (int i = 0; i < KEY_STEPS; ++i)
            QCOMPARE(button.KeyInfo[i], i < 4 ? expected[i] : KeyInfo{});
    }

    void comboCtrlAltC_nestsTheReleases()
    {
        ButtonInfo button;
        assignComboKey(button, {Key::LeftCtrl, Key::LeftAlt, 46});
        const quint8 maps[] = {224, 226, 6, 6, 226, 224};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(button.KeyInfo[i].map, maps[i]);
            QCOMPARE(button.KeyInfo[i].high, quint8(i < 3 ? 0x80 : 0x00));
        }
    }

    void fireSource_mouseButtonsAndKeys()
    {
        QCOMPARE(fireSource(FireMode::Left, 30), FIRE_LEFT);
        QCOMPARE(fireSource(FireMode::Right, 0), FIRE_RIGHT);
        QCOMPARE(fireSource(FireMode::Middle, 0), FIRE_MIDDLE);
        QCOMPARE(fireSource(FireMode::Key, 30), quint8(4));
        QCOMPARE(fireSource(FireMode::Key, Key::LeftButton), quint8(0)); // no HID usage
    }

    void macro_copiesStepsAndKeepsNothingStale()
    {
        ButtonsTestEnv env;
        QVERIFY(env.isValid());
        env.addMacro(QStringLiteral("burst"), 4);
        ButtonInfo button;
        button.ID = 7;
        button.KeyInfo[30] = KeyInfo{9, 9, 9};
        QCOMPARE(assignMacro(button, QStringLiteral("burst"), 5, 1), MacroAssignResult::Assigned);
        QCOMPARE(button.Fun, qint32(FunMacro));
        QCOMPARE(button.macroname, QStringLiteral("burst"));
        QCOMPARE(button.LoopNumber, 5);
        QCOMPARE(button.Res1, quint8(1));
        QCOMPARE(button.KeyNumber, 4);
        QCOMPARE(button.ID, 7);
        QCOMPARE(button.KeyInfo[0], (KeyInfo{MACRO_KEY_DOWN, 4, 0}));
        QCOMPARE(button.KeyInfo[3], (KeyInfo{MACRO_KEY_UP, 5, 0}));
        QCOMPARE(button.KeyInfo[30], KeyInfo{});
    }

    void macro_missingFileGivesNoSteps()
    {
        ButtonsTestEnv env;
        ButtonInfo button;
        QCOMPARE(assignMacro(button, QStringLiteral("gone"), 1, 0), MacroAssignResult::Assigned);
        QCOMPARE(button.Fun, qint32(FunMacro));
        QCOMPARE(button.KeyNumber, 0);
    }

    void bindingTexts_sayWhatEachKindDoes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("plain") << 0 << "Volume Up" << "Volume Up";
        QTest::newRow("single key") << 1 << "K" << "SINGLE KEY: K";
        QTest::newRow("single modifier") << 2 << "Left Shift" << "SINGLE KEY: Left Shift";
        QTest::newRow("combo") << 3 << "Left Ctrl + Left Shift + K" << "COMBO KEY: Left Ctrl + Left Shift + K";
        QTest::newRow("fire left") << 4 << "Left button, 3 shots, 40 ms apart"
                                   << "FIRE KEY: Left button, 3 shots, 40 ms apart";
        QTest::newRow("fire key") << 5 << "F1, 10 shots, 25 ms apart" << "FIRE KEY: F1, 10 shots, 25 ms apart";
        QTest::newRow("macro once") << 6 << "reload (once)" << "Macro: reload (once)";
        QTest::newRow("macro times") << 7 << "reload (5 times)" << "Macro: reload (5 times)";
        QTest::newRow("macro held") << 8 << "reload (repeats while held)" << "Macro: reload (repeats while held)";
        QTest::newRow("macro toggle") << 9 << "reload (repeats until pressed again)"
                                      << "Macro: reload (repeats until pressed again)";
        QTest::newRow("gun file") << 10 << "recoil" << "recoil";
    }

    void bindingTexts_sayWhatEachKindDoes()
    {
        QFETCH(int, kind);
        QFETCH(QString, label);
        QFETCH(QString, toolTip);
        ButtonInfo button;
        constexpr KeyCode kK = 37, kLCtrl = 29, kLShift = 42, kF1 = 59;
        switch (kind) {
        case 0: assignPlainFunction(button, FunVolumeUp); break;
        case 1: assignSingleKey(button, kK); break;
        case 2: assignSingleKey(button, kLShift); break;
        case 3: assignComboKey(button, {kLCtrl, kLShift, kK}); break;
        case 4: assignFireKey(button, FIRE_LEFT, 3, 40); break;
        case 5: assignFireKey(button, fireSource(FireMode::Key, kF1), 10, 25); break;
        case 10:
            button.Fun = FunGunFile;
            button.macroname = QStringLiteral("recoil");
            break;
        default: // the macro's steps do not matter here, only how it repeats
            button.Fun = FunMacro;
            button.macroname = QStringLiteral("reload");
            button.LoopNumber = kind == 7 ? 5 : 1;
            button.Res1 = quint8(kind <= 7 ? 0 : kind - 7);
            break;
        }
        QCOMPARE(bindingLabel(button, false), label);
        QCOMPARE(bindingToolTip(button, false), toolTip);
    }

    void macro_longerThanAButton_isRefusedUnchanged()
    {
        ButtonsTestEnv env;
        env.addMacro(QStringLiteral("fits"), KEY_STEPS);
        env.addMacro(QStringLiteral("long"), KEY_STEPS + 1);
        ButtonInfo button;
        button.Fun = FunRight;
        const ButtonInfo before = button;
        QCOMPARE(assignMacro(button, QStringLiteral("long"), 1, 0), MacroAssignResult::TooLong);
        QVERIFY(button == before);
        QCOMPARE(assignMacro(button, QStringLiteral("fits"), 1, 0), MacroAssignResult::Assigned);
        QCOMPARE(button.KeyNumber, KEY_STEPS);
    }
};

QTEST_GUILESS_MAIN(TstButtonAssign)
#include "tst_buttonassign.moc"
