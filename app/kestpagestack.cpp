// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestpagestack.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "app/kestcanvas.h"
#include "app/mousecfgwidget.h"
#include "buttons/kestbtnwindow.h"
#include "core/kestmousecore.h"
#include "macro/macrodialog.h"
#include "panels/kestcolorwindow.h"
#include "panels/kestdpiwindow.h"
#include "panels/kestpointspeed.h"
#include "panels/kestreportrate.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {

constexpr QRect kTabRect(285, 42, 90, 26); // first tab; the others follow every 94 px
constexpr int kTabStep = 94;

// The DPI page is one grid with 4 px gutters: the level panel and the report rate side by
// side, the sensor options under both, ending where the other pages' panels end.
constexpr int kGutter = 4;
constexpr QRect kDpiPanelRect(286, 75, 456, KestDPIWindow::kDesignHeight);
constexpr QRect kReportRateRect(kDpiPanelRect.right() + 1 + kGutter, kDpiPanelRect.top(), 149,
                                kDpiPanelRect.height());
constexpr QRect kSensorRect(kDpiPanelRect.left(), kDpiPanelRect.bottom() + 1 + kGutter,
                            kReportRateRect.right() + 1 - kDpiPanelRect.left(), 77);
static_assert(kSensorRect.bottom() == 540, "the sensor options end on the page's bottom edge");

// The button list and its scroll bar, on the panel area of the customize page; the wheel
// entries keep their place beside it while the list scrolls.
constexpr QRect kButtonPanelRect(285, 342, 664, KestBtnWindow::kDesignHeight);
constexpr int kScrollBarGap = 4;

// The pages not shown first are built while the user looks at the window, a piece per
// event, so that no piece holds the loop for long. The first piece waits until the window
// has settled after coming up; the pause between pieces lets input through.
constexpr int kAheadStartMs = 300;
constexpr int kAheadPauseMs = 10;

} // namespace

KestPageStack::KestPageStack(KestCanvas &canvas, KestMouseCore &core, QObject *parent)
    : QObject(parent)
    , m_canvas(canvas)
    , m_core(core)
    , m_ledDisable(readLedDisable() != 0)
    , m_macroDisable(readDisableMacro() != 0)
{
    m_page = firstPage();
    for (int page = 0; page < kPages; ++page) {
        m_tabButtons[size_t(page)] = canvas.textButton(kTabRect.translated(page * kTabStep, 0));
        connect(m_tabButtons[size_t(page)], &QPushButton::clicked, this, [this, page] { emit pageRequested(page); });
    }
    createLightingPage();
    // The button list is built with the window only when it is the page shown first;
    // otherwise just after the window shows, or when first asked for.
    if (m_page == MousecfgWidget::CustomizePage)
        ensureButtonPage();
    m_canvas.window().installEventFilter(this);
}

KestPageStack::~KestPageStack() = default;

bool KestPageStack::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched == &m_canvas.window() && m_aheadStep == 0) {
        m_aheadStep = 1;
        QTimer::singleShot(kAheadStartMs, this, &KestPageStack::buildAhead);
    }
    return QObject::eventFilter(watched, event);
}

void KestPageStack::buildAhead()
{
    // One piece per step; a page asked for meanwhile was finished at once, and its
    // remaining steps find nothing left to do.
    switch (m_aheadStep++) {
    case 1: ensureButtonPage(); break;
    case 2:
        buildDpiLevels();
        // Two level rows a step, then the one that places them all.
        if (!m_dpiWindow->hasAllRows()) {
            m_dpiWindow->addRows(2);
            --m_aheadStep;
        }
        break;
    case 3: buildDpiRest(); break;
    case 4: ensureDpiPage(); break;
    case 5:
        // Made apart from the window first: its widgets are not styled twice, and taking
        // it in is a step of its own.
        if (!m_macroDialog)
            m_macroAhead.reset(new MacroDialog);
        break;
    case 6:
        if (m_macroAhead)
            m_macroAhead->ensurePolished();
        break;
    case 7: ensureMacroPage(); break;
    default: return;
    }
    QTimer::singleShot(kAheadPauseMs, this, &KestPageStack::buildAhead);
}

int KestPageStack::firstPage() const
{
    return m_ledDisable ? MousecfgWidget::CustomizePage : MousecfgWidget::LightingPage;
}

