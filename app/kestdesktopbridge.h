#pragma once

#include <QAction>
#include <QObject>
#include <QPointer>

class KestBusService;
class KestFocusSwitcher;
class KestNotices;
class KestTrayStatus;
class MousecfgWidget;

// The utility's face towards the desktop: notifications with their switch in the tray
// menu, the battery and slots in the tray, and the session-bus interface. It watches the window and the device link through their signals, so the
// window needs no code of its own for it.
class KestDesktopBridge final : public QObject
{
    Q_OBJECT

public:
    explicit KestDesktopBridge(MousecfgWidget *window);

    KestNotices *notices() const { return m_notices; }
    QAction *notificationsAction() const { return m_notificationsAction; }
    KestBusService *busService() const { return m_bus; }
    KestTrayStatus *trayStatus() const { return m_trayStatus; }
    KestFocusSwitcher *focusSwitcher() const { return m_focus; }
    // The per-program profiles dialog (the profile area's rules button).
    void openRulesDialog();

    // The battery as the desktop sees it: percent 1..100, -1 when unknown (switched
    // off, no report yet, or running on the cable, which reports no level).
    int batteryPercent() const { return m_battery; }
    bool charging() const { return m_charging; }

signals:
    // Battery or charging changed.
    void batteryChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onBatteryReport(quint8 charge, quint8 level, quint8 high);
    void addTrayOption();
    void retranslate();

    MousecfgWidget *m_window;
    KestNotices *m_notices;
    KestBusService *m_bus = nullptr;
    KestFocusSwitcher *m_focus = nullptr;
    KestTrayStatus *m_trayStatus = nullptr;
    QPointer<QAction> m_notificationsAction;
    int m_battery = -1;
    bool m_charging = false;
};
