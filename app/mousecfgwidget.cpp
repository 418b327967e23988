// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/mousecfgwidget.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

#include "app/kestdesktopbridge.h"
#include "app/kestfirmwarehandoff.h"
#include "app/kestlanguage.h"
#include "app/kestpagestack.h"
#include "app/kestprofilecolumn.h"
#include "app/kestscale.h"
#include "app/keststatusarea.h"
#include "core/kestmousecore.h"
#include "device/discovery.h"
#include "device/kestwritetransaction.h"
#include "platform/windowsystem.h"
#include "store/appsettings.h"
#include "widgets/kestkeyboardfocus.h"
#include "widgets/kestmenu.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestrgbcolor.h"
#include "widgets/kestskin.h"

namespace {
std::function<bool()> &trayProbe()
{
    static std::function<bool()> probe = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    return probe;
}
} // namespace

MousecfgWidget::MousecfgWidget(QWidget *parent)
    : QWidget(parent)
    , m_ownedCore(new KestMouseCore)
    , m_core(m_ownedCore.get())
{
    build();
    // Notifications, the tray and the session-bus interface watch the core from outside;
    // this window is theirs to show.
    new KestDesktopBridge(m_core, this, this);
}

MousecfgWidget::MousecfgWidget(KestMouseCore *core, QWidget *parent)
    : QWidget(parent)
    , m_core(core)
{
    build();
}

MousecfgWidget::~MousecfgWidget()
{
    KestMessageBox::setConnectionProbe({});
    // The panels the collector reads go with this window; the core may stay.
    m_core->setCollector({});
    // A window of its own takes its faces and its core with it, faces first.
    if (m_ownedCore) {
        delete m_shell;
        m_shell = nullptr;
    }
}

void MousecfgWidget::build()
{
    // Identity and the background the window paints itself; the double-density one is
    // decoded only when a larger factor needs it.
    setObjectName(QStringLiteral("MousecfgWidget"));
    m_backgrounds[0] = skinPicture(skinPath(QStringLiteral("cfgMainback.png")));

    // Scale, size, position and outline.
    m_scaleStep = KestScale::stepForScreen(QGuiApplication::primaryScreen());
    setScaleFactor(KestScale::factorForStep(m_scaleStep));
    setBaseSize(KestScale::kCanvasWidth, KestScale::kCanvasHeight);
    setMinimumSize(KestScale::kCanvasWidth, KestScale::kCanvasHeight);
    resize(KestScale::canvasSize(scaleFactor()));
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    // The rounded outline comes from the background's alpha; the first resize event, sent
    // before the window is mapped, adds a mask where a compositor may be missing.
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    // Before the parts: set afterwards, it would polish every child a second time.
    setStyleSheet(QStringLiteral("*{outline:0px;}") + toolTipStyleSheet(themeColor()));

    createParts();
    connectParts();
    connectCore();
    // The panels edit copies; the core collects their values for a write.
    m_core->setCollector([this](ConfigRecord &set) { m_pages->applyTo(set); });

    // First page, texts and pictures.
    m_mouseView->loadPictures();
    refreshPanels();
    retranslate();
    setWindowIcon(QIcon(skinPath(QStringLiteral("icon.ico"))));
    KestKeyboardFocus::setOrder(this, [this] { return m_canvas.keyboardOrder(); });

    // The battery as the core knows it, and the start check that shows the window or
    // the disconnect warning.
    m_status->refreshBattery();
    QTimer::singleShot(200, this, &MousecfgWidget::showOrWarn);

    KestMessageBox::setConnectionProbe([core = m_core] { return core->connectedCount() > 0; });
}

void MousecfgWidget::createParts()
{
    // The window's own buttons along the top.
    m_productButton = m_canvas.textButton(QRect(670, 33, 100, 20));
    m_firmware = new KestFirmwareHandoff(m_canvas, *m_core, [this] { return m_language->index(); }, this);
    m_minimizeButton = m_canvas.button(KestCanvas::pictures({"min-1.png", "min-2.png", "min-3.png"}),
                                       QRect(903, 33, 19, 19));
    m_closeButton = m_canvas.button(KestCanvas::pictures({"close-1.png", "close-2.png", "close-3.png"}),
                                    QRect(924, 33, 19, 19));
    auto *logo = new QLabel(this);
    logo->setScaledContents(true);
    logo->setPixmap(skinPicture(skinPath(QStringLiteral("mouselogo.png"))));
    m_canvas.place(logo, QRect(45, 30, 160, 40));

    m_profiles = new KestProfileManager(*this, this);
    m_column = new KestProfileColumn(m_canvas, *m_core, *m_profiles, this);
    m_status = new KestStatusArea(m_canvas, *m_core, this);
    m_language = new KestLanguage(m_canvas, this);
    m_okButton = m_canvas.textButton(QRect(694, 577, 80, 26));
    m_cancelButton = m_canvas.textButton(QRect(781, 577, 80, 26));
    m_applyButton = m_canvas.textButton(QRect(868, 577, 80, 26));
    rebuildProductMenu();

    // The look the description asks for, and the language: the panels below take their
    // key names and texts from it.
    setColorMode(readColorMode());
    setThemeColor(toQColor(readThemeColor()));
    m_language->loadCurrent();
    m_pages = new KestPageStack(m_canvas, *m_core, this);
    m_mouseView = new KestMouseView(m_canvas, *m_core, this);
}

