// SPDX-License-Identifier: GPL-2.0-or-later
// The rules dialog: rules picked from the open windows or typed, the default slot, the
// switch, and what it says about the session.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/kestrulesdialog.h"
#include "core/kestfocusswitcher.h"
#include "core/kestmousecore.h"
#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"
#include "store/appdir.h"
#include "tests/app/shellfixture.h"
#include "tests/common/appfixture.h"
#include "widgets/kestpushbutton.h"

namespace {

class FakeWatch final : public platform::FocusWatch
{
public:
    using platform::FocusWatch::FocusWatch;
    bool isActive() const override { return true; }
    platform::FocusWindow current() const override { return {}; }
    QVector<platform::FocusWindow> openWindows() const override
    {
        platform::FocusWindow game{QStringLiteral("steam_app_42"), QStringLiteral("Steam_App_42"),
                                   QStringLiteral("Game.x86_64"), 4242, 1};
        platform::FocusWindow term{QStringLiteral("xterm"), QStringLiteral("XTerm"), QStringLiteral("xterm"), 4243, 2};
        platform::FocusWindow own{QStringLiteral("mousecfg"), QStringLiteral("mousecfg"), QStringLiteral("mousecfg"),
                                  QCoreApplication::applicationPid(), 3};
        // A second window of the same program is offered once.
        return {game, term, own, term};
    }
};

} // namespace

class TestRulesDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_app;

private slots:
    void initTestCase()
    {
        useFastLinkForWindowTests();
        qunsetenv("DISPLAY");
        setApplicationDir(m_app.path());
        writeProductFiles(m_app.path());
        setHidBackend(std::make_shared<KestSimMouse>(true, false));
    }

    void cleanupTestCase() { setHidBackend(nullptr); }

    void editsAndHandsOver()
    {
        KestMouseCore core;
        KestFocusSwitcher *switcher = core.focusSwitcher();
        switcher->setWatch(new FakeWatch);
        QVERIFY(switcher->setRule(QStringLiteral("old"), 1));

        KestRulesDialog dialog(switcher, {QStringLiteral("Desk"), QStringLiteral("Aim")}, nullptr);
        QCOMPARE(dialog.ruleList()->count(), 1);
        QCOMPARE(dialog.programBox()->count(), 2);
        QVERIFY(dialog.programBox()->itemText(0).contains(QStringLiteral("Game.x86_64")));
        QCOMPARE(dialog.slotBox()->itemText(1), QStringLiteral("Profile 2: Aim"));

        // Picked from the open windows: the rule names the window class.
        dialog.programBox()->setCurrentIndex(0);
        dialog.slotBox()->setCurrentIndex(3);
        dialog.addButton()->click();
        // Typed in.
        dialog.programBox()->setEditText(QStringLiteral("  quake3 "));
        dialog.slotBox()->setCurrentIndex(4);
        dialog.addButton()->click();
        dialog.programBox()->setEditText(QString());
        dialog.addButton()->click();
        QCOMPARE(dialog.ruleList()->count(), 3);
        dialog.ruleList()->setCurrentRow(0);
        dialog.removeButton()->click();
        dialog.defaultBox()->setCurrentIndex(dialog.defaultBox()->findData(0));
        dialog.enabledBox()->setChecked(false);
        // Nothing is handed over before OK.
        QCOMPARE(switcher->rules().rules.size(), 1);

        dialog.okButton()->click();
        const KestFocusRules &rules = switcher->rules();
        QCOMPARE(rules.rules.size(), 2);
        QCOMPARE(rules.rules[0].program, QStringLiteral("Steam_App_42"));
        QCOMPARE(rules.rules[0].slot, 3);
        QCOMPARE(rules.rules[1].program, QStringLiteral("quake3"));
        QCOMPARE(rules.rules[1].slot, 4);
        QCOMPARE(rules.defaultSlot, 0);
        QVERIFY(!rules.enabled);
        QCOMPARE(KestFocusRules::load(), rules);
    }

    void saysWhatTheSessionShows()
    {
        QVERIFY(KestRulesDialog::sessionNote(true, "wayland", "GNOME").contains(QStringLiteral("XWayland")));
        QVERIFY(!KestRulesDialog::sessionNote(true, "wayland", "KDE").contains(QStringLiteral("XWayland")));
        QVERIFY(!KestRulesDialog::sessionNote(true, "x11", "GNOME").contains(QStringLiteral("XWayland")));
        QVERIFY(KestRulesDialog::sessionNote(false, "wayland", "sway").contains(QStringLiteral("does not follow")));
    }
};

QTEST_MAIN(TestRulesDialog)
#include "tst_rulesdialog.moc"
