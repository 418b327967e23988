// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QVector>

class QAction;
class QActionGroup;
class QMenu;
class QSystemTrayIcon;
class KestDesktopBridge;

// The tray icon and its menu, a face of its own that needs no window: the battery level in
// the icon and the tool tip, the current slot, the five slots to switch to, "Load Config"
// (the window) and "Quit". Clicking the icon shows or hides the window.
class KestTrayStatus final : public QObject
{
    Q_OBJECT

public:
    explicit KestTrayStatus(KestDesktopBridge *bridge);
    ~KestTrayStatus() override;

    // Follows the core and the battery; also called on a language change.
    void refresh();

    QSystemTrayIcon *icon() const { return m_tray; }
    QMenu *menu() const { return m_menu; }
    const QVector<QAction *> &slotActions() const { return m_slotActions; }

    // The tray picture: the utility's icon with a battery gauge along its foot (percent
    // -1: no gauge).
    static QIcon iconWithBattery(const QIcon &base, int percent, bool charging);

private:
    KestDesktopBridge *m_bridge;
    QSystemTrayIcon *m_tray = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_showAction = nullptr;
    QAction *m_quitAction = nullptr;
    QIcon m_baseIcon;
    QActionGroup *m_group = nullptr;
    QVector<QAction *> m_slotActions;
    int m_shownPercent = -2;
    bool m_shownCharging = false;
};
