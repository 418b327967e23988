// SPDX-License-Identifier: GPL-2.0-or-later
// The four pages: each panel is built by its own function, followed by the page table,
// the two views of the customize page and their markers.

#include "app/mousecfgwidget.h"

#include "core/kestmousecore.h"

#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>

#include "buttons/kestbtnwindow.h"
#include "macro/macrodialog.h"
#include "panels/kestcolorwindow.h"
#include "panels/kestdpiwindow.h"
#include "panels/kestlightpreview.h"
#include "panels/kestpointspeed.h"
#include "panels/kestreportrate.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "widgets/kestskinnames.h"

namespace {

// The mouse picture of the lighting and customize pages, on the design canvas. The
// panels of both pages start at y = 342, so the 300 x 400 picture is shown at the
// height that fits above them; markers follow the same reduction.
constexpr QRect kMousePictureRect(517, 76, 200, 266);
constexpr double kPictureReduction = 266.0 / kMousePictureHeight;

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

} // namespace

namespace {
// A button the view's picture cannot show has no marker there.
bool hiddenInView(int view, int marker)
{
    return view == MousecfgWidget::SideView && marker < kMouseButtonPictures
           && kSideButtonAnchors[marker].x < 0;
}
} // namespace

bool MousecfgWidget::pageShows(int page, PageItem item)
{
    switch (page) {
    case LightingPage:
        return item == MousePicture || item == LightingPanel;
    case CustomizePage:
        return item == MousePicture || item == ViewButtons || item == Markers
               || item == ButtonWindow;
    case DpiPage:
        return item == DpiPanel || item == PointSpeedPanel || item == ReportRatePanel;
    case MacroPage:
        return item == MacroEditor;
    default:
        return false;
    }
}

QWidget *MousecfgWidget::makePlaceholder(const QRect &designRect)
{
    auto *placeholder = new QWidget(this);
    place(placeholder, designRect);
    return placeholder;
}

void MousecfgWidget::createPages()
{
    createButtonPage();
    createMacroPage();
    createLightingPage();
}

void MousecfgWidget::ensureDpiPage()
{
    // The heaviest page, and never the first one shown: it is built when first asked for,
    // not while the user waits for the window. Until then the record is what it would show.
    if (m_dpiWindow)
        return;
    createDpiPage();
    createPointSpeedPage();
    createReportRatePage();
    refreshDpiPanels();
}

void MousecfgWidget::createButtonPage()
{
    // Made first, so that the scroll area lies over it where the two meet.
    m_wheelLayer = new QWidget(this);
    place(m_wheelLayer, kButtonPanelRect);
    m_buttonScroll = new QScrollArea(this);
    m_buttonScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_buttonScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_buttonScroll->setFrameShape(QFrame::NoFrame);
    m_buttonScroll->setStyleSheet(QStringLiteral("QScrollArea{background:transparent;}"));
    m_buttonScroll->viewport()->setAutoFillBackground(false);
    // As wide as the list and its scroll bar: the bar stands against the rows it moves.
    place(m_buttonScroll, QRect(kButtonPanelRect.topLeft(),
                                QSize(KestBtnWindow::kListRight + kScrollBarGap
                                          + KestBtnWindow::kScrollBarWidth,
                                      kButtonPanelRect.height())));
    m_buttonWindow = new KestBtnWindow(&m_core->working().profiles[currentSlot()], nullptr, m_scaleFactor);
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
    connect(m_buttonWindow, &KestBtnWindow::SelBtnControl, this, [this](KestPushButton *label, bool on) {
        // The wheel entries are marked on the wheel, the middle button of the picture.
        const int slot = m_buttonWindow->slotOfLabel(label);
        const int marker = slot >= KestBtnWindow::kWheelUpSlot ? 2 : slot;
        const bool onPicture = marker >= 0 && marker < kMarkersPerView;
        highlightMarker(on && onPicture ? FrontView : -1, marker);
        // The lit picture follows the button the label stands for, not the label's
        // number in the list (a model may leave slots out).
        if (onPicture)
            slotMouseOver(m_markers[FrontView][marker], on);
    });
    connect(m_buttonWindow, &KestBtnWindow::GotoMacroTab, this, &MousecfgWidget::slotGotoMacro);
    connect(m_buttonWindow, &KestBtnWindow::PopOneClickBox, this, &MousecfgWidget::slotPopOneClickBox);
}

void MousecfgWidget::createDpiPage()
{
    m_dpiWindow = new KestDPIWindow(m_core->working().profiles[currentSlot()], this);
    place(m_dpiWindow, kDpiPanelRect);
}

