// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestdesktopbridge.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>

#include <utility>

#include "app/kestbusservice.h"
#include "app/kestosdclient.h"
#include "app/kestprofilemanager.h"
#include "app/kestrulesdialog.h"
#include "app/kesttraystatus.h"
#include "app/mousecfgwidget.h"
#include "core/kestfocusswitcher.h"
#include "core/kestmousecore.h"
#include "core/kestnotices.h"
#include "device/discovery.h"
#include "store/devicedescription.h"
#include "widgets/kestmessagebox.h"

KestDesktopBridge::KestDesktopBridge(KestMouseCore *core, MousecfgWidget *window, QObject *parent)
    : QObject(parent)
    , m_core(core)
{
    m_osd = new KestOsdClient(this);
    connect(core, &KestMouseCore::osdText, m_osd, &KestOsdClient::showText);

    KestNotices *notices = core->notices();
    connect(core, &KestMouseCore::connected, notices, &KestNotices::deviceConnected);
    connect(core, &KestMouseCore::disconnected, notices, &KestNotices::deviceDisconnected);
    connect(core, &KestMouseCore::writeFinished, this,
            [this](const KestWriteResult &result) { m_core->notices()->writeFinished(int(result.status), windowShown()); });
    connect(core, &KestMouseCore::fileNotSaved, notices, [notices](const KestFileResult &file) {
        notices->fileNotSaved(file.path(), int(file.reason()), file.text());
    });
    connect(core, &KestMouseCore::slotSwitchFinished, this, [this](int id, int slot, int result) {
        // The window reports refusals of its own switches itself, in a box.
        if (result != 2 && result != 4)
            return;
        if (m_window && m_window->isShownNormally() && m_window->ownSwitch() == id)
            return;
        m_core->notices()->slotSwitchUnconfirmed(slot);
    });
    connect(core, &KestMouseCore::statusChanged, this, [this] {
        const KestMouseStatus &status = m_core->status();
        if (status.battery != m_battery || status.charging != m_charging) {
            m_battery = status.battery;
            m_charging = status.charging;
            emit batteryChanged();
        }
    });

    m_trayStatus = new KestTrayStatus(this);
    connect(this, &KestDesktopBridge::batteryChanged, m_trayStatus, &KestTrayStatus::refresh);
    connect(core, &KestMouseCore::recordsChanged, m_trayStatus, &KestTrayStatus::refresh);
    connect(core, &KestMouseCore::modelsChanged, m_trayStatus, &KestTrayStatus::refresh);
    connect(m_trayStatus, &KestTrayStatus::languageChanged, this, &KestDesktopBridge::retranslate);
    if (QMenu *menu = m_trayStatus->menu()) {
        m_notificationsAction = new QAction(menu);
        m_notificationsAction->setCheckable(true);
        m_notificationsAction->setChecked(notices->isEnabled());
        connect(m_notificationsAction, &QAction::toggled, notices, &KestNotices::setEnabled);
        // Above "&Quit", the menu's last entry.
        const QList<QAction *> actions = menu->actions();
        menu->insertAction(actions.isEmpty() ? nullptr : actions.last(), m_notificationsAction);
    }

    m_bus = new KestBusService(core, this);
    const auto refresh = [this] { m_bus->refresh(); };
    connect(this, &KestDesktopBridge::batteryChanged, m_bus, refresh);
    connect(core, &KestMouseCore::statusChanged, m_bus, refresh);
    connect(core, &KestMouseCore::recordsChanged, m_bus, refresh);
    connect(core, &KestMouseCore::writeFinished, m_bus, refresh);
    KestDeviceNotifier *devices = KestDeviceNotifier::instance();
    for (auto signal : {&KestDeviceNotifier::connectionChanged, &KestDeviceNotifier::deviceConnected,
                        &KestDeviceNotifier::lastDeviceRemoved, &KestDeviceNotifier::devicesReopened})
        connect(devices, signal, m_bus, refresh);

    if (window)
        attachWindow(window);
    retranslate();
}

KestDesktopBridge::~KestDesktopBridge()
{
    if (m_ownsWindow)
        delete m_window.data();
}

