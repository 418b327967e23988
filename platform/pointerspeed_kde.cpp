// SPDX-License-Identifier: GPL-2.0-or-later
// KDE Plasma keeps the speed in kcminputrc: the X11 session reads [Mouse], KWin on
// Wayland reads one [Libinput][vendor][product][name] group per device. Neither watches
// the file, so the running session is told as well: KWin through its input-device bus
// objects, the X server through the device property.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVariant>

#include "platform/pointerspeed_backends.h"

namespace pointerspeed::detail {

namespace {

constexpr int kBusTimeoutMs = 500;
const QString kKwinService = QStringLiteral("org.kde.KWin");
const QString kDevicePath = QStringLiteral("/org/kde/KWin/InputDevice");
const QString kX11Key = QStringLiteral("XLbInptPointerAcceleration");
const QString kWaylandKey = QStringLiteral("PointerAcceleration");

QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/kcminputrc");
}

bool isWayland()
{
    return qEnvironmentVariable("XDG_SESSION_TYPE").compare(QLatin1String("wayland"), Qt::CaseInsensitive)
           == 0;
}

QString headerOf(const QStringList &group)
{
    QString header;
    for (const QString &part : group)
        header += QLatin1Char('[') + part + QLatin1Char(']');
    return header;
}

QVariant busProperty(const QString &path, const QString &interface, const QString &name)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kKwinService, path,
                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << interface << name;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kBusTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

struct KwinDevice
{
    QString sysName;
    QString name;
    quint32 vendor = 0;
    quint32 product = 0;
};

// KWin's mice (touchpads keep their own speed); empty without KWin on the bus.
QVector<KwinDevice> kwinPointers()
{
    QVector<KwinDevice> devices;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return devices;
    const QStringList sysNames =
        busProperty(kDevicePath, QStringLiteral("org.kde.KWin.InputDeviceManager"),
                    QStringLiteral("devicesSysNames"))
            .toStringList();
    const QString interface = QStringLiteral("org.kde.KWin.InputDevice");
    for (const QString &sysName : sysNames) {
        const QString path = kDevicePath + QLatin1Char('/') + sysName;
        if (!busProperty(path, interface, QStringLiteral("pointer")).toBool()
            || busProperty(path, interface, QStringLiteral("touchpad")).toBool())
            continue;
        KwinDevice device;
        device.sysName = sysName;
        device.name = busProperty(path, interface, QStringLiteral("name")).toString();
        device.vendor = busProperty(path, interface, QStringLiteral("vendor")).toUInt();
        device.product = busProperty(path, interface, QStringLiteral("product")).toUInt();
        devices << device;
    }
    return devices;
}

bool setKwinAcceleration(const QString &sysName, double value)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kKwinService, kDevicePath + QLatin1Char('/') + sysName,
                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Set"));
    call << QStringLiteral("org.kde.KWin.InputDevice") << QStringLiteral("pointerAcceleration")
         << QVariant::fromValue(QDBusVariant(value));
    return QDBusConnection::sessionBus().call(call, QDBus::Block, kBusTimeoutMs).type()
           == QDBusMessage::ReplyMessage;
}

} // namespace

QString kconfigValue(const QByteArray &text, const QStringList &group, const QString &key)
{
    const QString header = headerOf(group);
    bool inGroup = false;
    for (const QByteArray &raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == header;
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (inGroup && eq > 0 && line.left(eq).trimmed() == key)
            return line.mid(eq + 1).trimmed();
    }
    return {};
}

QByteArray withKconfigValue(const QByteArray &text, const QStringList &group, const QString &key,
                            const QString &value)
{
    const QString header = headerOf(group);
    const QByteArray entry = (key + QLatin1Char('=') + value).toUtf8();
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    int groupLine = -1;
    int lastInGroup = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i)).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            if (groupLine >= 0 && lastInGroup >= groupLine)
                break; // past our group
            if (line == header)
                groupLine = lastInGroup = i;
            continue;
        }
        if (groupLine < 0)
            continue;
        if (!line.isEmpty())
            lastInGroup = i;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed() == key) {
            lines[i] = entry;
            return lines.join('\n') + '\n';
        }
    }
    if (groupLine < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QByteArray();
        lines << header.toUtf8() << entry;
    } else {
        lines.insert(lastInGroup + 1, entry);
    }
    return lines.join('\n') + '\n';
}

int kdeWrite(double value)
{
    const QString number = QString::number(value, 'f', 3);
    const QString path = settingsPath();
    QFile in(path);
    QByteArray text;
    if (in.open(QIODevice::ReadOnly))
        text = in.readAll();
    in.close();

    text = withKconfigValue(text, {QStringLiteral("Mouse")}, kX11Key, number);
    const QVector<KwinDevice> devices = kwinPointers();
    for (const KwinDevice &device : devices) {
        // A name with brackets would break the group header; such a device keeps only
        // the live value.
        if (!device.name.contains(QLatin1Char('[')) && !device.name.contains(QLatin1Char(']')))
            text = withKconfigValue(text,
                                    {QStringLiteral("Libinput"), QString::number(device.vendor),
                                     QString::number(device.product), device.name},
                                    kWaylandKey, number);
    }

    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        return kNotStored;

    // The file is what the desktop keeps; telling the running session is best effort
    // (a Plasma without KWin on the bus, an X server without libinput).
    for (const KwinDevice &device : devices)
        setKwinAcceleration(device.sysName, value);
    if (!isWayland() && !qEnvironmentVariableIsEmpty("DISPLAY"))
        x11Write(value);
    return 0;
}

bool kdeRead(double *value)
{
    QFile file(settingsPath());
    QByteArray text;
    if (file.open(QIODevice::ReadOnly))
        text = file.readAll();
    const QString stored = kconfigValue(text, {QStringLiteral("Mouse")}, kX11Key);
    // Plasma's own default when the user never set a speed.
    if (stored.isEmpty()) {
        *value = 0.0;
        return true;
    }
    bool ok = false;
    *value = stored.toDouble(&ok);
    return ok;
}

} // namespace pointerspeed::detail