void MousecfgWidget::createPointSpeedPage()
{
    m_pointSpeed = new KestPointSpeed(m_core->working().profiles[currentSlot()], this);
    place(m_pointSpeed, kSensorRect);
}

void MousecfgWidget::createReportRatePage()
{
    m_reportRate = new KestReportRate(m_core->working().profiles[currentSlot()], this);
    place(m_reportRate, kReportRateRect);
    connect(m_reportRate, &KestReportRate::RefreshLift, this, &MousecfgWidget::slotLiftChange);
    // Two controls edit the one lift setting: each shows what the other chose.
    connect(m_reportRate, &KestReportRate::RefreshLift, m_pointSpeed, &KestPointSpeed::setLift);
    connect(m_pointSpeed, &KestPointSpeed::RefreshLift, m_reportRate, &KestReportRate::setLift);
    connect(m_pointSpeed, &KestPointSpeed::RefreshLift, this, &MousecfgWidget::slotLiftChange);
}

void MousecfgWidget::createMacroPage()
{
    auto *macroDialog = new MacroDialog(this);
    place(macroDialog, QRect(285, 74, 665, 467));
    connect(macroDialog, &MacroDialog::EnableButtonsSignal, this, &MousecfgWidget::slotEnableButtons);
    m_macroDialog = macroDialog;
}

void MousecfgWidget::createLightingPage()
{
    m_colorWindow = new KestColorWindow(this);
    place(m_colorWindow, QRect(285, 342, 664, 199));
    m_lightPreview = new KestLightPreview(this);
    connect(m_colorWindow, &KestColorWindow::lightingChanged, this, &MousecfgWidget::updateLightPreview);
    connect(m_lightPreview, &KestLightPreview::frameChanged, this, [this](const QPixmap &frame) {
        if (m_mousePicture && m_page == LightingPage)
            m_mousePicture->setPixmap(frame);
    });
}

void MousecfgWidget::createMarkers()
{
    m_mousePicture = new QLabel(this);
    m_mousePicture->setAlignment(Qt::AlignCenter);
    place(m_mousePicture, kMousePictureRect);
    m_mousePicture->lower();

    m_viewButtons[FrontView] = makeTextButton(QRect(300, 88, 96, 22));
    m_viewButtons[SideView] = makeTextButton(QRect(300, 116, 96, 22));

    // Markers sit on the buttons of the picture of their view; those the pictures do not
    // show form columns beside it.
    const QStringList markerPictures{skinPath(QStringLiteral("marker.png"))};
    for (int view = 0; view < 2; ++view) {
        for (int k = 0; k < kMarkersPerView; ++k) {
            QRect rect(kMousePictureRect.x() - 40, 88 + (k % 10) * 24, 20, 20);
            if (k >= 10)
                rect.translate(-26, 0);
            if (k < kMouseButtonPictures && !hiddenInView(view, k)) {
                const MouseButtonAnchor &anchor =
                    view == FrontView ? kMouseButtonAnchors[k] : kSideButtonAnchors[k];
                rect.moveCenter(kMousePictureRect.topLeft()
                                + QPoint(int(anchor.x * kPictureReduction),
                                         int(anchor.y * kPictureReduction)));
            }
            KestPushButton *marker = makeButton(markerPictures, rect);
            marker->setFillMode(true);
            marker->setRoundFill(true);
            marker->setText(QString::number(k + 1));
            connect(marker, &KestPushButton::OverSignal, this, &MousecfgWidget::slotMouseOver);
            m_markers[view][k] = marker;
        }
    }
    m_extraMarkers[0] = makeButton({}, QRect(kMousePictureRect.right() - 22, 150, 22, 22));
    m_extraMarkers[1] = makeButton({}, QRect(kMousePictureRect.right() - 22, 178, 22, 22));
    refreshExtraMarkers();
}

void MousecfgWidget::refreshExtraMarkers()
{
    // The early models carry other arrow pictures.
    static const QRegularExpression earlyModel(QStringLiteral("^KX-(0[1-9]|1[0-9]|2[0-2])$"));
    const bool early = earlyModel.match(m_core->productName()).hasMatch();
    const QString up = early ? QStringLiteral("btn_up4.png") : QStringLiteral("btn_up2.png");
    const QString upHover = early ? QStringLiteral("btn_up3.png") : QStringLiteral("btn_up1.png");
    const QString down = early ? QStringLiteral("btn_down4.png") : QStringLiteral("btn_down2.png");
    const QString downHover = early ? QStringLiteral("btn_down3.png") : QStringLiteral("btn_down1.png");
    const QRect upRect = m_extraMarkers[0]->geometry();
    const QRect downRect = m_extraMarkers[1]->geometry();
    for (int k = 0; k < 2; ++k) {
        for (Placement &placement : m_placements) {
            if (placement.widget == m_extraMarkers[k]) {
                KestPushButton *old = m_extraMarkers[k];
                m_extraMarkers[k] = new KestPushButton(
                    {skinPath(k == 0 ? up : down), skinPath(k == 0 ? upHover : downHover)}, this);
                m_extraMarkers[k]->setFocusPolicy(Qt::NoFocus);
                m_extraMarkers[k]->setGeometry(k == 0 ? upRect : downRect);
                m_extraMarkers[k]->setVisible(old->isVisibleTo(this));
                connect(m_extraMarkers[k], &QPushButton::clicked, this,
                        &MousecfgWidget::onButtonClicked);
                placement.widget = m_extraMarkers[k];
                old->deleteLater();
                break;
            }
        }
    }
}

