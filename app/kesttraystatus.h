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
class QTranslator;
class QWidget;
class KestDesktopBridge;

// The tray icon and its menu, a face of its own that needs no window: the battery level in
// the icon and the tool tip, the current slot, the five slots to switch to, "Load Config"
// (the window), "Start at login" and "Quit". Clicking the icon shows or hides the window.
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
    QAction *autostartAction() const { return m_autostartAction; }

    // The menu's switches (start at login, notifications) also on the window's context
    // menu: without a tray that is the only place they can be reached. The window owns
    // the language from then on.
    void offerSwitchesIn(QWidget *window);
    // After a start without the window (at login) nobody has loaded the chosen language:
    // the tray and the notices speak it until the window is built.
    void useStoredLanguage();

    // The tray picture: the utility's icon with a battery gauge along its foot (percent
    // -1: no gauge).
    static QIcon iconWithBattery(const QIcon &base, int percent, bool charging);

signals:
    // The login entry could not be changed; the text names the file and why.
    void autostartRefused(const QString &text);
    // A translation was loaded or dropped here, outside the window.
    void languageChanged();

private:
    // The entry's state is read afresh each time the menu opens: the user or a desktop
    // tool may have removed or disabled it meanwhile.
    void showAutostartState();
    void setAutostart(bool enabled);
    void tellAutostartRefused(const QString &text);

    KestDesktopBridge *m_bridge;
    QSystemTrayIcon *m_tray = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_showAction = nullptr;
    QAction *m_autostartAction = nullptr;
    QTranslator *m_startTranslator = nullptr;
    QAction *m_quitAction = nullptr;
    QIcon m_baseIcon;
    QActionGroup *m_group = nullptr;
    QVector<QAction *> m_slotActions;
    int m_shownPercent = -2;
    bool m_shownCharging = false;
};
