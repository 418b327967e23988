// SPDX-License-Identifier: GPL-2.0-or-later
// The button window keeps a slot within the twelve macros the mouse holds.

#include <functional>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "buttons/kestbtnwindow.h"
#include "buttons/kestmacroselect.h"
#include "buttons/keys/functioncatalogue.h"
#include "tests/buttons/buttonstestenv.h"
#include "widgets/kestmenu.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"

namespace {

QString macro(int i) { return QStringLiteral("m%1").arg(i); }

// Picks `name` in the macro dialog that the next choice opens, and records the text of a
// message box that follows it.
void pickInNextDialog(const QString &name, QString *message)
{
    QTimer::singleShot(0, [name, message] {
        auto *select = qobject_cast<KestMacroSelect *>(QApplication::activeModalWidget());
        QVERIFY(select);
        for (QAction *action : select->macroMenu()->actions()) {
            if (action->text() == name)
                action->trigger();
        }
        QCOMPARE(select->macroName(), name);
        QTimer::singleShot(0, [message] {
            if (auto *box = qobject_cast<KestMessageBox *>(QApplication::activeModalWidget())) {
                for (QLabel *label : box->findChildren<QLabel *>())
                    *message += label->text();
                box->done(0);
            }
        });
        select->accept();
    });
}

} // namespace

class TestMacroCap : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env = std::make_unique<ButtonsTestEnv>();
        QVERIFY(m_env->isValid());
        m_env->writeDescription({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
        for (int i = 0; i <= 12; ++i)
            m_env->addMacro(macro(i), 4);
        m_profile = ProfileRecord{};
        m_profile.BUTTON_INFO[0].Fun = FunLeft;
        // Twelve distinct macros, one of them on two buttons and one on the wheel.
        for (int i = 1; i <= 11; ++i) {
            m_profile.BUTTON_INFO[size_t(i)].Fun = FunMacro;
            m_profile.BUTTON_INFO[size_t(i)].macroname = macro(i);
        }
        m_profile.BUTTON_INFO[12] = m_profile.BUTTON_INFO[1];
        m_profile.BUTTON_INFO[40].Fun = FunGunFile;
        m_profile.BUTTON_INFO[40].macroname = macro(0);
    }

    void thirteenthDistinctMacro_isRefusedWithAMessage()
    {
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        const ButtonInfo before = m_profile.BUTTON_INFO[13];
        QString message;
        pickInNextDialog(macro(12), &message);
        choose(window, 13, FunMacro);
        QVERIFY2(message.contains(QLatin1String("The mouse holds twelve macros, and this profile already uses twelve.")),
                 qPrintable(message));
        QVERIFY(m_profile.BUTTON_INFO[13] == before);
    }

    void macroTheSlotAlreadyUses_orAReplacement_isBound()
    {
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        QString message;
        pickInNextDialog(macro(5), &message);
        choose(window, 13, FunMacro);
        QVERIFY(message.isEmpty());
        QCOMPARE(m_profile.BUTTON_INFO[13].macroname, macro(5));

        // Button 3 holds the only use of m3: giving it m12 keeps the count at twelve.
        pickInNextDialog(macro(12), &message);
        choose(window, 3, FunMacro);
        QVERIFY(message.isEmpty());
        QCOMPARE(m_profile.BUTTON_INFO[3].macroname, macro(12));
    }

    void buttonsTheMouseDoesNotReceive_doNotCount()
    {
        // m11 only on a button this model lacks: eleven on the mouse, so a twelfth fits.
        m_profile.BUTTON_INFO[30] = m_profile.BUTTON_INFO[11];
        m_profile.BUTTON_INFO[11] = ButtonInfo{};
        m_profile.BUTTON_INFO[11].Fun = FunLeft;
        KestBtnWindow window(&m_profile, nullptr, 1.0);
        QString message;
        pickInNextDialog(macro(12), &message);
        choose(window, 13, FunMacro);
        QVERIFY(message.isEmpty());
        QCOMPARE(m_profile.BUTTON_INFO[13].macroname, macro(12));
    }

private:
    static void choose(KestBtnWindow &window, int slot, qint32 code)
    {
        window.labelPressed(window.label(slot));
        QAction *action = window.functionAction(code);
        QVERIFY(action);
        action->trigger();
    }

    std::unique_ptr<ButtonsTestEnv> m_env;
    ProfileRecord m_profile;
};

QTEST_MAIN(TestMacroCap)
#include "tst_macrocap.moc"
