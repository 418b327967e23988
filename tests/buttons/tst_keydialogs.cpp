// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include "buttons/kestcombokeywindow.h"
#include "buttons/kestfirekeywindow.h"
#include "buttons/kestmacroselect.h"
#include "buttons/kestsinglekeywindow.h"
#include "buttons/keys/functioncatalogue.h"
#include "buttonstestenv.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestmenu.h"
#include "widgets/kestpushbutton.h"

namespace {

// X11 native scan codes (evdev + 8).
constexpr quint32 kA = 38, kC = 54, kDigit5 = 14, kLeftShift = 50, kRightCtrl = 105,
                  kLeftAlt = 64, kRightAlt = 108, kUp = 111, kF13 = 191;

// Sends a key the way the windowing system delivers it: to the dialog's window.
void key(QWidget *dialog, QEvent::Type type, quint32 native, int qtKey = 0, const QString &text = {})
{
    QKeyEvent event(type, qtKey, Qt::NoModifier, native, 0, 0, text);
    QCoreApplication::sendEvent(dialog->windowHandle(), &event);
}
void press(QWidget *d, quint32 native, int qtKey = 0, const QString &text = {})
{
    key(d, QEvent::KeyPress, native, qtKey, text);
}
void release(QWidget *d, quint32 native, int qtKey = 0, const QString &text = {})
{
    key(d, QEvent::KeyRelease, native, qtKey, text);
}

// Counts key events that reach a widget.
class KeyCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            ++count;
        return false;
    }
};

bool showDialog(QWidget *dialog)
{
    dialog->show();
    return QTest::qWaitForWindowExposed(dialog);
}

} // namespace

class TstKeyDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_env.isValid()); }

    void singleKey_resultIsLastKeyTouchedEvenWhileHeld()
    {
        KestSingleKeyWindow dialog;
        QCOMPARE(dialog.title(), QStringLiteral("Single Key"));
        QVERIFY(showDialog(&dialog));
        press(&dialog, kA, Qt::Key_A, "a");
        press(&dialog, kRightCtrl, Qt::Key_Control);
        QCOMPARE(int(dialog.capturedKey()), int(Key::RightCtrl));
        QCOMPARE(dialog.keyText(), QStringLiteral("Right Ctrl"));
        // Escape is a key to capture, not a way out of the dialog.
        press(&dialog, 9, Qt::Key_Escape);
        QCOMPARE(int(dialog.capturedKey()), 1);
        QVERIFY(dialog.isVisible());
    }

    void okStaysDisabledUntilSomethingIsCaptured()
    {
        KestSingleKeyWindow single;
        QVERIFY(showDialog(&single));
        QVERIFY(!single.okButton()->isEnabled());
        QVERIFY(single.cancelButton()->isEnabled());
        single.okButton()->click();
        QVERIFY(single.isVisible()); // nothing to store: OK does nothing
        press(&single, kA, Qt::Key_A, "a");
        QVERIFY(single.okButton()->isEnabled());

        KestSingleKeyWindow prefilled;
        prefilled.prefill(KeyCode(30));
        QVERIFY(prefilled.okButton()->isEnabled());

        KestComboKeyWindow combo;
        QVERIFY(showDialog(&combo));
        QVERIFY(!combo.okButton()->isEnabled());
        press(&combo, kLeftShift, Qt::Key_Shift);
        QVERIFY(combo.okButton()->isEnabled());
        KestComboKeyWindow emptyPrefill;
        emptyPrefill.prefill(ButtonInfo());
        QVERIFY(!emptyPrefill.okButton()->isEnabled());

        // The fire key: a mouse mode has its button; the Keyboard Key mode needs a key.
        KestFireKeyWindow fire;
        QVERIFY(showDialog(&fire));
        QVERIFY(fire.okButton()->isEnabled());
        fire.modeBox(FireMode::Key)->click();
        QVERIFY(!fire.okButton()->isEnabled());
        fire.okButton()->click();
        QVERIFY(fire.isVisible());
        press(&fire, kC, Qt::Key_C, "c");
        QVERIFY(fire.okButton()->isEnabled());
        fire.modeBox(FireMode::Right)->click();
        QVERIFY(fire.okButton()->isEnabled());
        fire.modeBox(FireMode::Key)->click();
        QVERIFY(!fire.okButton()->isEnabled());
    }

    void singleKey_unnamedKeyIsCapturedWithEmptyLabel()
    {
        KestSingleKeyWindow dialog;
        dialog.prefill(30);
        QCOMPARE(dialog.keyText(), QStringLiteral("A"));
        QVERIFY(showDialog(&dialog));
        press(&dialog, kF13, Qt::Key_F13);
        QCOMPARE(int(dialog.capturedKey()), 0);
        QVERIFY(dialog.keyText().isEmpty());
    }

    void combo_rightCtrlAndA_showsLeftNameAndStoresCtrl()
    {
        KestComboKeyWindow dialog;
        QVERIFY(showDialog(&dialog));
        press(&dialog, kRightCtrl, Qt::Key_Control);
        press(&dialog, kA, Qt::Key_A, "a");
        release(&dialog, kA, Qt::Key_A, "a");
        release(&dialog, kRightCtrl, Qt::Key_Control);
        QCOMPARE(dialog.keyText(), QStringLiteral("Left Ctrl + A"));
        QCOMPARE(dialog.comboKeys(), (QVector<KeyCode>{Key::LeftCtrl, 30}));
    }

    void combo_keysReachNoWidget()
    {
        KestComboKeyWindow dialog;
        QVERIFY(showDialog(&dialog));
        KeyCounter counter;
        dialog.installEventFilter(&counter);
        dialog.okButton()->installEventFilter(&counter);
        press(&dialog, 65, Qt::Key_Space, " ");
        press(&dialog, 36, Qt::Key_Return, "\r");
        press(&dialog, 9, Qt::Key_Escape);
        QCOMPARE(counter.count, 0);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.keyText(), QStringLiteral("Esc"));
    }

    void combo_shiftAlone_staysShownAfterRelease()
    {
        KestComboKeyWindow dialog;
        QVERIFY(showDialog(&dialog));
        press(&dialog, kLeftShift, Qt::Key_Shift);
        release(&dialog, kLeftShift, Qt::Key_Shift);
        QCOMPARE(dialog.keyText(), QStringLiteral("Left Shift"));
        QCOMPARE(dialog.comboKeys(), (QVector<KeyCode>{Key::LeftShift}));
    }

    void combo_rightAltCountsAsPressAndIsStoredAsLeftAlt()
    {
        KestComboKeyWindow dialog;
        QVERIFY(showDialog(&dialog));
        press(&dialog, kRightAlt, Qt::Key_AltGr);
        press(&dialog, kC, Qt::Key_C, "c");
        QCOMPARE(dialog.keyText(), QStringLiteral("Left Alt + C"));
        QCOMPARE(dialog.comboKeys(), (QVector<KeyCode>{Key::LeftAlt, 46}));
    }

    void combo_extendedKeyWithAltHeld_isAPress()
    {
        KestComboKeyWindow dialog;
        QVERIFY(showDialog(&dialog));
        press(&dialog, kLeftAlt, Qt::Key_Alt);
        press(&dialog, kUp, Qt::Key_Up);
        QCOMPARE(dialog.keyText(), QStringLiteral("Left Alt + Up"));
        QCOMPARE(dialog.comboKeys(), (QVector<KeyCode>{Key::LeftAlt, 72}));
    }

    void combo_prefillShownUntilFirstKeyThenReplaced()
    {
        ButtonInfo button;
        assignComboKey(button, {Key::LeftCtrl, Key::LeftAlt, 46});
        KestComboKeyWindow dialog;
        dialog.prefill(button);
        QCOMPARE(dialog.keyText(), QStringLiteral("Left Ctrl + Left Alt + C"));
        QCOMPARE(dialog.comboKeys(), (QVector<KeyCode>{Key::LeftCtrl, Key::LeftAlt, 46}));
        QVERIFY(showDialog(&dialog));
        press(&dialog, kLeftShift, Qt::Key_Shift);
        press(&dialog, kA, Qt::Key_A, "a");
        QCOMPARE(dialog.keyText(), QStringLiteral("Left Shift + A"));
        QCOMPARE(dialog.comboKeys(), (QVector<KeyCode>{Key::LeftShift, 30}));
    }

    void fire_prefillFromStoredAssignment()
    {
        ButtonInfo button;
        button.Fun = FunFireKey;
        button.Res1 = FIRE_RIGHT;
        KestFireKeyWindow dialog;
        QCOMPARE(dialog.title(), QStringLiteral("FireKey Setting"));
        dialog.prefill(button);
        QCOMPARE(dialog.mode(), FireMode::Right);
        QVERIFY(dialog.modeBox(FireMode::Right)->isChecked());
        QCOMPARE(dialog.timesEdit()->text(), QStringLiteral("3"));
        QCOMPARE(dialog.delayEdit()->text(), QStringLiteral("10"));

        button.Res1 = 4; // usage of A
        button.LoopNumber = 7;
        button.KeyNumber = 40;
        KestFireKeyWindow keyed;
        keyed.prefill(button);
        QCOMPARE(keyed.mode(), FireMode::Key);
        QCOMPARE(int(keyed.capturedKey()), 30);
        QCOMPARE(keyed.keyText(), QStringLiteral("A"));
        QCOMPARE(keyed.times(), 7);
        QCOMPARE(keyed.delay(), 40);

        button.Res1 = 0; // stored zero: left button
        KestFireKeyWindow left;
        left.prefill(button);
        QCOMPARE(left.mode(), FireMode::Left);
    }

    void fire_digitTypedIntoTimesIsNotCaptured()
    {
        KestFireKeyWindow dialog;
        QVERIFY(showDialog(&dialog));
        dialog.activateWindow();
        dialog.setMode(FireMode::Key);
        press(&dialog, kA, Qt::Key_A, "a");
        QCOMPARE(int(dialog.capturedKey()), 30);

        dialog.timesEdit()->setFocus();
        dialog.timesEdit()->clear();
        press(&dialog, kDigit5, Qt::Key_5, "5");
        release(&dialog, kDigit5, Qt::Key_5, "5");
        QCOMPARE(dialog.timesEdit()->text(), QStringLiteral("5"));
        QCOMPARE(int(dialog.capturedKey()), 30);

        // Return leaves the field; its release is not taken for the key either.
        press(&dialog, 36, Qt::Key_Return, "\r");
        QVERIFY(!dialog.timesEdit()->hasFocus());
        release(&dialog, 36, Qt::Key_Return, "\r");
        QCOMPARE(int(dialog.capturedKey()), 30);
        QCOMPARE(dialog.times(), 5);
    }

    void fire_mouseModesCaptureNothing()
    {
        KestFireKeyWindow dialog;
        QVERIFY(showDialog(&dialog));
        dialog.setMode(FireMode::Key);
        press(&dialog, kA, Qt::Key_A, "a");
        dialog.setMode(FireMode::Middle);
        QCOMPARE(int(dialog.capturedKey()), 0);
        QVERIFY(dialog.keyText().isEmpty());
        press(&dialog, kC, Qt::Key_C, "c");
        QCOMPARE(int(dialog.capturedKey()), 0);
    }

    void fire_emptyEntriesFallBackToDefaults()
    {
        KestFireKeyWindow dialog;
        dialog.timesEdit()->clear();
        dialog.delayEdit()->setText(QStringLiteral("0"));
        QCOMPARE(dialog.times(), KestFireKeyWindow::kDefaultTimes);
        QCOMPARE(dialog.delay(), KestFireKeyWindow::kDefaultDelay);
    }

    void macroSelect_listsMacrosAndKeepsPrefill()
    {
        ButtonsTestEnv env;
        env.addMacro(QStringLiteral("first"), 2);
        env.addMacro(QStringLiteral("second"), 2);
        removeFromMacroList(QStringLiteral("first")); // leaves a hole in slot 0
        env.addMacro(QStringLiteral("third"), 2);     // fills it

        KestMacroSelect dialog(QStringLiteral("MACRO SELECT"), QStringLiteral("second"), 12, 2);
        QCOMPARE(dialog.macroName(), QStringLiteral("second"));
        QCOMPARE(dialog.macroButton()->text(), QStringLiteral("second"));
        QVERIFY(dialog.okButton()->isEnabled());
        QCOMPARE(dialog.loopCount(), 12);
        QCOMPARE(dialog.loopMode(), 2);
        QVERIFY(dialog.modeBox(2)->isChecked());

        const QList<QAction *> entries = dialog.macroMenu()->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->text(), QStringLiteral("third"));
        QCOMPARE(entries[1]->text(), QStringLiteral("second"));
        entries[0]->trigger();
        QCOMPARE(dialog.macroName(), QStringLiteral("third"));
        QCOMPARE(dialog.macroButton()->text(), QStringLiteral("third"));

        dialog.loopEdit()->clear();
        QCOMPARE(dialog.loopCount(), 1);
    }

    void macroSelect_unknownModeSelectsNone()
    {
        KestMacroSelect dialog(QStringLiteral("MACRO SELECT"), QString(), 1, 7);
        QCOMPARE(dialog.loopMode(), 0);
        for (int mode = 0; mode < 3; ++mode)
            QVERIFY(!dialog.modeBox(mode)->isChecked());
        QVERIFY(dialog.macroName().isEmpty());
        // Without a macro there is nothing to bind: Yes waits for a choice.
        QVERIFY(!dialog.okButton()->isEnabled());
    }

private:
    ButtonsTestEnv m_env;
};

QTEST_MAIN(TstKeyDialogs)
#include "tst_keydialogs.moc"
