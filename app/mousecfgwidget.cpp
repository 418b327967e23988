// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/mousecfgwidget.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDebug>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "app/kestdesktopbridge.h"
#include "app/kestscale.h"
#include "core/kestmousecore.h"
#include "panels/kestcolorwindow.h"
#include "panels/kestdpiwindow.h"
#include "panels/kestpointspeed.h"
#include "panels/kestreportrate.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestbatteryreader.h"
#include "device/kestdeviceworker.h"
#include "platform/pointerspeed.h"
#include "platform/windowsystem.h"
#include "store/appdir.h"
#include "store/devicedescription.h"
#include "store/kestinifile.h"
#include "store/profilefiles.h"
#include "widgets/kestlabel.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "platform/logging.h"

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

void MousecfgWidget::build()
{
    // 1. Identity, application folder and the pictures the window paints itself.
    setObjectName(QStringLiteral("MousecfgWidget"));
    m_appDir = applicationDir();
    // The double-density background is decoded only when a larger factor needs it.
    m_backgrounds[0] = QPixmap(skinPath(QStringLiteral("cfgMainback.png")));
    m_batteryFrame1 = QPixmap(skinPath(QStringLiteral("bat1.png")));
    m_batteryFrame2 = QPixmap(skinPath(QStringLiteral("bat2.png")));

    // 2.-4. Scale, size, position and outline.
    m_scaleStep = KestScale::stepForScreen(QGuiApplication::primaryScreen());
    m_scaleFactor = KestScale::factorForStep(m_scaleStep);
    setScaleFactor(m_scaleFactor);
    setBaseSize(KestScale::kCanvasWidth, KestScale::kCanvasHeight);
    setMinimumSize(KestScale::kCanvasWidth, KestScale::kCanvasHeight);
    resize(KestScale::canvasSize(m_scaleFactor));
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    // The rounded outline comes from the background's alpha; a mask only where a
    // compositor may be missing (X11), since Wayland fills masked-out corners white.
    setAttribute(Qt::WA_TranslucentBackground);
    const QPixmap &background = backgroundForStep(m_scaleStep);
    if (!background.isNull() && !platform::onWayland())
        setMask(background.mask());
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);

    // 5.-7. The core's events, the product button and menu.
    connectCore();
    createControls();
    buildProductMenu();

    // 8. Language and the look the description asks for.
    m_languageIndex = readLanguage();
    m_languages = readLanguageList();
    m_frenchLanguage = readFrench();
    setColorMode(readColorMode());
    setThemeColor(readThemeColor());
    m_ledDisable = readLedDisable();
    m_disableMacro = readDisableMacro();
    m_buttonCount = readButtonCount();
    buildLanguageMenu();
    m_languageButton->setVisible(m_languages.count >= 2);
    loadLanguage(m_languageIndex);

    // 10. Panels with the current slot's record; they edit copies the core collects.
    createPages();
    createMarkers();
    m_core->setCollector([this](ConfigRecord &set) {
        if (!m_dpiWindow)
            return;
        ProfileRecord &current = set.profiles[size_t(activeSlotIndex(set))];
        m_dpiWindow->applyTo(current);
        m_reportRate->applyTo(current);
        m_pointSpeed->applyTo(set);
        m_colorWindow->applyTo(set);
    });

    // 11. First page, texts and pictures.
    m_page = m_ledDisable ? CustomizePage : LightingPage;
    loadProductPictures();
    refreshPanels();
    retranslate();
    setStyleSheet(QStringLiteral("*{outline:0px;}") + toolTipStyleSheet(themeColor()));
    setWindowIcon(QIcon(skinPath(QStringLiteral("icon.ico"))));

    // 12. Closing without a tray ends the program; the profile bar's operations.
    connect(this, &MousecfgWidget::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    connectProfileBar();
    setupKeyboard();

    // 13. The battery as the core knows it, and the start check that shows the window or
    // the disconnect warning.
    refreshBatteryDisplay();
    QTimer::singleShot(200, this, &MousecfgWidget::slotWarning);

    KestMessageBox::setConnectionProbe([core = m_core] { return core->connectedCount() > 0; });
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

int MousecfgWidget::connectedCount() const
{
    return m_core->connectedCount();
}

int MousecfgWidget::connectionState() const
{
    return m_core->connectionState();
}

ConfigRecord &MousecfgWidget::workingSet()
{
    return m_core->working();
}

ConfigRecord &MousecfgWidget::lastWrittenSet()
{
    return m_core->lastWritten();
}

int MousecfgWidget::currentSlot() const
{
    return m_core->currentSlot();
}

QStringList &MousecfgWidget::profileNames()
{
    return m_core->library();
}

QString MousecfgWidget::productName() const
{
    return m_core->productName();
}

KestDeviceWorker *MousecfgWidget::deviceWorker()
{
    return m_core->deviceWorker();
}

KestBatteryReader *MousecfgWidget::batteryReader() const
{
    return m_core->batteryReader();
}

bool MousecfgWidget::batteryReaderRunning() const
{
    return m_core->batteryReaderRunning();
}

void MousecfgWidget::startBatteryReader()
{
    m_core->startBatteryReader();
}

void MousecfgWidget::stopBatteryReader()
{
    m_core->stopBatteryReader();
}

const QPixmap &MousecfgWidget::backgroundForStep(int step)
{
    step = qBound(0, step, KestScale::kMaxStep);
    QPixmap &cached = m_backgrounds[step];
    if (cached.isNull() && step > 0) {
        // The double-density picture keeps edges sharp at larger factors.
        if (m_background2x.isNull()) {
            m_background2x = QPixmap(skinPath(QStringLiteral("cfgMainback@2x.png")));
            // The toolkit reads "@2x" as a pixel ratio of 2; the cache wants plain pixels.
            m_background2x.setDevicePixelRatio(1.0);
        }
        const QPixmap &source = m_background2x.isNull() ? m_backgrounds[0] : m_background2x;
        if (!source.isNull())
            cached = source.scaled(KestScale::canvasSize(KestScale::factorForStep(step)),
                                   Qt::IgnoreAspectRatio, Qt::FastTransformation);
        // Ten megabytes kept for a screen change that seldom comes: decoded again then.
        m_background2x = QPixmap();
    }
    return cached;
}

void MousecfgWidget::applyScale(int step)
{
    m_scaleStep = step;
    m_scaleFactor = KestScale::factorForStep(step);
    setScaleFactor(m_scaleFactor);
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
    const QPixmap &frame = (m_core->connectionState() <= 1 && !m_shownSilent) ? m_batteryFrame2 : m_batteryFrame1;
    if (!frame.isNull())
        painter.drawPixmap(QRect(scaled(69), scaled(581), scaled(86), scaled(47)), frame);
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
        applyScale(step);
        const QSize wanted = KestScale::canvasSize(m_scaleFactor);
        if (size() != wanted) {
            resize(wanted); // comes back here with the new size
            return;
        }
    }
    const QPixmap &background = backgroundForStep(m_scaleStep);
    if (!background.isNull() && !platform::onWayland())
        setMask(background.mask());
    relayout();
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

void MousecfgWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        activateLightPreview(); // no animation while minimized
}

