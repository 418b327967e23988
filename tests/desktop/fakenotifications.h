// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A notification service of the test's own, on its own connection to the test's bus:
// the utility's connection sends, this one receives, both in the test's event loop.

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    ~FakeNotifications() override { stop(); }

    bool start()
    {
        m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-notifications"));
        return m_bus.isConnected()
               && m_bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                       QDBusConnection::ExportAllSlots)
               && m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

    void stop()
    {
        if (!m_bus.isConnected())
            return;
        m_bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        m_bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-notifications"));
        m_bus = QDBusConnection(QString());
    }

    QStringList summaries;
    QStringList apps;

public slots:
    uint Notify(const QString &app, uint, const QString &, const QString &summary, const QString &,
                const QStringList &, const QVariantMap &, int)
    {
        apps << app;
        summaries << summary;
        return uint(summaries.size());
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }

private:
    QDBusConnection m_bus{QString()};
};