MousecfgWidget *KestDesktopBridge::window() const
{
    return m_window.data();
}

KestNotices *KestDesktopBridge::notices() const
{
    return m_core->notices();
}

KestFocusSwitcher *KestDesktopBridge::focusSwitcher() const
{
    return m_core->focusSwitcher();
}

QSystemTrayIcon *KestDesktopBridge::trayIcon() const
{
    return m_trayStatus ? m_trayStatus->icon() : nullptr;
}

int KestDesktopBridge::batteryPercent() const
{
    return m_core->status().battery;
}

bool KestDesktopBridge::charging() const
{
    return m_core->status().charging;
}

void KestDesktopBridge::attachWindow(MousecfgWidget *window)
{
    m_window = window;
    window->setDesktopBridge(this);
    window->installEventFilter(this);
    m_trayStatus->offerSwitchesIn(window);
    connect(window, &MousecfgWidget::rulesDialogRequested, this, &KestDesktopBridge::openRulesDialog);
    connect(window, &MousecfgWidget::stateChanged, m_trayStatus, &KestTrayStatus::refresh);
    connect(window, &MousecfgWidget::stateChanged, m_bus, [this] { m_bus->refresh(); });
}

MousecfgWidget *KestDesktopBridge::ensureWindow()
{
    if (m_window)
        return m_window;
    auto *window = new MousecfgWidget(m_core);
    window->setWindowTitle(readDescriptionProductName());
    m_ownsWindow = true;
    attachWindow(window);
    return window;
}

void KestDesktopBridge::showWindow()
{
    ensureWindow()->bringToFront();
    tellPendingFiles();
}

void KestDesktopBridge::tellRefusedFiles(const QVector<KestFileResult> &refused)
{
    m_refusedFiles += refused;
    if (windowShown())
        tellPendingFiles();
}

void KestDesktopBridge::tellPendingFiles()
{
    const QVector<KestFileResult> refused = std::exchange(m_refusedFiles, {});
    for (const KestFileResult &file : refused) {
        KestMessageBox box(KestMessageBox::Warning, QString(),
                           QCoreApplication::translate("KestProfileManager", "Warning"), file.text(),
                           windowShown() ? m_window.data() : nullptr);
        box.exec();
    }
}

bool KestDesktopBridge::windowShown() const
{
    return m_window && m_window->isShownNormally();
}

void KestDesktopBridge::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
        return;
    // While the disconnect warning is open the window stays as it is.
    if (m_window && m_window->isWarningOpen())
        return;
    if (windowShown())
        m_window->hide();
    else
        showWindow();
}

KestDesktopBridge::QuitBlock KestDesktopBridge::quitBlock() const
{
    if (QApplication::activeModalWidget())
        return QuitBlock::DialogOpen;
    if (m_core->hasUnappliedEdits())
        return QuitBlock::UnappliedEdits;
    return QuitBlock::None;
}

void KestDesktopBridge::requestQuit()
{
    if (m_window) {
        // The question belongs to the window that holds the edits, shown for it.
        if (m_core->hasUnappliedEdits()) {
            showWindow();
            KestProfileManager *profiles = m_window->profileManager();
            if (profiles && !profiles->settleUnappliedEdits())
                return;
        }
        emit m_window->quitRequested();
        return;
    }
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void KestDesktopBridge::openRulesDialog()
{
    QStringList names;
    for (const QString &name : m_core->working().names)
        names << name;
    KestRulesDialog dialog(focusSwitcher(), names, m_window);
    dialog.exec();
}

void KestDesktopBridge::retranslate()
{
    if (m_trayStatus)
        m_trayStatus->refresh();
    if (m_notificationsAction)
        m_notificationsAction->setText(tr("Desktop &notifications"));
}

bool KestDesktopBridge::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: while the window is being destroyed it still sends events here, and
    // looking at the pointer then would treat a half-destroyed widget as the window.
    if (event->type() == QEvent::LanguageChange && watched == m_window)
        retranslate();
    return QObject::eventFilter(watched, event);
}