void KestPageStack::ensureButtonPage()
{
    if (m_buttonWindow)
        return;
    createButtonPage();
    // Where the list lies when the window is built with it: under the lighting page.
    if (m_colorWindow) {
        m_wheelLayer->stackUnder(m_colorWindow);
        m_buttonScroll->stackUnder(m_colorWindow);
    }
    m_wheelLayer->setVisible(MousecfgWidget::pageShows(m_page, MousecfgWidget::ButtonWindow));
    m_buttonScroll->setVisible(MousecfgWidget::pageShows(m_page, MousecfgWidget::ButtonWindow));
}

void KestPageStack::createButtonPage()
{
    QWidget *window = &m_canvas.window();
    // Made first, so that the scroll area lies over it where the two meet.
    m_wheelLayer = new QWidget(window);
    m_canvas.place(m_wheelLayer, kButtonPanelRect);
    m_buttonScroll = new QScrollArea(window);
    m_buttonScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_buttonScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_buttonScroll->setFrameShape(QFrame::NoFrame);
    m_buttonScroll->setStyleSheet(QStringLiteral("QScrollArea{background:transparent;}"));
    m_buttonScroll->viewport()->setAutoFillBackground(false);
    // The list is reached through its entries; the area around them would only be one
    // more stop that does nothing.
    m_buttonScroll->setFocusPolicy(Qt::NoFocus);
    // As wide as the list and its scroll bar: the bar stands against the rows it moves.
    m_canvas.place(m_buttonScroll, QRect(kButtonPanelRect.topLeft(),
                                         QSize(KestBtnWindow::kListRight + kScrollBarGap
                                                   + KestBtnWindow::kScrollBarWidth,
                                               kButtonPanelRect.height())));
    m_buttonWindow = new KestBtnWindow(&m_core.working().profiles[size_t(m_core.currentSlot())], nullptr,
                                       scaleFactor());
    // The list fills the area and scrolls when the model has more buttons than fit.
    m_buttonScroll->setWidgetResizable(true);
    m_buttonScroll->verticalScrollBar()->setStyleSheet(KestBtnWindow::scrollBarStyleSheet());
    m_buttonScroll->setWidget(m_buttonWindow);
    m_buttonScroll->verticalScrollBar()->setSingleStep(qMax(1, m_buttonWindow->rowPitch()));
    // setWidget() makes the list paint an opaque background; the page's own shows through.
    m_buttonWindow->setAutoFillBackground(false);
    // The wheel entries do not scroll with the list. The layer has the list's origin, so
    // the list's own placement of them holds there too.
    for (int slot : {int(KestBtnWindow::kWheelUpSlot), int(KestBtnWindow::kWheelDownSlot)}) {
        KestPushButton *entry = m_buttonWindow->label(slot);
        const bool shown = !entry->isHidden();
        entry->setParent(m_wheelLayer);
        entry->setVisible(shown);
    }
    connect(m_buttonWindow, &KestBtnWindow::labelPointed, this, [this](KestPushButton *label, bool on) {
        // The wheel entries are marked on the wheel, the middle button of the picture.
        const int slot = m_buttonWindow->slotOfLabel(label);
        emit buttonPointed(slot >= KestBtnWindow::kWheelUpSlot ? 2 : slot, on);
    });
    connect(m_buttonWindow, &KestBtnWindow::macroPageWanted, this,
            [this](uchar page) { emit pageRequested(page); });
    connect(m_buttonWindow, &KestBtnWindow::lastLeftClickRefused, this, [this] {
        KestMessageBox box(KestMessageBox::Warning, QString(),
                           QCoreApplication::translate("MousecfgWidget", "Warning"),
                           QCoreApplication::translate("MousecfgWidget", "AT LEAST ONE CLICK FUNCTION TO BE RETAINED."),
                           &m_canvas.window());
        box.exec();
    });
}