void MousecfgWidget::connectParts()
{
    connect(m_closeButton, &QPushButton::clicked, this, &MousecfgWidget::closeToTray);
    connect(m_minimizeButton, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(m_productButton, &QPushButton::clicked, this, [this] {
        m_productMenu->popup(m_productButton->mapToGlobal(QPoint(0, m_productButton->height())));
    });
    connect(m_applyButton, &QPushButton::clicked, m_profiles, &KestProfileManager::apply);
    connect(m_okButton, &QPushButton::clicked, m_profiles, &KestProfileManager::ok);
    connect(m_cancelButton, &QPushButton::clicked, m_profiles, &KestProfileManager::cancel);
    connect(m_profiles, &KestProfileManager::hideRequested, this, &MousecfgWidget::putAway);
    // Closing without a tray ends the program.
    connect(this, &MousecfgWidget::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    connect(m_column, &KestProfileColumn::switchRequested, this, [this](int slot) { switchToSlot(slot); });
    connect(m_column, &KestProfileColumn::rulesRequested, this, &MousecfgWidget::rulesDialogRequested);
    connect(m_language, &KestLanguage::chosen, this, [this] {
        retranslate();
        update();
    });
    connect(m_pages, &KestPageStack::pageRequested, this, &MousecfgWidget::showPage);
    connect(m_pages, &KestPageStack::buttonPointed, m_mouseView, &KestMouseView::pointAt);
    connect(m_pages, &KestPageStack::lightingChanged, m_mouseView,
            [this] { m_mouseView->setLighting(m_pages->lightingRecord()); });
    connect(m_mouseView, &KestMouseView::markerChosen, m_pages, &KestPageStack::selectButton);
}

void MousecfgWidget::connectCore()
{
    KestMouseCore *core = m_core;
    connect(core, &KestMouseCore::modelsChanged, this, &MousecfgWidget::rebuildProductMenu);
    connect(KestDeviceNotifier::instance(), &KestDeviceNotifier::disconnectWarning, this,
            &MousecfgWidget::onDisconnectWarning);
    connect(core, &KestMouseCore::recordsChanged, this, [this] {
        // A write in the window's own dialog changes nothing the panels show.
        if (!m_core->isWriting())
            refreshPanels();
    });
    connect(core, &KestMouseCore::dpiLevelReported, m_pages, &KestPageStack::selectDpiLevel);
    connect(core, &KestMouseCore::reportRateReported, m_pages, [this] { m_pages->refreshReportRate(); });
    connect(core, &KestMouseCore::lightModeReported, m_pages,
            [this](int, int mode) { m_pages->chooseEffect(mode); });
    connect(core, &KestMouseCore::slotSwitchFinished, this, &MousecfgWidget::onSwitchFinished);
    connect(core, &KestMouseCore::writeFinished, this, &MousecfgWidget::onWriteFinished);
}

double MousecfgWidget::scaleFactorValue() const
{
    return KestScale::factorForStep(m_scaleStep);
}

bool MousecfgWidget::isWarningOpen() const
{
    return m_status->isWarningOpen();
}

void MousecfgWidget::refreshProfileView(int what)
{
    if (what & ShowLighting) {
        showPage(m_pages->firstPage());
        m_mouseView->refreshArrows();
    }
    if (what & RefreshPanels)
        refreshPanels();
    if (what & RefreshNames) {
        showSlot();
        m_column->refreshLibraryMenu();
    }
}

const QPixmap &MousecfgWidget::backgroundForStep(int step)
{
    step = qBound(0, step, KestScale::kMaxStep);
    QPixmap &cached = m_backgrounds[size_t(step)];
    if (cached.isNull() && step > 0) {
        // The double-density picture keeps edges sharp at larger factors. Ten megabytes are
        // not kept for a screen change that seldom comes: decoded again then.
        QPixmap background2x(skinPath(QStringLiteral("cfgMainback@2x.png")));
        // The toolkit reads "@2x" as a pixel ratio of 2; the cache wants plain pixels.
        background2x.setDevicePixelRatio(1.0);
        const QPixmap &source = background2x.isNull() ? m_backgrounds[0] : background2x;
        if (!source.isNull())
            cached = source.scaled(KestScale::canvasSize(KestScale::factorForStep(step)),
                                   Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return cached;
}

void MousecfgWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap &background = backgroundForStep(m_scaleStep);
    if (!background.isNull()) {
        const QPixmap fitted = background.size() == size()
                                   ? background
                                   : background.scaled(size(), Qt::KeepAspectRatio,
                                                       Qt::SmoothTransformation);
        painter.drawPixmap(0, 0, fitted);
    }
    if (m_status)
        m_status->paintFrame(painter);
}

void MousecfgWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    QScreen *screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const int step = KestScale::stepForScreen(screen);
    if (step == m_scaleStep && event->size() == event->oldSize())
        return;
    if (step != m_scaleStep) {
        m_scaleStep = step;
        setScaleFactor(KestScale::factorForStep(step));
        const QSize wanted = KestScale::canvasSize(scaleFactor());
        if (size() != wanted) {
            resize(wanted); // comes back here with the new size
            return;
        }
    }
    // A mask only where a compositor may be missing (X11): Wayland fills masked-out corners
    // white.
    const QPixmap &background = backgroundForStep(m_scaleStep);
    if (!background.isNull() && !platform::onWayland())
        setMask(background.mask());
    relayout();
}

void MousecfgWidget::relayout()
{
    m_canvas.relayout();
    if (m_pages)
        m_pages->applyScale(scaleFactor());
    if (m_mouseView)
        m_mouseView->loadPictures();
    update();
}

void MousecfgWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragMoved = false;
        m_pressGlobal = event->globalPos();
        m_pressWindowPos = pos();
    }
    QWidget::mousePressEvent(event);
}

void MousecfgWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        const QPoint delta = event->globalPos() - m_pressGlobal;
        // A small wobble of a click must not move the window.
        if (!m_dragMoved && delta.manhattanLength() > 4) {
            m_dragMoved = true;
            // Where the window system moves windows itself (always on Wayland, which
            // ignores move()), it takes the drag over from here.
            if (windowHandle() && windowHandle()->startSystemMove()) {
                m_dragging = false;
                QWidget::mouseMoveEvent(event);
                return;
            }
        }
        if (m_dragMoved)
            move(m_pressWindowPos + delta);
    }
    QWidget::mouseMoveEvent(event);
}

void MousecfgWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void MousecfgWidget::closeEvent(QCloseEvent *event)
{
    // Closing keeps the utility in the tray; only the tray's Quit ends it. Without a tray
    // nothing could bring a hidden window back: closing then ends the program. A close
    // from the window manager asks about unapplied edits like the close button does.
    if (event->spontaneous() && m_profiles && !m_profiles->settleUnappliedEdits()) {
        event->ignore();
        return;
    }
    if (hasTray()) {
        event->ignore();
        hide();
        return;
    }
    event->accept();
    emit quitRequested();
}

void MousecfgWidget::closeToTray()
{
    if (m_profiles && !m_profiles->settleUnappliedEdits())
        return;
    close();
}

void MousecfgWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        activateLightPreview(); // no animation while minimized
}

void MousecfgWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    activateLightPreview();
}

void MousecfgWidget::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    activateLightPreview();
}

void MousecfgWidget::retranslate()
{
    if (!m_mouseView)
        return; // the parts are still being made; build() sets the texts
    m_firmware->retranslate();
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));
    m_applyButton->setText(tr("Apply"));
    m_closeButton->setToolTip(QString());
    m_minimizeButton->setToolTip(QString());
    m_pages->retranslate();
    m_column->retranslate();
    m_mouseView->retranslate();
    m_language->retranslate();
    showSlot();
    // The bar's words (mouse off, no answer) follow the language too.
    m_status->refreshBattery();
    m_status->retranslate();
}

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

QWidget *MousecfgWidget::pageItemWidget(PageItem item) const
{
    switch (item) {
    case MousePicture: return m_mouseView->pictureLabel();
    case ViewButtons: return m_mouseView->viewButton(FrontView);
    case Markers: return m_mouseView->marker(m_mouseView->view(), 0);
    default: return m_pages->panel(item);
    }
}

void MousecfgWidget::showPage(int page)
{
    if (page < 0 || page >= kPageCount)
        return;
    m_pages->showPage(page);
    m_mouseView->showItems(pageShows(page, MousePicture), pageShows(page, ViewButtons),
                           pageShows(page, Markers));
    activateLightPreview();
}

void MousecfgWidget::showView(int view)
{
    m_mouseView->showView(view);
    showPage(m_pages->page());
}

