// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Desktop notifications through the session bus (org.freedesktop.Notifications). The
// call is sent without waiting for an answer: a desktop without a notification service,
// or a session without a bus, shows nothing and costs the caller nothing.

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariantMap>

namespace platform {

// The desktop entry, icon and bus name share this id, so the desktop can attribute a
// notification to the program and offer its per-application settings.
inline constexpr const char kDesktopId[] = "org.mousecfg.Mousecfg";
// The application name the desktop shows beside every notification: the menu's name.
inline constexpr const char kNotificationApp[] = "Mouse Configuration";

enum class NoticeUrgency : unsigned char { Low = 0, Normal = 1, Critical = 2 };

struct DesktopNotice {
    QString summary;
    QString body;
    NoticeUrgency urgency = NoticeUrgency::Normal;
    QString category; // "device.added", "device.error"...; empty sends none
    // Shown, then forgotten: not kept in the desktop's notification history.
    bool transient = false;
    quint32 replacesId = 0;
};

// The hints as the desktop receives them (urgency, desktop-entry, category, transient).
QVariantMap desktopNoticeHints(const DesktopNotice &notice);

// Hands one notification to the desktop's notification service. False only when there
// is no session bus to send it on.
bool sendDesktopNotification(const QString &summary, const QString &body,
                             const QString &iconName = QString::fromLatin1(kDesktopId));
bool sendDesktopNotification(const DesktopNotice &notice);

// Sends notices of several kinds and remembers the id the desktop gave the last one of
// each kind: the next notice of that kind replaces it instead of stacking beside it.
class DesktopNotifier final : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject *parent = nullptr);

    // False when there is no session bus.
    bool send(const QString &kind, DesktopNotice notice);

    // 0 until the desktop has answered for a notice of that kind.
    quint32 lastId(const QString &kind) const { return m_ids.value(kind); }

private slots:
    void notificationClosed(quint32 id, quint32 reason);

private:
    QHash<QString, quint32> m_ids;
};

} // namespace platform