void KestPageStack::ensureMacroPage()
{
    // Never the first page shown: built when first asked for, like the DPI page.
    if (m_macroDialog)
        return;
    MacroDialog *macroDialog = m_macroAhead.release();
    if (macroDialog)
        macroDialog->setParent(&m_canvas.window());
    else
        macroDialog = new MacroDialog(&m_canvas.window());
    macroDialog->hide(); // until its page is shown, also when the window comes up later
    m_canvas.place(macroDialog, QRect(285, 74, 665, 467));
    // The rest of the window keeps still while the macro editor records; the editor stays usable.
    connect(macroDialog, &MacroDialog::recordingChanged, this,
            [this](bool recording) { m_canvas.setEnabledExcept(m_macroDialog, !recording); });
    m_macroDialog = macroDialog;
}

void KestPageStack::createLightingPage()
{
    m_colorWindow = new KestColorWindow(&m_canvas.window());
    m_canvas.place(m_colorWindow, QRect(285, 342, 664, 199));
    connect(m_colorWindow, &KestColorWindow::lightingChanged, this, &KestPageStack::lightingChanged);
}

void KestPageStack::ensureDpiPage()
{
    // The heaviest page, and never the first one shown: it is built when first asked for
    // or ahead in pieces (buildAhead), not while the user waits for the window. Until it is
    // whole the record is what it would show.
    if (m_dpiPageBuilt)
        return;
    // The page shows the record and is no edit of the user's: what its fields round to
    // becomes the measure of edits, as when a slot is loaded, unless edits were pending.
    const bool clean = !m_core.hasUnappliedEdits();
    buildDpiLevels();
    m_dpiWindow->addRows(DPI_LEVELS);
    buildDpiRest();
    m_dpiPageBuilt = true;
    // The pieces may have been built from an older record.
    refreshDpiPanels();
    if (clean)
        m_core.markClean();
}

void KestPageStack::buildDpiLevels()
{
    if (m_dpiWindow)
        return;
    m_dpiWindow = new KestDPIWindow(m_core.working().profiles[size_t(m_core.currentSlot())], &m_canvas.window(), 0);
    m_dpiWindow->hide(); // until its page is shown, also when the window comes up later
    m_canvas.place(m_dpiWindow, kDpiPanelRect);
}

void KestPageStack::buildDpiRest()
{
    if (m_pointSpeed)
        return;
    QWidget *window = &m_canvas.window();
    ProfileRecord &current = m_core.working().profiles[size_t(m_core.currentSlot())];
    m_pointSpeed = new KestPointSpeed(current, window);
    m_pointSpeed->hide();
    m_canvas.place(m_pointSpeed, kSensorRect);
    m_reportRate = new KestReportRate(current, window);
    m_reportRate->hide();
    m_canvas.place(m_reportRate, kReportRateRect);
    const auto takeLift = [this](quint8 lift) { m_core.working().LiftHigh = lift; };
    connect(m_reportRate, &KestReportRate::liftChanged, this, takeLift);
    // Two controls edit the one lift setting: each shows what the other chose.
    connect(m_reportRate, &KestReportRate::liftChanged, m_pointSpeed, &KestPointSpeed::setLift);
    connect(m_pointSpeed, &KestPointSpeed::liftChanged, m_reportRate, &KestReportRate::setLift);
    connect(m_pointSpeed, &KestPointSpeed::liftChanged, this, takeLift);
}

QWidget *KestPageStack::panel(int item)
{
    switch (item) {
    case MousecfgWidget::ButtonWindow: ensureButtonPage(); return m_buttonScroll;
    case MousecfgWidget::LightingPanel: return m_colorWindow;
    case MousecfgWidget::DpiPanel: ensureDpiPage(); return m_dpiWindow;
    case MousecfgWidget::PointSpeedPanel: ensureDpiPage(); return m_pointSpeed;
    case MousecfgWidget::ReportRatePanel: ensureDpiPage(); return m_reportRate;
    case MousecfgWidget::MacroEditor: ensureMacroPage(); return m_macroDialog;
    default: return nullptr;
    }
}

const ProfileRecord &KestPageStack::lightingRecord() const
{
    return m_colorWindow->record();
}

