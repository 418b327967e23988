// SPDX-License-Identifier: GPL-2.0-or-later
// From a panel to the mouse: edits made in the DPI, report-rate, mouse-settings and
// lighting panels reach the simulated mouse through Apply.

#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include "app/kestprofilemanager.h"
#include "app/mousecfgwidget.h"
#include "device/devicelink.h"
#include "device/dpiencoding.h"
#include "device/kestbatteryreader.h"
#include "device/sim/kestsimmouse.h"
#include "panels/kestcolorwindow.h"
#include "panels/kestdpiwindow.h"
#include "panels/kestpointspeed.h"
#include "panels/kestreportrate.h"
#include "panels/kestsingledpi.h"
#include "panels/kesttwobarslider.h"
#include "platform/pointerspeed.h"
#include "store/appdir.h"
#include "widgets/kestmenu.h"
#include "widgets/kestslider.h"
#include "tests/common/appfixture.h"

#include "panelfixture.h"
#include "tests/common/messageboxguard.h"

namespace {

constexpr int kSensor = 3389;

void triggerMenuEntry(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no menu entry ") + text));
}

} // namespace

class PanelsApplyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_tmp.path().toLocal8Bit()); // the display's socket
        useFastLinkForWindowTests();
    }

    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    void panelEdits_reachTheMouseOnApply();
    void staleStatusReport_queuedAtApply_doesNotUndoTheEdit();
    void liftControls_showTheLastChoice();
    void lightingEdit_withDpiPageNeverShown_reachesTheMouse();

private:
    void start()
    {
        m_app.reset(new PanelAppDir(6, kSensor, QStringLiteral("KX-27")));
        m_app->setDescription(QStringLiteral("ProductName"), QStringLiteral("KX-27"));
        m_app->setConfig(QStringLiteral("Mouse_List/0"), QStringLiteral("KX-27"));
        for (int k = 1; k <= 5; ++k)
            m_app->setConfig(QStringLiteral("Config/Profile%1").arg(k), QStringLiteral("Profile %1").arg(k));
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        m_window.reset(new MousecfgWidget);
        // Reports the reader queued before it stopped must not land in the middle of the
        // test's edits: drain them first.
        m_window->core()->stopBatteryReader();
        QTest::qWait(50);
    }

    template <typename Panel>
    Panel *panel() const
    {
        // The DPI page's panels are built when the page is first asked for.
        m_window->pageItemWidget(MousecfgWidget::DpiPanel);
        auto *p = m_window->findChild<Panel *>();
        if (!p)
            qFatal("panel missing from the main window");
        return p;
    }

    MessageBoxGuard m_boxes;
    QTemporaryDir m_tmp;
    QScopedPointer<PanelAppDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    QScopedPointer<MousecfgWidget> m_window;
};

