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
#include "app/kestosdclient.h"
#include "app/kestscale.h"
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
{
    // 1. Identity, application folder and the pictures the window paints itself.
    setObjectName(QStringLiteral("MousecfgWidget"));
    m_appDir = applicationDir();
    m_osd = new KestOsdClient(this);
    // From here on the mouse is the device worker's: this thread only asks.
    m_deviceWorker = new KestDeviceWorker(this);
    declareGuiThread(QThread::currentThread());
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

    // 5. Hot-plug events, frameless window.
    connectDeviceNotifications();
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);

    // 6.-7. Product button, device table, the mice plugged in now.
    m_productName = readProductName();
    if (m_productName.isEmpty())
        m_productName = readMouseListName();
    createControls();
    BuildDeviceTable();
    // What is plugged in decides what the window shows first; enumeration reads a few
    // files and opens nothing, so the window waits for it.
    m_deviceWorker->call([] { EnumerateDevices(); });
    buildProductMenu();
    m_connectedCount = countConnectedModels();
    setConnectedModelCount(m_connectedCount);

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

    // 9. Profile library, devices, battery reader, the profile set.
    m_profileNames = readProfileList();
    m_deviceWorker->call([name = m_productName] { OpenDevices(name); });
    m_batteryReader = new KestBatteryReader(this);
    connect(m_batteryReader, &KestBatteryReader::RefreshBatteryStatus, this,
            &MousecfgWidget::slotRefreshBatteryStatus);
    connect(m_batteryReader, &KestBatteryReader::RefreshStatus, this,
            &MousecfgWidget::slotRefreshStatus);
    connect(m_batteryReader, &KestBatteryReader::RefreshWriteStatus, this,
            &MousecfgWidget::slotRefreshWriteStatus);
    m_batteryReader->bindToTransactions();
    if (m_connectedCount > 0)
        startBatteryReader();
    loadAll(m_working);
    seedDefaultProfiles();
    // The desktop's speed where it keeps one; elsewhere the profile's own value stands.
    quint8 &speed = m_working.profiles[currentSlot()].mousespeed;
    if (const std::optional<int> desktop = desktopPointerSpeed())
        speed = quint8(*desktop);
    else if (speed < pointerspeed::kMinSpeed || speed > pointerspeed::kMaxSpeed)
        speed = quint8(pointerSpeed());
    m_lastWritten = m_working;

    // 10. Panels with the current slot's record.
    createPages();
    createMarkers();

    // 11. First page, texts and pictures.
    m_page = m_ledDisable ? CustomizePage : LightingPage;
    loadProductPictures();
    refreshPanels();
    retranslate();
    if (!QFile::exists(templatePath()))
        writeTemplate();
    setStyleSheet(QStringLiteral("*{outline:0px;}") + toolTipStyleSheet(themeColor()));
    setWindowIcon(QIcon(skinPath(QStringLiteral("icon.ico"))));

    // 12. Tray, and the profile bar's operations.
    createTray();
    connectProfileBar();
    setupKeyboard();

    // 13. Battery shown as unknown until the first report, the open profile file, and
    // the start check that shows the window or the disconnect warning.
    slotRefreshBatteryStatus(0, 1, 0);
    QTimer::singleShot(200, this, &MousecfgWidget::slotWarning);

    KestMessageBox::setConnectionProbe([this] { return m_connectedCount > 0; });
    // Notifications and the session-bus interface watch the window from outside.
    new KestDesktopBridge(this);
}

MousecfgWidget::~MousecfgWidget()
{
    KestMessageBox::setConnectionProbe({});
    stopBatteryReader();
    // Closes the handles on its own thread, giving up on an exchange a silent mouse holds.
    delete m_deviceWorker;
    m_deviceWorker = nullptr;
    declareGuiThread(nullptr);
}

bool MousecfgWidget::batteryReaderRunning() const
{
    return m_batteryReader && m_batteryReader->isRunning();
}

void MousecfgWidget::startBatteryReader()
{
    m_batteryReader->start();
}