void KestPageStack::showPage(int page)
{
    m_page = page;
    const auto shows = [page](MousecfgWidget::PageItem item) { return MousecfgWidget::pageShows(page, item); };
    if (shows(MousecfgWidget::ButtonWindow))
        ensureButtonPage();
    if (m_buttonWindow) {
        m_buttonScroll->setVisible(shows(MousecfgWidget::ButtonWindow));
        m_wheelLayer->setVisible(shows(MousecfgWidget::ButtonWindow));
    }
    m_colorWindow->setVisible(shows(MousecfgWidget::LightingPanel));
    if (shows(MousecfgWidget::DpiPanel))
        ensureDpiPage();
    if (m_dpiPageBuilt) {
        m_dpiWindow->setVisible(shows(MousecfgWidget::DpiPanel));
        m_pointSpeed->setVisible(shows(MousecfgWidget::PointSpeedPanel));
        m_reportRate->setVisible(shows(MousecfgWidget::ReportRatePanel));
    }
    if (shows(MousecfgWidget::MacroEditor))
        ensureMacroPage();
    if (m_macroDialog)
        m_macroDialog->setVisible(shows(MousecfgWidget::MacroEditor));
    m_tabButtons[MousecfgWidget::LightingPage]->setVisible(!m_ledDisable);
    m_tabButtons[MousecfgWidget::MacroPage]->setVisible(!m_macroDisable);
    for (int page = 0; page < kPages; ++page) {
        m_tabButtons[size_t(page)]->setSelected(page == m_page);
        m_tabButtons[size_t(page)]->setToggled(page == m_page);
    }
}

void KestPageStack::refresh()
{
    refreshDpiPanels();
    const int lightingSlot = KestColorWindow::lightingSlot(m_core.working(), m_core.productName());
    m_colorWindow->setProfile(m_core.working().profiles[size_t(lightingSlot)], lightingSlot);
    if (m_buttonWindow)
        m_buttonWindow->setProfile(&m_core.working().profiles[size_t(m_core.currentSlot())]);
}

void KestPageStack::refreshDpiPanels()
{
    if (!m_dpiPageBuilt)
        return;
    const ConfigRecord &working = m_core.working();
    const ProfileRecord &current = working.profiles[size_t(m_core.currentSlot())];
    m_dpiWindow->refresh(current, readSensorCode());
    refreshReportRate();
    m_pointSpeed->refresh(current, working.Sync, working.LiftHigh, working.AngleValue, working.Jitter,
                          working.Debounce);
}

void KestPageStack::refreshReportRate()
{
    if (m_dpiPageBuilt)
        m_reportRate->refresh(m_core.working().profiles[size_t(m_core.currentSlot())], m_core.working().LiftHigh);
}

void KestPageStack::selectDpiLevel(int level)
{
    if (m_dpiPageBuilt)
        m_dpiWindow->selectLevel(quint8(level));
}

void KestPageStack::chooseEffect(int mode)
{
    m_colorWindow->chooseEffect(quint8(mode));
}

void KestPageStack::selectButton(int group, int index)
{
    ensureButtonPage();
    m_buttonWindow->selectSlot(quint8(index), group == 2 ? 2 : 0);
}

void KestPageStack::applyTo(ConfigRecord &set) const
{
    // The lighting panel exists from the start and is the first page shown; the DPI
    // page's panels, never built, hold nothing but the record they would show.
    m_colorWindow->applyTo(set);
    if (!m_dpiPageBuilt)
        return;
    ProfileRecord &current = set.profiles[size_t(activeSlotIndex(set))];
    m_dpiWindow->applyTo(current);
    m_reportRate->applyTo(current);
    m_pointSpeed->applyTo(set);
}

void KestPageStack::applyScale(double factor)
{
    // A list built later takes the scale then.
    if (!m_buttonWindow)
        return;
    m_buttonWindow->applyFonts(factor);
    m_buttonScroll->verticalScrollBar()->setSingleStep(qMax(1, m_buttonWindow->rowPitch()));
}

// The tabs' texts were the window's before it had parts, and keep its translations.
void KestPageStack::retranslate()
{
    m_tabButtons[MousecfgWidget::LightingPage]->setText(QCoreApplication::translate("MousecfgWidget", "LIGHTING"));
    m_tabButtons[MousecfgWidget::CustomizePage]->setText(QCoreApplication::translate("MousecfgWidget", "CUSTOMIZE"));
    m_tabButtons[MousecfgWidget::DpiPage]->setText(QCoreApplication::translate("MousecfgWidget", "DPI"));
    m_tabButtons[MousecfgWidget::MacroPage]->setText(QCoreApplication::translate("MousecfgWidget", "MACRO"));
    if (m_buttonWindow)
        m_buttonWindow->retranslate();
}
