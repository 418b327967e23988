// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Scripts on the test's private bus: calls to the utility's interface on a connection of
// its own, answered while this thread's event loop keeps serving the utility, the property
// changes the utility announced, and mousecfgctl.

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QTest>
#include <QVariantMap>

#include "app/kestbusservice.h"

class BusClient : public QObject
{
    Q_OBJECT

public:
    // False without a session bus.
    bool open()
    {
        m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("script"));
        return m_bus.isConnected()
               && m_bus.connect(QString::fromLatin1(KestBusService::kService),
                                QString::fromLatin1(KestBusService::kPath),
                                QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
                                this, SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
    }

    QDBusPendingCall callLater(const QString &method, const QVariantList &args = {},
                               const QString &interface = QString::fromLatin1(KestBusService::kInterface))
    {
        QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(KestBusService::kService),
                                                              QString::fromLatin1(KestBusService::kPath), interface, method);
        message.setArguments(args);
        return m_bus.asyncCall(message, 20000);
    }

    QDBusMessage call(const QString &method, const QVariantList &args = {},
                      const QString &interface = QString::fromLatin1(KestBusService::kInterface))
    {
        QDBusPendingCall pending = callLater(method, args, interface);
        QElapsedTimer waited;
        waited.start();
        while (!pending.isFinished() && waited.elapsed() < 20000)
            QTest::qWait(5);
        return pending.reply();
    }

    QVariant property(const QString &name)
    {
        const QDBusMessage reply = call(QStringLiteral("Get"), {QString::fromLatin1(KestBusService::kInterface), name},
                                        QStringLiteral("org.freedesktop.DBus.Properties"));
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        const QVariant value = reply.arguments().value(0).value<QDBusVariant>().variant();
        // Arrays come back marshalled.
        if (value.canConvert<QDBusArgument>())
            return qdbus_cast<QStringList>(value.value<QDBusArgument>());
        return value;
    }

    bool changeSeen(const QString &name, const QVariant &value) const
    {
        for (const QVariantMap &change : m_changes) {
            if (change.contains(name) && change.value(name) == value)
                return true;
        }
        return false;
    }

    int changesOf(const QString &name) const
    {
        int count = 0;
        for (const QVariantMap &change : m_changes)
            count += change.contains(name) ? 1 : 0;
        return count;
    }

    void forgetChanges() { m_changes.clear(); }

    // Runs mousecfgctl on the application folder while this thread keeps serving the bus;
    // `direct` hides the bus from it, so that it reads the files and the mouse itself.
    static int runCtl(const QString &appDir, const QStringList &args, QString *out, QString *err, bool direct = false)
    {
        QProcess ctl;
        if (direct) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
            ctl.setProcessEnvironment(env);
        }
        ctl.start(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"),
                  QStringList{QStringLiteral("--app-dir"), appDir} + args);
        if (!ctl.waitForStarted(5000))
            return -100;
        QElapsedTimer waited;
        waited.start();
        while (ctl.state() != QProcess::NotRunning && waited.elapsed() < 30000)
            QTest::qWait(10);
        *out = QString::fromLocal8Bit(ctl.readAllStandardOutput());
        *err = QString::fromLocal8Bit(ctl.readAllStandardError());
        return ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -101;
    }

private slots:
    void onPropertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &)
    {
        if (interface == QLatin1String(KestBusService::kInterface))
            m_changes << changed;
    }

private:
    QDBusConnection m_bus{QString()};
    QList<QVariantMap> m_changes;
};
