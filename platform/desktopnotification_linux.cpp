#include "platform/desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace platform {

bool sendDesktopNotification(const QString &summary, const QString &body, const QString &iconName)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // Notify(app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout);
    // -1 lets the desktop choose how long it stays.
    call << QString::fromLatin1(kNotificationApp) << uint(0) << iconName << summary << body
         << QStringList() << QVariantMap() << int(-1);
    // Nobody waits for the id; an error answer (no service) is dropped by the bus.
    call.setAutoStartService(true);
    return bus.send(call);
}

} // namespace platform