void MousecfgWidget::loadProductPictures()
{
    if (!m_mousePicture)
        return;
    m_frontPicture = productPicture(m_core->productName() + QStringLiteral("/Mouse.png"));
    m_sidePicture = QPixmap();
    m_mousePicture->setPixmap(viewPicture());
    if (m_lightPreview)
        m_lightPreview->setPicture(m_frontPicture);
    if (m_core->productName() == QLatin1String("Wireless Mouse")) {
        // This model's picture leaves room for the view buttons lower down; its
        // rectangles are taken as they are.
        for (Placement &placement : m_placements) {
            if (placement.widget == m_viewButtons[FrontView]) {
                placement.designRect = QRect(530, 321, 96, 20);
                placement.unscaled = true;
            } else if (placement.widget == m_viewButtons[SideView]) {
                placement.designRect = QRect(631, 321, 96, 20);
                placement.unscaled = true;
            }
        }
        m_viewButtons[FrontView]->setGeometry(530, 321, 96, 20);
        m_viewButtons[SideView]->setGeometry(631, 321, 96, 20);
    }
}

QPixmap MousecfgWidget::productPicture(const QString &relativePath) const
{
    const QPixmap picture(skinPath(QStringLiteral("mouse/")) + relativePath);
    if (picture.isNull())
        return picture;
    const QSize size(scaled(kMousePictureRect.width()), scaled(kMousePictureRect.height()));
    return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

const QPixmap &MousecfgWidget::viewPicture()
{
    if (m_view == FrontView)
        return m_frontPicture;
    // Most users never open the side view: its picture is not decoded at start.
    if (m_sidePicture.isNull())
        m_sidePicture = productPicture(m_core->productName() + QStringLiteral("_Side.png"));
    return m_sidePicture;
}

QWidget *MousecfgWidget::pageItemWidget(PageItem item) const
{
    if (item == DpiPanel || item == PointSpeedPanel || item == ReportRatePanel)
        const_cast<MousecfgWidget *>(this)->ensureDpiPage();
    switch (item) {
    case MousePicture: return m_mousePicture;
    case ViewButtons: return m_viewButtons[FrontView];
    case Markers: return m_markers[m_view][0];
    case ButtonWindow: return m_buttonScroll;
    case LightingPanel: return m_colorWindow;
    case DpiPanel: return m_dpiWindow;
    case PointSpeedPanel: return m_pointSpeed;
    case ReportRatePanel: return m_reportRate;
    case MacroEditor: return m_macroDialog;
    }
    return nullptr;
}

void MousecfgWidget::updatePageVisibility()
{
    const bool picture = pageShows(m_page, MousePicture);
    m_mousePicture->setVisible(picture);
    for (KestPushButton *button : m_viewButtons)
        button->setVisible(pageShows(m_page, ViewButtons));
    const bool markers = pageShows(m_page, Markers);
    const int shownMarkers = m_buttonCount > 0 ? qMin(m_buttonCount, int(kMarkersPerView))
                                               : kMouseButtonPictures;
    for (int view = 0; view < 2; ++view) {
        for (int k = 0; k < kMarkersPerView; ++k)
            m_markers[view][k]->setVisible(markers && view == m_view && k < shownMarkers
                                           && !hiddenInView(view, k));
    }
    for (KestPushButton *marker : m_extraMarkers)
        marker->setVisible(markers && m_view == FrontView);
    m_buttonScroll->setVisible(pageShows(m_page, ButtonWindow));
    m_wheelLayer->setVisible(pageShows(m_page, ButtonWindow));
    m_colorWindow->setVisible(pageShows(m_page, LightingPanel));
    if (pageShows(m_page, DpiPanel))
        ensureDpiPage();
    if (m_dpiWindow) {
        m_dpiWindow->setVisible(pageShows(m_page, DpiPanel));
        m_pointSpeed->setVisible(pageShows(m_page, PointSpeedPanel));
        m_reportRate->setVisible(pageShows(m_page, ReportRatePanel));
    }
    m_macroDialog->setVisible(pageShows(m_page, MacroEditor));

    activateLightPreview();
    m_tabButtons[LightingPage]->setVisible(!m_ledDisable);
    m_tabButtons[MacroPage]->setVisible(!m_disableMacro);
    for (int page = 0; page < kPageCount; ++page) {
        m_tabButtons[page]->setSelected(page == m_page);
        m_tabButtons[page]->setToggled(page == m_page);
    }
}

void MousecfgWidget::showPage(int page)
{
    if (page < 0 || page >= kPageCount)
        return;
    m_page = page;
    updatePageVisibility();
}

void MousecfgWidget::showView(int view)
{
    m_view = (view == SideView) ? SideView : FrontView;
    for (int v = 0; v < 2; ++v) {
        m_viewButtons[v]->setSelected(v == m_view);
        m_viewButtons[v]->setToggled(v == m_view);
    }
    m_mousePicture->setPixmap(viewPicture());
    updatePageVisibility();
}

void MousecfgWidget::highlightMarker(int group, int index)
{
    for (int view = 0; view < 2; ++view) {
        for (int k = 0; k < kMarkersPerView; ++k) {
            const bool chosen = (group == view && k == index);
            m_markers[view][k]->setSelected(chosen);
            m_markers[view][k]->setToggled(chosen);
        }
    }
    for (int k = 0; k < 2; ++k) {
        const bool chosen = (group == 2 && k == index);
        m_extraMarkers[k]->setSelected(chosen);
        m_extraMarkers[k]->setToggled(chosen);
    }
}

void MousecfgWidget::SelBtnChanged(quint8 iBtn, quint8 iType)
{
    highlightMarker(iType, iBtn);
    selectButtonInPanel(iType, iBtn);
}

void MousecfgWidget::slotGotoMacro(quint8 page)
{
    showPage(page);
}

void MousecfgWidget::slotMouseOver(KestPushButton *button, bool bType)
{
    const int index = m_markers[FrontView].size();
    int n = 0;
    for (int k = 0; k < index; ++k) {
        if (m_markers[FrontView][k] == button) {
            n = k + 1;
            break;
        }
    }
    // The button window's list entries carry the number of the button they stand for.
    if (n == 0 && button && button->marker() >= 1 && button->marker() <= kMarkersPerView)
        n = button->marker();
    if (n == 0 || m_view != FrontView)
        return;
    if (bType) {
        const QPixmap lit(skinPath(QStringLiteral("mouse/%1/mouse_%2.png").arg(m_core->productName()).arg(n)));
        if (!lit.isNull()) {
            m_mousePicture->setPixmap(lit.scaled(m_frontPicture.size(), Qt::KeepAspectRatio,
                                                 Qt::SmoothTransformation));
        }
    } else {
        m_mousePicture->setPixmap(m_frontPicture);
    }
}

void MousecfgWidget::refreshPanels()
{
    refreshDpiPanels();
    if (m_colorWindow) { // the panels exist from construction step 10 on
        const int lightingSlot = KestColorWindow::lightingSlot(m_core->working(), m_core->productName());
        m_colorWindow->setProfile(m_core->working().profiles[lightingSlot], lightingSlot);
    }
    m_buttonWindow->setProfile(&m_core->working().profiles[currentSlot()]);
    showView(m_view);
    showPage(m_page);
    showSlot();
    // What the panels show now is the slot as loaded: the measure of unapplied edits.
    markClean();
}

void MousecfgWidget::refreshDpiPanels()
{
    if (!m_dpiWindow)
        return;
    const ProfileRecord &current = m_core->working().profiles[currentSlot()];
    m_dpiWindow->refresh(current, readSensorCode());
    refreshReportRatePanel();
    m_pointSpeed->refresh(current, m_core->working().Sync, m_core->working().LiftHigh, m_core->working().AngleValue,
                          m_core->working().Jitter, m_core->working().Debounce);
}

void MousecfgWidget::selectDpiLevelInPanel(int level)
{
    if (m_dpiWindow)
        m_dpiWindow->selectLevel(quint8(level));
}

void MousecfgWidget::refreshReportRatePanel()
{
    if (m_reportRate)
        m_reportRate->refresh(m_core->working().profiles[currentSlot()], m_core->working().LiftHigh);
}

void MousecfgWidget::selectButtonInPanel(int group, int index)
{
    m_buttonWindow->selectSlot(quint8(index), group == 2 ? 2 : 0);
}
