#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QVector>

class QAction;
class QActionGroup;
class KestDesktopBridge;
class MousecfgWidget;

// What the tray shows of the mouse: the battery level in the icon and the tool tip, the
// current slot, and the five slots at the top of the tray menu to switch to.
class KestTrayStatus final : public QObject
{
    Q_OBJECT

public:
    KestTrayStatus(MousecfgWidget *window, KestDesktopBridge *bridge);

    // Follows the window and the battery; also called on a language change.
    void refresh();

    const QVector<QAction *> &slotActions() const { return m_slotActions; }

    // The tray picture: the utility's icon with a battery gauge along its foot (percent
    // -1: no gauge).
    static QIcon iconWithBattery(const QIcon &base, int percent, bool charging);

private:
    MousecfgWidget *m_window;
    KestDesktopBridge *m_bridge;
    QIcon m_baseIcon;
    QActionGroup *m_group = nullptr;
    QVector<QAction *> m_slotActions;
    QPointer<QAction> m_separator;
    int m_shownPercent = -2;
    bool m_shownCharging = false;
};
