#pragma once

// Desktop notifications through the session bus (org.freedesktop.Notifications). The
// call is sent without waiting for an answer: a desktop without a notification service,
// or a session without a bus, shows nothing and costs the caller nothing.

#include <QString>

namespace platform {

// The application name the desktop shows beside every notification.
inline constexpr const char kNotificationApp[] = "mousecfg";

// Hands one notification to the desktop's notification service. False only when there
// is no session bus to send it on.
bool sendDesktopNotification(const QString &summary, const QString &body,
                             const QString &iconName = QStringLiteral("input-mouse"));

} // namespace platform
