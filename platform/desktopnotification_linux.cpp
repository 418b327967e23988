// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

QDBusMessage notifyCall(const DesktopNotice &notice)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    // Notify(app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout);
    // -1 lets the desktop choose how long it stays.
    call << QString::fromLatin1(kNotificationApp) << uint(notice.replacesId) << QString::fromLatin1(kDesktopId)
         << notice.summary << notice.body << QStringList() << desktopNoticeHints(notice) << int(-1);
    call.setAutoStartService(true);
    return call;
}

} // namespace

QVariantMap desktopNoticeHints(const DesktopNotice &notice)
{
    QVariantMap hints;
    // The urgency travels as a byte; any other type is ignored by the desktops.
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(notice.urgency)));
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopId));
    if (!notice.category.isEmpty())
        hints.insert(QStringLiteral("category"), notice.category);
    if (notice.transient)
        hints.insert(QStringLiteral("transient"), true);
    return hints;
}

bool sendDesktopNotification(const DesktopNotice &notice)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // Nobody waits for the id; an error answer (no service) is dropped by the bus.
    return bus.send(notifyCall(notice));
}

bool sendDesktopNotification(const QString &summary, const QString &body, const QString &iconName)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    DesktopNotice notice;
    notice.summary = summary;
    notice.body = body;
    QDBusMessage call = notifyCall(notice);
    QList<QVariant> arguments = call.arguments();
    arguments[2] = iconName;
    call.setArguments(arguments);
    return bus.send(call);
}

DesktopNotifier::DesktopNotifier(QObject *parent)
    : QObject(parent)
{
    QDBusConnection::sessionBus().connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), this,
                                          SLOT(notificationClosed(quint32, quint32)));
}

bool DesktopNotifier::send(const QString &kind, DesktopNotice notice)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    notice.replacesId = m_ids.value(kind);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(notifyCall(notice)), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, kind](QDBusPendingCallWatcher *call) {
        const QDBusPendingReply<quint32> reply = *call;
        if (reply.isValid())
            m_ids.insert(kind, reply.value());
        call->deleteLater();
    });
    return true;
}

void DesktopNotifier::notificationClosed(quint32 id, quint32 /*reason*/)
{
    // A closed notice cannot be replaced; the next one of its kind is a new bubble.
    for (auto it = m_ids.begin(); it != m_ids.end(); ++it) {
        if (it.value() == id) {
            m_ids.erase(it);
            return;
        }
    }
}

} // namespace platform
