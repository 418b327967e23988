// SPDX-License-Identifier: GPL-2.0-or-later
// The window from the keyboard alone: Tab walks each page in reading order and reaches what
// matters there, the keys act on the control Tab reached, the ring shows it, and the bottom
// bar's word on the last write follows the language.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/kestlanguage.h"
#include "app/kestpagestack.h"
#include "app/kestprofilecolumn.h"
#include "app/kestprofilemanager.h"
#include "app/keststatusarea.h"
#include "app/mousecfgwidget.h"
#include "buttons/kestbtnwindow.h"
#include "core/kestmousecore.h"
#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"
#include "macro/kestgunsetdialog.h"
#include "macro/macrodialog.h"
#include "panels/kestpointspeed.h"
#include "shellfixture.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "tests/common/appfixture.h"
#include "tests/common/messageboxguard.h"
#include "widgets/kestfocusring.h"
#include "widgets/kestkeyboardfocus.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestpushbutton.h"

namespace {

QRect rectIn(QWidget *window, QWidget *w)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

QString describe(QWidget *window, QWidget *w)
{
    const QRect r = rectIn(window, w);
    QString text;
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        text = button->text();
    return QStringLiteral("%1 \"%2\" at %3,%4 %5x%6")
        .arg(QString::fromLatin1(w->metaObject()->className()), text)
        .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Whether `next` comes after `previous` when reading: on the same row further right, on a
// later row, or higher up only in a column further right.
bool readsAfter(const QRect &previous, const QRect &next)
{
    constexpr int tolerance = 2;
    const bool sameRow = next.center().y() >= previous.top() && next.center().y() <= previous.bottom()
                         && previous.center().y() >= next.top() && previous.center().y() <= next.bottom();
    if (sameRow)
        return next.left() >= previous.left() - tolerance;
    if (next.top() >= previous.center().y())
        return true;
    return next.left() > previous.right() - tolerance;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("XDG_RUNTIME_DIR", m_tmp.path().toLocal8Bit());
        useFastLinkForWindowTests();
        MousecfgWidget::setTrayProbe([] { return true; });
    }

    void init()
    {
        m_app.reset(new QTemporaryDir(m_tmp.path() + QStringLiteral("/app-XXXXXX")));
        setApplicationDir(m_app->path());
        writeProductFiles(m_app->path());
        m_boxes.reset(new MessageBoxGuard);
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        m_window.reset(new MousecfgWidget);
        restartWithFastBatteryReader(m_window->core());
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
        m_boxes.reset();
    }

    void tab_walksEachPageInReadingOrder_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("lighting") << int(MousecfgWidget::LightingPage);
        QTest::newRow("customize") << int(MousecfgWidget::CustomizePage);
        QTest::newRow("dpi") << int(MousecfgWidget::DpiPage);
        QTest::newRow("macro") << int(MousecfgWidget::MacroPage);
    }

