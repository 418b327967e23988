#include "app/kestdesktopbridge.h"

#include <QAction>
#include <QEvent>
#include <QMenu>

#include "app/kestbusservice.h"
#include "app/kestfocusswitcher.h"
#include "app/kestrulesdialog.h"
#include "app/kestnotices.h"
#include "app/kestprofilemanager.h"
#include "app/kesttraystatus.h"
#include "app/mousecfgwidget.h"
#include "device/discovery.h"
#include "device/kestbatteryreader.h"

KestDesktopBridge::KestDesktopBridge(MousecfgWidget *window)
    : QObject(window)
    , m_window(window)
    , m_notices(new KestNotices(this))
{
    // Queued after the window's own slots (connected first), so the window has taken the
    // report in when we look at it.
    if (KestBatteryReader *reader = window->batteryReader())
        connect(reader, &KestBatteryReader::RefreshBatteryStatus, this, &KestDesktopBridge::onBatteryReport);
    KestDeviceNotifier *devices = KestDeviceNotifier::instance();
    connect(devices, &KestDeviceNotifier::deviceConnected, m_notices, &KestNotices::deviceConnected);
    connect(devices, &KestDeviceNotifier::lastDeviceRemoved, this, [this] {
        m_notices->deviceDisconnected();
        onBatteryReport(0, 0, 0);
    });
    if (KestProfileManager *profiles = window->profileManager())
        connect(profiles, &KestProfileManager::writeFinished, this,
                [this](quint8 status) { m_notices->writeFinished(status, m_window->isVisible()); });
    connect(window, &MousecfgWidget::slotSwitchUnconfirmed, m_notices, &KestNotices::slotSwitchUnconfirmed);
    addTrayOption();
    m_trayStatus = new KestTrayStatus(window, this);
    connect(this, &KestDesktopBridge::batteryChanged, m_trayStatus, &KestTrayStatus::refresh);
    connect(window, &MousecfgWidget::StateChangedSignal, m_trayStatus, &KestTrayStatus::refresh);
    window->installEventFilter(this);

    m_focus = new KestFocusSwitcher(window, this);
    connect(window, &MousecfgWidget::rulesDialogRequested, this, &KestDesktopBridge::openRulesDialog);
    m_bus = new KestBusService(window, this);
    const auto refresh = [this] { m_bus->refresh(); };
    connect(this, &KestDesktopBridge::batteryChanged, m_bus, refresh);
    connect(window, &MousecfgWidget::StateChangedSignal, m_bus, refresh);
    if (KestBatteryReader *reader = window->batteryReader())
        connect(reader, &KestBatteryReader::RefreshStatus, m_bus, refresh);
    for (auto signal : {&KestDeviceNotifier::connectionChanged, &KestDeviceNotifier::deviceConnected,
                        &KestDeviceNotifier::lastDeviceRemoved, &KestDeviceNotifier::devicesReopened})
        connect(devices, signal, m_bus, refresh);
    if (KestProfileManager *profiles = window->profileManager())
        connect(profiles, &KestProfileManager::writeFinished, m_bus, refresh);
}

void KestDesktopBridge::openRulesDialog()
{
    QStringList names;
    for (const QString &name : m_window->workingSet().names)
        names << name;
    KestRulesDialog dialog(m_focus, names, m_window);
    dialog.exec();
}

void KestDesktopBridge::onBatteryReport(quint8 charge, quint8 level, quint8)
{
    // The cable both powers the mouse and hides its level.
    const bool cable = cableCommandPresent();
    const int percent = (level == 0 || cable) ? -1 : qMin(int(level), 100);
    const bool charging = charge != 0 || cable;
    m_notices->batteryChanged(percent, charging);
    if (percent != m_battery || charging != m_charging) {
        m_battery = percent;
        m_charging = charging;
        emit batteryChanged();
    }
}

void KestDesktopBridge::addTrayOption()
{
    QSystemTrayIcon *tray = m_window->trayIcon();
    QMenu *menu = tray ? tray->contextMenu() : nullptr;
    if (!menu)
        return;
    m_notificationsAction = new QAction(menu);
    m_notificationsAction->setCheckable(true);
    m_notificationsAction->setChecked(m_notices->isEnabled());
    connect(m_notificationsAction, &QAction::toggled, m_notices, &KestNotices::setEnabled);
    // Above "&Quit", the menu's last entry.
    const QList<QAction *> actions = menu->actions();
    menu->insertAction(actions.isEmpty() ? nullptr : actions.last(), m_notificationsAction);
    retranslate();
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
    if (watched == m_window && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}