bool MousecfgWidget::eventFilter(QObject *watched, QEvent *event)
{
    // The pencil the slot buttons' picture shows at their right end. The release comes
    // before the click it makes, so the click knows where it landed.
    if (event->type() == QEvent::MouseButtonRelease) {
        for (KestPushButton *slot : m_slotButtons) {
            if (watched != slot)
                continue;
            const QPoint at = static_cast<QMouseEvent *>(event)->pos();
            const bool onPencil = slot->rect().contains(at) && at.x() >= slot->width() - scaled(kPencilWidth);
            m_pencilPressed = onPencil ? slot : nullptr;
        }
    }
    // The version label opens the product page when clicked.
    if (watched == m_versionLabel
        && event->type() == QEvent::MouseButtonRelease) {
        const QUrl url = QUrl(readDescriptionVersion(), QUrl::StrictMode);
        if (url.isValid() && !url.scheme().isEmpty())
            QDesktopServices::openUrl(url);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MousecfgWidget::connectCore()
{
    KestMouseCore *core = m_core;
    connect(core, &KestMouseCore::modelsChanged, this, &MousecfgWidget::buildProductMenu);
    connect(core, &KestMouseCore::connected, this, &MousecfgWidget::slotWarnClose);
    connect(KestDeviceNotifier::instance(), &KestDeviceNotifier::disconnectWarning, this,
            &MousecfgWidget::onDisconnectWarning);
    connect(core, &KestMouseCore::statusChanged, this, &MousecfgWidget::refreshBatteryDisplay);
    connect(core, &KestMouseCore::recordsChanged, this, [this] {
        // A write in the window's own dialog changes nothing the panels show.
        if (!m_core->isWriting())
            refreshPanels();
    });
    connect(core, &KestMouseCore::dpiLevelReported, this, &MousecfgWidget::selectDpiLevelInPanel);
    connect(core, &KestMouseCore::reportRateReported, this, [this] { refreshReportRatePanel(); });
    connect(core, &KestMouseCore::lightModeReported, this, [this](int, int mode) {
        if (m_colorWindow)
            m_colorWindow->chooseEffect(quint8(mode));
    });
    connect(core, &KestMouseCore::slotSwitchFinished, this, &MousecfgWidget::onSwitchFinished);
    connect(core, &KestMouseCore::writeFinished, this, &MousecfgWidget::showWriteResult);
    // Every report the reader hears is the mouse answering; a long silence is shown.
    connect(core->batteryReader(), &KestBatteryReader::RefreshBatteryStatus, this,
            &MousecfgWidget::noteMouseAnswered);
    connect(core->batteryReader(), &KestBatteryReader::RefreshStatus, this,
            &MousecfgWidget::noteMouseAnswered);
    noteMouseAnswered();
}