void MousecfgWidget::activateLightPreview()
{
    if (m_mouseView)
        m_mouseView->setLightingPage(m_pages->page() == LightingPage, isVisible() && !isMinimized());
}

void MousecfgWidget::refreshPanels()
{
    m_pages->refresh();
    showView(m_mouseView->view());
    showSlot();
    // What the panels show now is the slot as loaded: the measure of unapplied edits.
    m_core->markClean();
}

void MousecfgWidget::showSlot()
{
    m_column->showSlots();
    emit stateChanged();
}

void MousecfgWidget::switchToSlot(int slot, EditsOnSwitch edits)
{
    if (slot < 0 || slot >= SLOT_COUNT)
        return;
    // A switch asked for here settles the edits of the slot left first; a kept one leaves
    // them in the working set, still unapplied.
    const bool ask = edits == EditsOnSwitch::Ask;
    if (ask && slot != m_core->currentSlot() && !m_profiles->settleUnappliedEdits())
        return;
    const int id = m_core->switchSlot(slot);
    m_ownSwitch = ask ? id : 0;
}

void MousecfgWidget::onSwitchFinished(int id, int, int result)
{
    // Without a mouse there is nothing to switch; a mouse that did not take a switch made
    // here now runs another slot than the window shows, and the user must know. Switches
    // from elsewhere report to their caller (and the desktop), never in a box.
    if (m_ownSwitch == 0 || id != m_ownSwitch)
        return;
    if (result != 2 && result != 4)
        return;
    KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                       tr("The mouse did not confirm the profile switch."), this);
    box.exec();
}

void MousecfgWidget::onWriteFinished(const KestWriteResult &result)
{
    // Saved, the set is no longer an unapplied edit; a set the disk did not take stays one,
    // so that leaving the slot or closing still asks about it.
    if (result.saved.isOk())
        m_core->markClean();
    m_status->showWriteResult(result);
}

void MousecfgWidget::rebuildProductMenu()
{
    if (!m_productMenu) {
        m_productMenu = new KestMenu(this);
        connect(m_productMenu, &QMenu::triggered, this, [this](QAction *action) {
            if (action)
                chooseProduct(action->text());
        });
    }
    m_productMenu->clear();
    const QStringList models = m_core->refreshModels();
    for (const QString &model : models) {
        auto *action = new KestAction(model, m_productMenu);
        action->setCheckable(true);
        action->setChecked(model == m_core->productName());
        m_productMenu->addAction(action);
    }
    m_productButton->setText(m_core->productName());
}

void MousecfgWidget::chooseProduct(const QString &name)
{
    m_core->chooseProduct(name);
    m_mouseView->loadPictures();
    m_mouseView->refreshArrows();
    rebuildProductMenu();
}

// Tray, hot-plug and show-or-warn.

void MousecfgWidget::setTrayProbe(std::function<bool()> probe)
{
    trayProbe() = probe ? std::move(probe) : [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
}

bool MousecfgWidget::hasTray() const
{
    // Asked each time: a panel's tray area can come and go while the program runs.
    return trayProbe()();
}

void MousecfgWidget::putAway()
{
    // OK and Cancel put the window away: into the tray, or where the desktop keeps
    // minimised windows when there is no tray to bring it back from.
    if (hasTray())
        hide();
    else
        showMinimized();
}

void MousecfgWidget::bringToFront()
{
    if (windowState() & Qt::WindowMinimized) {
        // A window manager keeps an iconic window iconic through show() and a state change
        // alone; withdrawn and mapped again it comes back as a normal window.
        if (isVisible())
            hide();
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    showOrWarn();
}

void MousecfgWidget::showOrWarn()
{
    show();
    // Boxes share one large plate. Decoded now on another core, the first box (a switch
    // the mouse refused, an unplugged receiver) opens without holding up the window.
    prefetchSkinPictures({skinPath(QStringLiteral("dlg.png"))});
    if (m_core->connectedCount() > 0) {
        raise();
        activateWindow();
        // A box opened before the window came up (files refused at start) stays on top
        // of it, also where no window manager keeps it there.
        if (QWidget *modal = QApplication::activeModalWidget()) {
            if (modal != this)
                modal->raise();
        }
        return;
    }
    if (m_status->isWarningOpen())
        return;
    // Without a tray the window stays: it shows the mouse as disconnected, and a hidden
    // window could not be brought back.
    if (m_status->warnDisconnected() && m_core->connectedCount() == 0 && hasTray())
        hide();
}

void MousecfgWidget::onDisconnectWarning()
{
    // The warning belongs to a window the user looks at; hidden in the tray the desktop
    // notification says it alone.
    if (isShownNormally())
        showOrWarn();
}
