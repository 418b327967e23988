// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QObject>
#include <QSet>
#include <QString>

#include "platform/desktopnotification.h"

// When the utility tells the desktop something: the battery running low (once per
// discharge at 15 %, again at 5 %), the mouse coming and going, and a write that failed
// while nobody looked at the window. The user can turn all of it off.
class KestNotices final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kLowBattery = 15;
    static constexpr int kEmptyBattery = 5;
    // A level this far above "low" without charging seen means a fresh battery.
    static constexpr int kRechargedMargin = 10;

    using Sender = std::function<void(const QString &summary, const QString &body)>;
    // kind: notices of one kind replace one another on the desktop ("battery",
    // "connection", "write", "switch").
    using NoticeSender = std::function<void(const QString &kind, const platform::DesktopNotice &notice)>;

    explicit KestNotices(QObject *parent = nullptr);

    // Tests catch what would go to the desktop.
    void setSender(Sender sender);
    void setNoticeSender(NoticeSender sender) { m_sender = std::move(sender); }

    bool isEnabled() const { return m_enabled; }
    // Also stores the choice in the settings file.
    void setEnabled(bool enabled);

    // percent: 1..100, or 0/-1 when the mouse is off or the level is unknown.
    void batteryChanged(int percent, bool charging);
    void deviceConnected();
    void deviceDisconnected();
    void writeFinished(int status, bool windowVisible);
    void slotSwitchUnconfirmed(int slot);
    // A settings file could not be written. Said once per file and reason in a run: the
    // battery level or a DPI press would otherwise repeat it every few seconds.
    void fileNotSaved(const QString &path, int reason, const QString &text);

    // "Config/Notifications" in the global settings file; on unless set to 0.
    static bool readEnabled();
    static void writeEnabled(bool enabled);

private:
    void notify(const QString &kind, const platform::DesktopNotice &notice);

    platform::DesktopNotifier m_notifier;
    NoticeSender m_sender;
    bool m_enabled = true;
    bool m_warnedLow = false;
    bool m_warnedEmpty = false;
    QSet<QString> m_filesTold;
};
