// The tray icon, show-or-warn, and what hot-plug does to the window.

#include "app/mousecfgwidget.h"

#include <QApplication>
#include <QMenu>

#include "device/discovery.h"
#include "store/profilefiles.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestskin.h"

namespace {
std::function<bool()> &trayProbe()
{
    static std::function<bool()> probe = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    return probe;
}
} // namespace

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
    setWindowState(windowState() & ~Qt::WindowMinimized);
    slotWarning();
}

void MousecfgWidget::createTray()
{
    connect(this, &MousecfgWidget::quitRequested, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);
    m_trayMenu = new QMenu(this);
    m_loadConfigAction = m_trayMenu->addAction(tr("&Load Config"));
    connect(m_loadConfigAction, &QAction::triggered, this, &MousecfgWidget::slotWarning);
    m_quitAction = m_trayMenu->addAction(tr("&Quit"));
    connect(m_quitAction, &QAction::triggered, this, &MousecfgWidget::quitRequested);

    m_tray = new QSystemTrayIcon(this);
    m_tray->setContextMenu(m_trayMenu);
    m_tray->setIcon(QIcon(skinPath(QStringLiteral("icon.ico"))));
    m_tray->setToolTip(m_productName);
    connect(m_tray, &QSystemTrayIcon::activated, this, &MousecfgWidget::iconActivated);
    m_tray->setVisible(true);
}

void MousecfgWidget::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
        return;
    // While the disconnect warning is open the window stays as it is.
    if (m_warningOpen)
        return;
    if (isVisible())
        hide();
    else
        slotWarning();
}

QString MousecfgWidget::disconnectText() const
{
    // A mouse that is plugged in but refused to this user needs a different hint.
    const QString permission = permissionProblemText();
    return permission.isEmpty() ? tr("Dongle Disconnect!") : permission;
}

void MousecfgWidget::slotWarning()
{
    show();
    if (m_connectedCount > 0) {
        raise();
        activateWindow();
        return;
    }
    if (m_warningOpen)
        return;
    m_warningOpen = true;
    KestMessageBox box(KestMessageBox::Disconnected, QString(), tr("Warning"), disconnectText(),
                       this, true);
    m_warningBox = &box;
    const int result = box.exec();
    m_warningBox = nullptr;
    // Without a tray the window stays: it shows the mouse as disconnected, and a hidden
    // window could not be brought back.
    if (result == QDialog::Accepted && m_connectedCount == 0 && hasTray())
        hide();
    m_warningOpen = false;
}

void MousecfgWidget::slotWarnClose()
{
    onDeviceConnected();
}

void MousecfgWidget::onDeviceConnected()
{
    // Discovery has opened the handles already.
    m_connectedCount = countConnectedModels();
    setConnectedModelCount(m_connectedCount);
    startBatteryReader();
    reloadCurrentProfile();
    refreshConnectionState();
}

void MousecfgWidget::onLastDeviceRemoved()
{
    stopBatteryReader();
    m_connectedCount = 0;
    setConnectedModelCount(0);
    refreshConnectionState();
}

void MousecfgWidget::onCurrentModelLost()
{
    stopBatteryReader();
}

void MousecfgWidget::onDevicesReopened()
{
    startBatteryReader();
    reloadCurrentProfile();
}

void MousecfgWidget::reloadCurrentProfile()
{
    loadAll(m_working);
    m_lastWritten = m_working;
    refreshPanels();
}
