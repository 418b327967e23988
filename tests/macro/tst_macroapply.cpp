// SPDX-License-Identifier: GPL-2.0-or-later
// From the keyboard to the mouse: a macro recorded on the MACRO page, bound to a button in
// the button window and applied, lands in the simulated mouse's macro memory.

#include <memory>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "app/mousecfgwidget.h"
#include "buttons/kestbtnwindow.h"
#include "buttons/kestmacroselect.h"
#include "buttons/keys/functioncatalogue.h"
#include "device/buttonupload.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestbatteryreader.h"
#include "device/sim/kestsimmouse.h"
#include "device/macrowire.h"
#include "macro/macrodialog.h"
#include "platform/pointerspeed.h"
#include "store/appdir.h"
#include "store/macrodb.h"
#include "widgets/kestmenu.h"
#include "widgets/kestpushbutton.h"
#include "tests/common/appfixture.h"
#include "macrosteps_testing.h"

namespace {
// X11 reports the evdev code + 8 as the native scan code; evdev codes are set-1 codes.
constexpr quint32 kX11Offset = 8;

// Key events enter the application at its window, where the keyboard capture takes them.
void typeKey(QWindow *target, Qt::Key key, quint32 setOneCode, const QString &text, bool press)
{
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier,
                    setOneCode + kX11Offset, 0, 0, text);
    QApplication::sendEvent(target, &event);
}
} // namespace

class MacroApplyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        useFastLinkForWindowTests();
    }

    void init()
    {
        m_app = std::make_unique<QTemporaryDir>(m_tmp.path() + QStringLiteral("/app-XXXXXX"));
        setApplicationDir(m_app->path());
        QVERIFY(writeSampleAppFolder(m_app->path()));

        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        m_window = std::make_unique<MousecfgWidget>();
        useFastBatteryReader(m_window->core()->batteryReader());
    }

    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    void recordedMacro_reachesTheMouseOnApply()
    {
        auto *page = qobject_cast<MacroDialog *>(m_window->pageItemWidget(MousecfgWidget::MacroEditor));
        QVERIFY(page);
        page->newMacro();
        const QString name = page->currentMacroName();
        QVERIFY(!name.isEmpty());

        // Typed into the window while the page records: the keyboard capture hands them over.
        m_window->winId();
        QWindow *window = m_window->windowHandle();
        QVERIFY(window);
        page->startRecording();
        typeKey(window, Qt::Key_A, 30, QStringLiteral("a"), true);
        typeKey(window, Qt::Key_A, 30, QStringLiteral("a"), true); // auto-repeat
        typeKey(window, Qt::Key_A, 30, QStringLiteral("a"), false);
        typeKey(window, Qt::Key_B, 48, QStringLiteral("b"), true);
        typeKey(window, Qt::Key_B, 48, QStringLiteral("b"), false);
        page->stopRecording();
        const MacroSteps recorded = rows({row(132, 0, 4), row(4, 0, 4), row(132, 0, 5), row(4, 0, 5)});
        QCOMPARE(page->steps(), recorded);

        // Bound to button 2 through the macro selection.
        QWidget *buttonPage = m_window->pageItemWidget(MousecfgWidget::ButtonWindow);
        QVERIFY(buttonPage);
        auto *buttons = buttonPage->findChild<KestBtnWindow *>();
        QVERIFY(buttons);
        QTimer::singleShot(0, [name] {
            auto *select = qobject_cast<KestMacroSelect *>(QApplication::activeModalWidget());
            QVERIFY(select);
            for (QAction *action : select->macroMenu()->actions()) {
                if (action->text() == name)
                    action->trigger();
            }
            select->accept();
        });
        buttons->labelPressed(buttons->label(2));
        buttons->functionAction(FunMacro)->trigger();
        QCOMPARE(buttons->label(2)->text(), name + QStringLiteral(" (once)"));

        apply();

        QVector<KeyInfo> steps;
        for (const MacroAction &action : recorded)
            steps.append(macroActionToKeyInfo(action));
        const MacroSlotBytes expected = layoutMacro(steps);
        const KestSimMouseState state = m_sim->state(); // a copy: the slot must outlive this line
        const auto &slot = state.macros[0];
        QVERIFY(std::equal(expected.begin(), expected.end(), slot.begin()));
        QVERIFY(macroSlotUsed(expected));
    }

private:
    void apply()
    {
        KestPushButton *applyButton = nullptr;
        for (KestPushButton *button : m_window->findChildren<KestPushButton *>()) {
            if (button->text() == QStringLiteral("Apply"))
                applyButton = button;
        }
        QVERIFY(applyButton);
        const int endMarkers = m_sim->state().endMarkers;
        applyButton->click();
        QTRY_VERIFY(m_sim->state().endMarkers > endMarkers);
    }

    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
};

QTEST_MAIN(MacroApplyTest)
#include "tst_macroapply.moc"