    void tab_walksEachPageInReadingOrder()
    {
        QFETCH(int, page);
        MousecfgWidget *window = m_window.get();
        window->showPage(page);
        QWidget *first = window->profileColumn()->rulesButton();
        first->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), first);

        const QVector<QWidget *> walk = walkFrom(first, true);
        QVERIFY2(!walk.isEmpty(), "Tab never came back to where it started");

        // Bands: the profile column, the strip of tabs, the page, the bottom bar.
        const double scale = window->scaleFactorValue();
        // A control in a panel is in the panel's band.
        const auto band = [&](QWidget *w) {
            while (w->parentWidget() != window)
                w = w->parentWidget();
            const QPointF c = QPointF(w->geometry().center()) / scale;
            return c.x() < 260 ? 0 : c.y() < 74 ? 1 : c.y() >= 560 ? 3 : 2;
        };
        QSet<QWidget *> seen;
        for (int i = 0; i < walk.size(); ++i) {
            QWidget *w = walk[i];
            QVERIFY2(w->isVisible() && w->isEnabled(), qPrintable(describe(window, w)));
            QVERIFY2(!seen.contains(w), qPrintable(QStringLiteral("twice: ") + describe(window, w)));
            seen.insert(w);
            if (i == 0)
                continue;
            QWidget *previous = walk[i - 1];
            QVERIFY2(band(previous) <= band(w),
                     qPrintable(describe(window, previous) + QStringLiteral(" -> ") + describe(window, w)));
            // Within the page each panel is read as a whole, so the step into the next panel
            // may go up; within a band everything else reads on.
            QWidget *panelOfPrevious = previous;
            QWidget *panelOfNext = w;
            while (panelOfPrevious->parentWidget() != window)
                panelOfPrevious = panelOfPrevious->parentWidget();
            while (panelOfNext->parentWidget() != window)
                panelOfNext = panelOfNext->parentWidget();
            const bool samePanel = panelOfPrevious == panelOfNext;
            if (band(previous) == band(w) && (band(w) != 2 || samePanel)) {
                QVERIFY2(readsAfter(rectIn(window, previous), rectIn(window, w)),
                         qPrintable(describe(window, previous) + QStringLiteral(" -> ") + describe(window, w)));
            }
        }

        // Every control one can see and use is on the way (of a group of choices, the one
        // the toolkit lets Tab stop at).
        for (QWidget *stop : KestKeyboardFocus::tabStops(window)) {
            if (stop->isVisible() && stop->isEnabled())
                QVERIFY2(seen.contains(stop), qPrintable(QStringLiteral("missed: ") + describe(window, stop)));
        }
        // The column, the tabs and the bottom bar are on every page.
        QVERIFY(seen.contains(window->pageStack()->tabButton(MousecfgWidget::DpiPage)));
        QVERIFY(seen.contains(findButton(QStringLiteral("Apply"))));
        QVERIFY(seen.contains(window->findChild<QLineEdit *>()));
        // And what the page is for.
        QWidget *panel = nullptr;
        switch (page) {
        case MousecfgWidget::LightingPage: {
            panel = window->pageItemWidget(MousecfgWidget::LightingPanel);
            QVERIFY(containsMenuButton(seen, panel)); // the effect choice
            QVERIFY(containsKind<QSlider>(seen, panel));
            break;
        }
        case MousecfgWidget::CustomizePage:
            panel = window->pageItemWidget(MousecfgWidget::ButtonWindow);
            QVERIFY(containsMenuButton(seen, panel)); // a button's function
            break;
        case MousecfgWidget::DpiPage:
            panel = window->pageItemWidget(MousecfgWidget::DpiPanel);
            QVERIFY(containsKind<QSpinBox>(seen, panel));
            QVERIFY(containsKind<QSlider>(seen, panel));
            QVERIFY(containsMenuButton(seen, window->pageItemWidget(MousecfgWidget::ReportRatePanel)));
            // The lift distance is one setting and is offered once, with the mouse settings.
            QVERIFY(!containsKind<QRadioButton>(seen, window->pageItemWidget(MousecfgWidget::ReportRatePanel)));
            QVERIFY(containsKind<QCheckBox>(seen, window->pageItemWidget(MousecfgWidget::PointSpeedPanel)));
            break;
        case MousecfgWidget::MacroPage:
            panel = window->pageItemWidget(MousecfgWidget::MacroEditor);
            QVERIFY(containsKind<QListWidget>(seen, panel));
            break;
        }

        // Shift+Tab walks the same way back.
        QVector<QWidget *> back = walkFrom(first, false);
        QCOMPARE(back.size(), walk.size());
        std::reverse(back.begin() + 1, back.end());
        QCOMPARE(back, walk);
    }

    void keys_actOnTheControlTabReached()
    {
        MousecfgWidget *window = m_window.get();
        // Space and Enter on a tab.
        QVERIFY(tabTo(window->pageStack()->tabButton(MousecfgWidget::DpiPage)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(window->pageStack()->page(), int(MousecfgWidget::DpiPage));
        QVERIFY(tabTo(window->pageStack()->tabButton(MousecfgWidget::MacroPage)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(window->pageStack()->page(), int(MousecfgWidget::MacroPage));

        // The arrows move a DPI bar and pick the other lift distance.
        window->showPage(MousecfgWidget::DpiPage);
        QSlider *bar = nullptr;
        for (QSlider *s : window->pageItemWidget(MousecfgWidget::DpiPanel)->findChildren<QSlider *>()) {
            if (s->isVisible() && s->value() < s->maximum()) {
                bar = s;
                break;
            }
        }
        QVERIFY(bar);
        QVERIFY(tabTo(bar));
        const int before = bar->value();
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->value(), before + 1);

        // Tab reaches the lift distance the mouse settings show; Space takes it.
        auto *speed = window->findChild<KestPointSpeed *>();
        QVERIFY(speed);
        QCheckBox *twoMm = speed->optionBox(1, false);
        QCheckBox *oneMm = speed->optionBox(1, true);
        QCheckBox *unchecked = twoMm->isChecked() ? oneMm : twoMm;
        QVERIFY(tabTo(unchecked));
        QTest::keyClick(unchecked, Qt::Key_Space);
        QVERIFY(unchecked->isChecked());
        QCOMPARE(oneMm->isChecked(), !twoMm->isChecked());
        QCOMPARE(int(window->core()->collectedSet().LiftHigh), unchecked == oneMm ? 1 : 2);
    }

    void space_onAButtonEntry_assignsThatButton()
    {
        MousecfgWidget *window = m_window.get();
        window->showPage(MousecfgWidget::CustomizePage);
        auto *list = window->findChild<KestBtnWindow *>();
        QVERIFY(list);
        // The pointer chose the first entry before; Tab now reaches the third.
        closeMenuSoon();
        QTest::mouseClick(list->label(0), Qt::LeftButton);
        QCOMPARE(list->selectedSlot(), 0);
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        KestPushButton *third = list->label(2);
        QVERIFY(tabTo(third));
        int slotWhenMenuOpened = -1;
        closeMenuSoon([&] { slotWhenMenuOpened = list->selectedSlot(); });
        QTest::keyClick(third, Qt::Key_Space);
        QTRY_COMPARE(slotWhenMenuOpened, 2);
    }

    void enter_inTheMacroList_opensTheChosenMacro()
    {
        MousecfgWidget *window = m_window.get();
        window->showPage(MousecfgWidget::MacroPage);
        auto *page = window->findChild<MacroDialog *>();
        QVERIFY(page);
        page->newMacro();
        const QString first = page->currentMacroName();
        page->newMacro();
        QVERIFY(page->currentMacroName() != first);
        QVERIFY(tabTo(page->macroList()));
        // The arrows only choose; Enter opens.
        QTest::keyClick(page->macroList(), Qt::Key_Home);
        QVERIFY(page->currentMacroName() != first);
        QTest::keyClick(page->macroList(), Qt::Key_Return);
        QCOMPARE(page->currentMacroName(), first);
    }

    void ring_showsKeyboardFocusOnly()
    {
        MousecfgWidget *window = m_window.get();
        QWidget *apply = findButton(QStringLiteral("Apply"));
        apply->setFocus(Qt::MouseFocusReason);
        KestFocusRing *ring = KestKeyboardFocus::ringOf(window);
        QVERIFY(!ring || ring->ringRect().isEmpty());

        QVERIFY(tabTo(window->pageStack()->tabButton(MousecfgWidget::LightingPage)));
        ring = KestKeyboardFocus::ringOf(window);
        QVERIFY(ring);
        QWidget *tab = window->pageStack()->tabButton(MousecfgWidget::LightingPage);
        const QRect around = ring->ringRect();
        QVERIFY(around.contains(rectIn(window, tab)));
        QVERIFY(around != rectIn(window, tab));
        QVERIFY(around.width() - tab->width() <= 4 * (KestFocusRing::lineWidth() + 2));
        // It is drawn over the window's children.
        QCOMPARE(window->childAt(rectIn(window, tab).topLeft() + QPoint(-2, -2)), nullptr);
        QCOMPARE(window->children().last(), ring);

        // It follows the focus, and goes with a click.
        QTest::keyClick(tab, Qt::Key_Tab);
        QCOMPARE(ring->target(), QApplication::focusWidget());
        QVERIFY(ring->ringRect().contains(rectIn(window, QApplication::focusWidget())));
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(600, 20));
        QVERIFY(ring->ringRect().isEmpty());
    }

    void dialog_enterAccepts_escapeCancels_tabReads()
    {
        {
            KestGunsetDialog dialog(1.0);
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            dialog.nameEdit()->setFocus(Qt::TabFocusReason);
            dialog.nameEdit()->setText(QStringLiteral("burst"));
            QTest::keyClick(dialog.nameEdit(), Qt::Key_Return);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.resultName(), QStringLiteral("burst"));
        }
        {
            KestGunsetDialog dialog(1.0);
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            // The rows are read across: every delay first, then the sideways moves.
            dialog.delaySpin(0)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), dialog.delaySpin(1));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), dialog.delaySpin(0));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QVERIFY(!dialog.isVisible());
        }
    }

    void savedStatus_followsTheLanguage()
    {
        QDir(m_app->path()).mkpath(QStringLiteral("lang"));
        for (const char *file : {"mousecfg_en.qm", "mousecfg_fr.qm"}) {
            QVERIFY(QFile::copy(QStringLiteral(MOUSECFG_APPDIR "/lang/") + QLatin1String(file),
                                m_app->path() + QStringLiteral("/lang/") + QLatin1String(file)));
        }
        m_window->profileManager()->setMessageHandler([](int, const QString &) { return 0; });
        m_window->profileManager()->apply();
        QCOMPARE(m_window->statusArea()->statusText(), QStringLiteral("Saved to the mouse"));
        m_window->language()->choose(1);
        QCOMPARE(m_window->statusArea()->statusText(), QStringLiteral("Enregistré dans la souris"));
        m_window->language()->choose(0);
        QCOMPARE(m_window->statusArea()->statusText(), QStringLiteral("Saved to the mouse"));

        m_sim->setSilent(true);
        m_window->profileManager()->apply();
        m_window->language()->choose(1);
        QCOMPARE(m_window->statusArea()->statusText(),
                 QStringLiteral("Enregistré sur cet ordinateur ; la souris ne l'a pas reçu"));
        m_window->language()->choose(0);
        QVERIFY(writeLanguage(0));
    }

