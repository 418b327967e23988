// SPDX-License-Identifier: GPL-2.0-or-later
// Hiding into the tray, show-or-warn, and what hot-plug does to the window.

#include "app/mousecfgwidget.h"

#include <QApplication>

#include "app/kestdesktopbridge.h"
#include "core/kestmousecore.h"
#include "device/discovery.h"
#include "widgets/kestmessagebox.h"

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

QSystemTrayIcon *MousecfgWidget::trayIcon() const
{
    return m_shell ? m_shell->trayIcon() : nullptr;
}

void MousecfgWidget::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (m_shell)
        m_shell->trayActivated(reason);
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

bool MousecfgWidget::isShownNormally() const
{
    return isVisible() && !(windowState() & Qt::WindowMinimized);
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
    if (result == QDialog::Accepted && m_core->connectedCount() == 0 && hasTray())
        hide();
    m_warningOpen = false;
}

void MousecfgWidget::onDisconnectWarning()
{
    // The warning belongs to a window the user looks at; hidden in the tray the desktop
    // notification says it alone.
    if (isShownNormally())
        slotWarning();
}

void MousecfgWidget::slotWarnClose()
{
    refreshConnectionState();
}