void MousecfgWidget::stopBatteryReader()
{
    // Waits for the reader, so it never reads from handles that are about to close.
    if (m_batteryReader)
        m_batteryReader->stop();
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
    const QPixmap &frame = (m_connectionState <= 1) ? m_batteryFrame2 : m_batteryFrame1;
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

void MousecfgWidget::connectDeviceNotifications()
{
    KestDeviceNotifier *notifier = KestDeviceNotifier::instance();
    connect(notifier, &KestDeviceNotifier::modelListChanged, this,
            &MousecfgWidget::buildProductMenu);
    connect(notifier, &KestDeviceNotifier::deviceConnected, this,
            &MousecfgWidget::slotWarnClose);
    connect(notifier, &KestDeviceNotifier::lastDeviceRemoved, this,
            &MousecfgWidget::onLastDeviceRemoved);
    connect(notifier, &KestDeviceNotifier::disconnectWarning, this,
            &MousecfgWidget::slotWarning);
    connect(notifier, &KestDeviceNotifier::currentModelLost, this,
            &MousecfgWidget::onCurrentModelLost);
    connect(notifier, &KestDeviceNotifier::devicesReopened, this,
            &MousecfgWidget::onDevicesReopened);
    connect(notifier, &KestDeviceNotifier::connectionChanged, this,
            &MousecfgWidget::refreshConnectionState);
    if (!StartDeviceNotifications())
        qCWarning(lcDevice) << "hot-plug monitor not running; plugging in a mouse needs a restart";
}

bool MousecfgWidget::takeDescribedSensorOptions()
{
    // A fresh install holds no sensor options yet, and a missing key would read as 0:
    // each option the settings do not hold comes from the device description.
    KestIniFile settings;
    settings.load(globalConfigPath());
    SensorDefaults described;
    readSensorDefaults(described);
    const struct
    {
        const char *key;
        quint8 ConfigRecord::*field;
        quint8 value;
    } options[] = {
        {SettingsKey::LiftHigh, &ConfigRecord::LiftHigh, described.lift},
        {SettingsKey::AngleValue, &ConfigRecord::AngleValue, described.angle},
        {SettingsKey::Debounce, &ConfigRecord::Debounce, described.butondelay},
        {SettingsKey::Jitter, &ConfigRecord::Jitter, described.jitter},
        {SettingsKey::Wake, &ConfigRecord::Wake, described.wake},
        {SettingsKey::SensorMode, &ConfigRecord::SensorMode, described.sensormode},
        {SettingsKey::Sync, &ConfigRecord::Sync, described.sync},
    };
    bool taken = false;
    for (const auto &option : options) {
        if (!settings.contains(QLatin1String(option.key))) {
            m_working.*option.field = option.value;
            taken = true;
        }
    }
    return taken;
}

void MousecfgWidget::seedDefaultProfiles()
{
    // A first start knows no slot names and no profile files yet: each slot then shows
    // its default profile, "Profile 1" to "Profile 5", with the model's defaults, and
    // the library holds those five. Existing names and files are left as they are.
    bool namesChanged = false;
    for (int k = 0; k < SLOT_COUNT; ++k) {
        QString &name = m_working.names[k];
        if (name.isEmpty()) {
            name = QStringLiteral("Profile %1").arg(k + 1);
            namesChanged = true;
        }
        if (isValidStoreName(name) && !QFile::exists(profileFilePath(name))) {
            makeDefaultProfile(m_working.profiles[k]);
            m_working.profiles[k].ProfileName = name;
            saveSlotFile(m_working.profiles[k], name);
        }
    }
    if (takeDescribedSensorOptions())
        saveAll(m_working);
    else if (namesChanged)
        saveSlotList(m_working);
    if (m_profileNames.isEmpty()) {
        for (int k = 0; k < SLOT_COUNT; ++k)
            m_profileNames << QStringLiteral("Profile %1").arg(k + 1);
        writeProfileList(m_profileNames);
    }
}