private:
    // The controls Tab (or Shift+Tab) reaches from `first` until it is back there; empty if
    // it never comes back.
    QVector<QWidget *> walkFrom(QWidget *first, bool forward)
    {
        first->setFocus(Qt::TabFocusReason);
        QVector<QWidget *> walk{first};
        for (int step = 0; step < 400; ++step) {
            QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                            forward ? Qt::NoModifier : Qt::ShiftModifier);
            QWidget *now = QApplication::focusWidget();
            if (now == first)
                return walk;
            walk << now;
        }
        return {};
    }

    // Tab until `target` has the focus.
    static bool tabTo(QWidget *target)
    {
        for (int step = 0; step < 400 && QApplication::focusWidget() != target; ++step) {
            QWidget *from = QApplication::focusWidget() ? QApplication::focusWidget() : target->window();
            QTest::keyClick(from, Qt::Key_Tab);
        }
        return QApplication::focusWidget() == target;
    }

    void closeMenuSoon(std::function<void()> whileOpen = {})
    {
        QTimer::singleShot(0, this, [whileOpen] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                if (whileOpen)
                    whileOpen();
                menu->close();
            }
        });
    }

    template <typename Kind>
    static bool containsKind(const QSet<QWidget *> &seen, QWidget *panel)
    {
        for (Kind *w : panel->findChildren<Kind *>()) {
            if (seen.contains(w))
                return true;
        }
        return false;
    }

    static bool containsMenuButton(const QSet<QWidget *> &seen, QWidget *panel)
    {
        for (KestPushButton *b : panel->findChildren<KestPushButton *>()) {
            if (b->menu() && seen.contains(b))
                return true;
        }
        return false;
    }

    KestPushButton *findButton(const QString &text)
    {
        for (KestPushButton *button : m_window->findChildren<KestPushButton *>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    }

    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::unique_ptr<MessageBoxGuard> m_boxes;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
