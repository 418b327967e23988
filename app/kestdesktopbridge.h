// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QVector>

#include "store/kestfileresult.h"

class KestBusService;
class KestFocusSwitcher;
class KestMouseCore;
class KestNotices;
class KestOsdClient;
class KestTrayStatus;
class MousecfgWidget;

// The program's faces over the core, and the one place that knows whether a window
// exists: the tray, the session-bus interface, desktop notifications and the on-screen
// display. None of them needs the window: it is built on the first Show (tray, bus,
// second start) when the program started hidden. Only the window asks questions; a
// face here reports to its caller or the desktop instead.
class KestDesktopBridge final : public QObject
{
    Q_OBJECT

public:
    // `window` is a window that made this bridge for itself (and owns it); without one the
    // bridge builds its own window when first asked to show it, and owns that.
    KestDesktopBridge(KestMouseCore *core, MousecfgWidget *window, QObject *parent = nullptr);
    ~KestDesktopBridge() override;

    KestMouseCore *core() const { return m_core; }
    KestNotices *notices() const;
    QAction *notificationsAction() const { return m_notificationsAction; }
    KestBusService *busService() const { return m_bus; }
    KestTrayStatus *trayStatus() const { return m_trayStatus; }
    QSystemTrayIcon *trayIcon() const;
    KestFocusSwitcher *focusSwitcher() const;

    // The window, or null while none was built.
    MousecfgWidget *window() const;
    MousecfgWidget *ensureWindow();
    // Show means shown: built if need be, unminimised, shown, raised and active (or the
    // warning that no mouse is connected).
    void showWindow();
    bool windowShown() const;
    // The tray icon was clicked: the window comes up, or goes into the tray.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    // The tray's Quit: asks once about unapplied edits (in the window), then ends.
    void requestQuit();
    // Why the program cannot end now without the user's word; empty when it can.
    enum class QuitBlock { None, DialogOpen, UnappliedEdits };
    QuitBlock quitBlock() const;
    // Files the start refused, told in boxes over the window: now when it is shown, else
    // when it first shows.
    void tellRefusedFiles(const QVector<KestFileResult> &refused);
    void tellPendingFiles();
    // The per-program profiles dialog (the profile area's rules button).
    void openRulesDialog();

    // The battery as the desktop sees it: percent 1..100, -1 when unknown.
    int batteryPercent() const;
    bool charging() const;

signals:
    // Battery or charging changed.
    void batteryChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void attachWindow(MousecfgWidget *window);
    void retranslate();

    KestMouseCore *m_core;
    QPointer<MousecfgWidget> m_window;
    bool m_ownsWindow = false;
    KestOsdClient *m_osd = nullptr;
    KestBusService *m_bus = nullptr;
    KestTrayStatus *m_trayStatus = nullptr;
    QPointer<QAction> m_notificationsAction;
    QVector<KestFileResult> m_refusedFiles;
    int m_battery = -1;
    bool m_charging = false;
};
