// SPDX-License-Identifier: GPL-2.0-or-later
#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "buttons/buttonassign.h"
#include "buttons/kestbtnwindow.h"
#include "buttons/kestcombokeywindow.h"
#include "buttons/kestfirekeywindow.h"
#include "buttons/kestmacroselect.h"
#include "buttons/kestsinglekeywindow.h"
#include "buttons/keys/functioncatalogue.h"
#include "buttonstestenv.h"
#include "tests/common/messageboxguard.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestmenu.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"

namespace {

// Runs `handle` on the next modal dialog that opens.
void onNextDialog(std::function<void(QDialog *)> handle)
{
    QTimer::singleShot(0, [handle] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        handle(dialog);
    });
}

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text();
    return texts;
}


// A list taller than the panel: at the top and after every whole step of the scroll, each
// row is either wholly inside the visible height or wholly outside it, and the last step
// ends exactly at the end of the list.
void checkWholeRowsAtEveryStep(KestBtnWindow &window, int rows, int visibleHeight)
{
    const int pitch = window.rowPitch();
    QVERIFY(pitch > window.label(0)->height());
    QVERIFY(window.minimumHeight() > visibleHeight);
    const int steps = (window.minimumHeight() - visibleHeight + pitch / 2) / pitch;
    QVERIFY(qAbs(window.minimumHeight() - visibleHeight - steps * pitch) <= steps + 1);
    for (int step = 0; step <= steps; ++step) {
        const int top = step * pitch;
        for (int slot = 0; slot < rows; ++slot) {
            const QRect r = window.label(slot)->geometry().translated(0, -top);
            const bool inside = r.top() >= -1 && r.bottom() <= visibleHeight + 1;
            const bool outside = r.bottom() < 1 || r.top() >= visibleHeight - 1;
            QVERIFY2(inside || outside, qPrintable(QStringLiteral("step %1 row %2 cut").arg(step).arg(slot)));
            if (slot > 0)
                QVERIFY(window.label(slot)->geometry().top() > window.label(slot - 1)->geometry().bottom() + 1);
        }
    }
}

} // namespace

class TstBtnWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<KestPushButton *>(); }

    void init()
    {
        m_env = std::make_unique<ButtonsTestEnv>();
        QVERIFY(m_env->isValid());
        m_env->writeDescription({0, 1, 2, 3, 4, 5, 6});
        m_profile = ProfileRecord{};
        m_profile.BUTTON_INFO[0].Fun = FunLeft;
        m_profile.BUTTON_INFO[1].Fun = FunRight;
        m_profile.BUTTON_INFO[40].Fun = FunScrollUp;
        m_profile.BUTTON_INFO[41].Fun = FunScrollDown;
    }
    void cleanup() { m_env.reset(); }

    void sixPresentSlots_spreadEvenlyAndNumbered()
    {
        m_env->writeDescription({0, 1, -1, 2, 3, -1, 4, 5});
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        window.resize(664, 199);
        window.layoutLabels();
        const double gap = (199 - 180) / 7.0;
        const int present[] = {0, 1, 3, 4, 6, 7};
        for (int c = 0; c < 6; ++c) {
            KestPushButton *label = window.label(present[c]);
            QCOMPARE(label->geometry(), QRect(56, int(gap + gap * c + 30 * c), 220, 30));
            QCOMPARE(int(label->marker()), c + 1);
        }
        QVERIFY(window.label(2)->geometry().isEmpty());
        QVERIFY(window.label(5)->geometry().isEmpty());
        QVERIFY(window.label(8)->geometry().isEmpty());
    }

    void manySlots_useFixedSpacingAndScroll()
    {
        m_env->writeDescription(QVector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
        KestBtnWindow window(&m_profile, nullptr, 1.5);
        window.resize(996, 298);
        window.layoutLabels();
        QCOMPARE(window.label(0)->geometry().left(), 84);
        QCOMPARE(window.label(0)->geometry().size(), QSize(330, 45));
        checkWholeRowsAtEveryStep(window, 12, 298);
    }

    void labelsThatWouldTouch_scrollInstead()
    {
        // Seven labels of 30 pixels do not fit a 199-pixel panel: they keep a small gap.
        m_env->writeDescription({0, 1, 2, 3, 4, 5, 6});
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        window.resize(664, 199);
        window.layoutLabels();
        for (int slot = 1; slot < 7; ++slot)
            QVERIFY(window.label(slot)->geometry().top() > window.label(slot - 1)->geometry().bottom() + 1);
        checkWholeRowsAtEveryStep(window, 7, 199);
    }

    void labels_showFunctionsAndKeepUnofferedCodes()
    {
        m_profile.BUTTON_INFO[2].Fun = FunSniper;
        m_profile.BUTTON_INFO[3].Fun = FunScrollUp; // only a wheel entry names it
        m_profile.BUTTON_INFO[4].Fun = 77;          // unknown
        m_profile.BUTTON_INFO[5].Fun = FunGunFile;
        m_profile.BUTTON_INFO[5].macroname = QStringLiteral("recoil");
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        QCOMPARE(window.label(0)->text(), QStringLiteral("Left"));
        QCOMPARE(window.label(2)->text(), QStringLiteral("SNIPER"));
        QVERIFY(window.label(3)->text().isEmpty());
        QVERIFY(window.label(4)->text().isEmpty());
        QCOMPARE(window.label(5)->text(), QStringLiteral("recoil"));
        QCOMPARE(window.label(40)->text(), QStringLiteral("Scroll Up"));
        QCOMPARE(m_profile.BUTTON_INFO[4].Fun, 77);
    }

    void menus_followTheModel()
    {
        KestBtnWindow full(&m_profile, nullptr, 1.0);
        QCOMPARE(menuTexts(full.mainMenu()),
                 (QStringList{"Left", "Right", "Middle", "Forward", "Back", "Basic", "Windows",
                              "Advance", "Media", "DPI", "Polling Rate", "Macro Manager",
                              "Led Switch", "Button Off"}));
        QCOMPARE(menuTexts(full.wheelMenu()),
                 (QStringList{"Scroll Up", "Scroll Down", "Volume Up", "Volume Down", "Left",
                              "Right", "Middle", "Forward", "Back", "SINGLE KEY", "COMBO KEY"}));
        QCOMPARE(full.mainMenu()->width(), 160);
        // The submenus offer what the catalogue offers, the group's own entries first.
        const auto submenu = [&full](const QString &title) -> QMenu * {
            for (QAction *action : full.mainMenu()->actions()) {
                if (action->menu() && action->text() == title)
                    return action->menu();
            }
            return nullptr;
        };
        QCOMPARE(menuTexts(submenu("Polling Rate")),
                 (QStringList{"Rate Switch", "Rate +", "Rate -"}));
        QCOMPARE(menuTexts(submenu("Advance")), (QStringList{"SINGLE KEY", "COMBO KEY", "FIRE KEY"}));
        QCOMPARE(menuTexts(submenu("DPI")), (QStringList{"DPI Switch", "DPI +", "DPI -"}));
        QCOMPARE(menuTexts(submenu("Windows")).last(), QStringLiteral("Boss Key"));
        QCOMPARE(menuTexts(submenu("Media")).size(), 8);
        QCOMPARE(menuTexts(submenu("Basic")).size(), 8);

        m_env->writeDescription({0, 1, 2}, 1, 1);
        full.rebuildMenu();
        const QStringList reduced = menuTexts(full.mainMenu());
        QVERIFY(!reduced.contains("Macro Manager"));
        QVERIFY(!reduced.contains("Led Switch"));
        QCOMPARE(reduced.last(), QStringLiteral("Button Off"));
    }

    void lastLeftClick_isKeptWithAWarning()
    {
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        QSignalSpy warn(&window, &KestBtnWindow::lastLeftClickRefused);
        QSignalSpy marks(&window, &KestBtnWindow::labelPointed);
        choose(window, 0, FunRight);
        QCOMPARE(warn.count(), 1);
        QCOMPARE(m_profile.BUTTON_INFO[0].Fun, qint32(FunLeft));
        QCOMPARE(window.label(0)->text(), QStringLiteral("Left"));
        // The picture's mark is set and taken away again.
        QCOMPARE(marks.count(), 2);
        QCOMPARE(marks.first().at(1).toBool(), true);
        QCOMPARE(marks.last().at(1).toBool(), false);
        QCOMPARE(window.selectedSlot(), -1);

        m_profile.BUTTON_INFO[3].Fun = FunLeft;
        choose(window, 0, FunRight);
        QCOMPARE(warn.count(), 1);
        QCOMPARE(m_profile.BUTTON_INFO[0].Fun, qint32(FunRight));
        QCOMPARE(window.label(0)->text(), QStringLiteral("Right"));
    }

    void leftOnLeft_neverWarns()
    {
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        QSignalSpy warn(&window, &KestBtnWindow::lastLeftClickRefused);
        choose(window, 0, FunLeft);
        QCOMPARE(warn.count(), 0);
        QCOMPARE(m_profile.BUTTON_INFO[0].Fun, qint32(FunLeft));
    }

    void plainFunction_changesOnlyFun()
    {
        m_profile.BUTTON_INFO[1].LoopNumber = 9;
        m_profile.BUTTON_INFO[1].Res2 = 3;
        ButtonInfo expected = m_profile.BUTTON_INFO[1];
        expected.Fun = FunVolumeUp;
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        choose(window, 1, FunVolumeUp);
        QVERIFY(m_profile.BUTTON_INFO[1] == expected);
        QCOMPARE(window.label(1)->text(), QStringLiteral("Volume Up"));
    }

    void cancelledDialogs_leaveTheButtonUntouched()
    {
        m_env->addMacro(QStringLiteral("m1"), 3);
        ButtonInfo &button = m_profile.BUTTON_INFO[2];
        button.Fun = FunComboKey;
        assignComboKey(button, {Key::LeftCtrl, 46});
        button.LoopNumber = 4;
        button.Res3 = 8;
        button.macroname = QStringLiteral("old");
        const ButtonInfo before = button;
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        for (qint32 code : {qint32(FunSingleKey), qint32(FunComboKey), qint32(FunFireKey), qint32(FunMacro)}) {
            onNextDialog([](QDialog *dialog) { dialog->reject(); });
            choose(window, 2, code);
            QVERIFY2(button == before, qPrintable(QString::number(code)));
        }
    }

    void singleKey_okStoresCapturedKey()
    {
        m_profile.BUTTON_INFO[2].Fun = FunSingleKey;
        m_profile.BUTTON_INFO[2].Res1 = 30;
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        onNextDialog([](QDialog *dialog) {
            auto *single = qobject_cast<KestSingleKeyWindow *>(dialog);
            QVERIFY(single);
            QCOMPARE(single->keyText(), QStringLiteral("A")); // prefilled
            single->reportKey(59, 0);                          // F1
            single->accept();
        });
        choose(window, 2, FunSingleKey);
        QCOMPARE(m_profile.BUTTON_INFO[2].Fun, qint32(FunSingleKey));
        QCOMPARE(m_profile.BUTTON_INFO[2].Res1, quint8(59));
        QCOMPARE(window.label(2)->text(), QStringLiteral("F1"));
        QCOMPARE(window.label(2)->toolTip(), QStringLiteral("SINGLE KEY: F1"));
    }

    void comboKey_okStoresShiftA()
    {
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        onNextDialog([](QDialog *dialog) {
            auto *combo = qobject_cast<KestComboKeyWindow *>(dialog);
            QVERIFY(combo);
            combo->reportKey(Key::LeftShift, 0);
            combo->reportKey(30, 0);
            combo->accept();
        });
        choose(window, 40, FunComboKey); // the wheel menu offers it too
        const ButtonInfo &button = m_profile.BUTTON_INFO[40];
        QCOMPARE(button.Fun, qint32(FunComboKey));
        QCOMPARE(button.KeyInfo[0], (KeyInfo{225, 5, 0x80}));
        QCOMPARE(button.KeyInfo[1], (KeyInfo{4, 5, 0x80}));
        QCOMPARE(button.KeyInfo[2], (KeyInfo{4, 5, 0x00}));
        QCOMPARE(button.KeyInfo[3], (KeyInfo{225, 5, 0x00}));
        QCOMPARE(button.KeyInfo[4], KeyInfo{});
    }

    void fireKey_okStoresSourceTimesAndDelay()
    {
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        onNextDialog([](QDialog *dialog) {
            auto *fire = qobject_cast<KestFireKeyWindow *>(dialog);
            QVERIFY(fire);
            fire->setMode(FireMode::Key);
            fire->reportKey(30, 0);
            fire->timesEdit()->setText(QStringLiteral("12"));
            fire->accept();
        });
        choose(window, 3, FunFireKey);
        const ButtonInfo &button = m_profile.BUTTON_INFO[3];
        QCOMPARE(button.Fun, qint32(FunFireKey));
        QCOMPARE(button.Res1, quint8(4));
        QCOMPARE(button.LoopNumber, 12);
        QCOMPARE(button.KeyNumber, 10);
    }

    void macroManager_withoutMacros_goesToTheMacroPage()
    {
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        QSignalSpy gotoMacro(&window, &KestBtnWindow::macroPageWanted);
        const ButtonInfo before = m_profile.BUTTON_INFO[2];
        choose(window, 2, FunMacro);
        QCOMPARE(gotoMacro.count(), 1);
        QCOMPARE(gotoMacro.first().at(0).value<uchar>(), uchar(3));
        QVERIFY(m_profile.BUTTON_INFO[2] == before);
    }

    void macroManager_okBindsTheMacro()
    {
        m_env->addMacro(QStringLiteral("combo run"), 6);
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        onNextDialog([](QDialog *dialog) {
            auto *select = qobject_cast<KestMacroSelect *>(dialog);
            QVERIFY(select);
            QCOMPARE(select->title(), QStringLiteral("MACRO SELECT"));
            select->macroMenu()->actions().first()->trigger();
            select->modeBox(1)->setChecked(true);
            select->accept();
        });
        choose(window, 4, FunMacro);
        const ButtonInfo &button = m_profile.BUTTON_INFO[4];
        QCOMPARE(button.Fun, qint32(FunMacro));
        QCOMPARE(button.macroname, QStringLiteral("combo run"));
        QCOMPARE(button.Res1, quint8(1));
        QCOMPARE(button.KeyNumber, 6);
        QCOMPARE(window.label(4)->text(), QStringLiteral("combo run (repeats while held)"));

        // Choosing again starts from the stored binding.
        onNextDialog([](QDialog *dialog) {
            auto *select = qobject_cast<KestMacroSelect *>(dialog);
            QCOMPARE(select->macroName(), QStringLiteral("combo run"));
            QCOMPARE(select->loopMode(), 1);
            select->reject();
        });
        choose(window, 4, FunMacro);
    }

    void macroManager_tooLongMacro_isRefusedWithAMessage()
    {
        m_env->addMacro(QStringLiteral("long"), KEY_STEPS + 1);
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        const ButtonInfo before = m_profile.BUTTON_INFO[4];
        bool warned = false;
        onNextDialog([&warned](QDialog *dialog) {
            static_cast<KestMacroSelect *>(dialog)->macroMenu()->actions().first()->trigger();
            dialog->accept();
            MessageBoxGuard::current()->expect([&warned](KestMessageBox *box) {
                warned = true;
                box->accept();
            });
        });
        choose(window, 4, FunMacro);
        QVERIFY(warned);
        QVERIFY(m_profile.BUTTON_INFO[4] == before);
    }

    void closingTheMenu_unmarksTheButton()
    {
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        window.show();
        QSignalSpy marks(&window, &KestBtnWindow::labelPointed);
        window.labelPressed(window.label(1));
        window.mainMenu()->popup(QPoint(0, 0));
        window.mainMenu()->hide();
        QCOMPARE(marks.count(), 1);
        QCOMPARE(marks.first().at(0).value<KestPushButton *>(), window.label(1));
        QCOMPARE(marks.first().at(1).toBool(), false);
    }

    void showPage_switchesBetweenFirstAndSecondPage()
    {
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        window.show();
        window.selectSlot(2, 1);
        QCOMPARE(window.selectedSlot(), 22);
        QVERIFY(window.label(22)->isVisible());
        QVERIFY(!window.label(2)->isVisible());
        QVERIFY(!window.label(40)->isVisible());
        window.showPage(0, 0);
        QVERIFY(window.label(2)->isVisible());
        QVERIFY(window.label(41)->isVisible());
        QVERIFY(!window.label(22)->isVisible());
    }

private:
    // What a click on the slot's label followed by a menu choice does.
    void choose(KestBtnWindow &window, int slot, qint32 code)
    {
        window.labelPressed(window.label(slot));
        QAction *action = window.functionAction(code);
        QVERIFY(action);
        action->trigger();
    }

    std::unique_ptr<ButtonsTestEnv> m_env;
    MessageBoxGuard m_boxes;
    ProfileRecord m_profile;
};

QTEST_MAIN(TstBtnWindow)
#include "tst_btnwindow.moc"