void PanelsApplyTest::panelEdits_reachTheMouseOnApply()
{
    start();
    auto *dpi = panel<KestDPIWindow>();
    auto *rate = panel<KestReportRate>();
    auto *speed = panel<KestPointSpeed>();
    auto *lighting = panel<KestColorWindow>();

    // DPI: level 2 unlinked with its own X and Y, level 3 active.
    KestSingleDPI *row = dpi->row(1);
    if (row->isLinked())
        row->linkBox()->click();
    row->twoBarSlider()->xBar()->setValue(64);
    row->twoBarSlider()->yBar()->setValue(100);
    dpi->selectLevel(2);
    // Report rate and sensor options.
    triggerMenuEntry(rate->rateMenu(), QStringLiteral("250 Hz"));
    speed->optionBox(2, false)->click(); // angle snapping OFF
    speed->optionBox(0, true)->click();  // sync ON
    // Lighting of the slot the mouse shows.
    triggerMenuEntry(lighting->effectMenu(), QStringLiteral("REACTIVE"));
    lighting->setEffectColor(QColor(12, 34, 56));
    lighting->speedSlider()->setValue(2);

    QVERIFY(m_sim->state().reportRate != 4);
    m_window->profileManager()->apply();
    const KestSimMouseState state = m_sim->state();
    QCOMPARE(state.reportRate, quint8(4));
    QCOMPARE(state.activeDpiLevel, quint8(2));
    const DpiAxisEncoding x = encodeDpiAxis(64, kSensor);
    const DpiAxisEncoding y = encodeDpiAxis(100, kSensor);
    QCOMPARE(state.dpi[1].xLow, quint8(x.value & 0xFF));
    QCOMPARE(state.dpi[1].yLow, quint8(y.value & 0xFF));
    QVERIFY(state.dpi[1].xLow != state.dpi[1].yLow);
    QCOMPARE(state.angleSnap, quint8(1));
    QCOMPARE(state.sync, quint8(1));
    QCOMPARE(state.ledMode, quint8(10));
    QCOMPARE(state.red, quint8(12));
    QCOMPARE(state.green, quint8(34));
    QCOMPARE(state.blue, quint8(56));

    // The working set holds the same, so the files and the next diff agree.
    const ConfigRecord &working = m_window->core()->working();
    QCOMPARE(working.profiles[0].pollrate, quint8(4));
    QCOMPARE(working.profiles[0].DPI_INFO[1].x, 64u);
    QCOMPARE(working.profiles[0].LED_MODE[10].breath, 2);
    QCOMPARE(working.AngleValue, quint8(1));
}

void PanelsApplyTest::staleStatusReport_queuedAtApply_doesNotUndoTheEdit()
{
    start();
    auto *rate = panel<KestReportRate>();
    const ProfileRecord before = m_window->core()->working().profiles[0];
    triggerMenuEntry(rate->rateMenu(), QStringLiteral("250 Hz"));
    // The mouse's last report, still waiting in the queue when Apply is pressed, names
    // the old rate and level.
    KestMouseCore *core = m_window->core();
    const quint8 staleLevel = quint8((before.dpi + 1) % 6);
    QMetaObject::invokeMethod(
        core, [core, staleLevel, before] { core->takeStatusReport(staleLevel, before.pollrate); },
        Qt::QueuedConnection);
    m_window->profileManager()->apply();
    QCOMPARE(m_sim->state().reportRate, quint8(4));
    QCOMPARE(m_window->core()->working().profiles[0].pollrate, quint8(4));
    QCOMPARE(m_window->core()->working().profiles[0].dpi, before.dpi);
}

void PanelsApplyTest::liftControls_showTheLastChoice()
{
    start();
    auto *rate = panel<KestReportRate>();
    auto *speed = panel<KestPointSpeed>();

    rate->liftRadio(0)->click(); // 1 mm in the report-rate panel
    QVERIFY(speed->optionBox(1, true)->isChecked());
    QCOMPARE(m_window->core()->working().LiftHigh, quint8(1));

    speed->optionBox(1, false)->click(); // then 2mm in the mouse-settings panel
    QVERIFY(rate->liftRadio(1)->isChecked());

    m_window->profileManager()->apply();
    QCOMPARE(m_window->core()->working().LiftHigh, quint8(2));
    QCOMPARE(m_sim->state().liftHeight, quint8(2));
}

void PanelsApplyTest::lightingEdit_withDpiPageNeverShown_reachesTheMouse()
{
    // The lighting page is the first one shown; the DPI page may never be opened.
    start();
    auto *lighting = qobject_cast<KestColorWindow *>(m_window->pageItemWidget(MousecfgWidget::LightingPanel));
    QVERIFY(lighting);
    triggerMenuEntry(lighting->effectMenu(), QStringLiteral("REACTIVE"));
    QVERIFY(m_window->hasUnappliedEdits());
    m_window->profileManager()->apply();
    QCOMPARE(m_sim->state().ledMode, quint8(10));
    QCOMPARE(int(m_window->core()->working().profiles[0].LedMode), 10);
    QVERIFY(!m_window->findChild<KestDPIWindow *>());
}

QTEST_MAIN(PanelsApplyTest)
#include "tst_panelsapply.moc"
