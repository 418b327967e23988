// SPDX-License-Identifier: GPL-2.0-or-later
// Xfce keeps an Acceleration property per pointer device in the "pointers" channel,
// named after the X device: spaces turned into underscores, and every character a
// property name cannot hold left out. A device the user never adjusted has no property
// yet; the X server's list supplies those.

#include "platform/pointerspeed_backends.h"
#include "platform/logging.h"

namespace pointerspeed::detail {

namespace {

const QString kChannel = QStringLiteral("pointers");
const QString kProperty = QStringLiteral("Acceleration");

QString propertyOf(const QString &device)
{
    return QLatin1Char('/') + device + QLatin1Char('/') + kProperty;
}

// Devices with a setting in the channel, in the order xfconf lists them.
QStringList channelDevices()
{
    QByteArray output;
    if (runTool(QStringLiteral("xfconf-query"), {QStringLiteral("-c"), kChannel, QStringLiteral("-l")},
                &output)
        != 0)
        return {};
    QStringList devices;
    for (const QByteArray &line : output.split('\n')) {
        const QString property = QString::fromUtf8(line.trimmed());
        const QStringList parts = property.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (property.startsWith(QLatin1Char('/')) && parts.size() >= 2 && !devices.contains(parts.first()))
            devices << parts.first();
    }
    return devices;
}

bool isTouchpad(const QString &device)
{
    return device.contains(QLatin1String("touchpad"), Qt::CaseInsensitive);
}

} // namespace

QString xfconfDeviceName(const QString &xDevice)
{
    QString name;
    for (QChar c : xDevice) {
        if (c == QLatin1Char(' '))
            name += QLatin1Char('_');
        else if ((c.unicode() < 0x80 && c.isLetterOrNumber()) || c == QLatin1Char('_') || c == QLatin1Char('-'))
            name += c;
    }
    return name;
}

int xfceWrite(double value)
{
    QStringList devices = channelDevices();
    for (const QString &xDevice : x11PointerDevices()) {
        const QString name = xfconfDeviceName(xDevice);
        if (!name.isEmpty() && !devices.contains(name))
            devices << name;
    }
    int result = kNoDevice;
    bool failed = false;
    // One device the tool will not take must not keep the others at their old speed.
    for (const QString &device : qAsConst(devices)) {
        if (isTouchpad(device))
            continue;
        const int status = runTool(QStringLiteral("xfconf-query"),
                                   {QStringLiteral("-c"), kChannel, QStringLiteral("-p"),
                                    propertyOf(device), QStringLiteral("-n"), QStringLiteral("-t"),
                                    QStringLiteral("double"), QStringLiteral("-s"),
                                    QString::number(value, 'f', 3)});
        if (status != 0) {
            qCWarning(lcDesktop, "pointer speed: xfconf-query did not set %s (status %d)",
                      qPrintable(propertyOf(device)), status);
            if (!failed)
                result = status;
            failed = true;
        } else if (!failed) {
            result = 0;
        }
    }
    return result;
}

bool xfceRead(double *value)
{
    const QStringList devices = channelDevices();
    for (const QString &device : devices) {
        if (isTouchpad(device))
            continue;
        QByteArray output;
        if (runTool(QStringLiteral("xfconf-query"),
                    {QStringLiteral("-c"), kChannel, QStringLiteral("-p"), propertyOf(device)}, &output)
            != 0)
            continue;
        bool ok = false;
        *value = output.toDouble(&ok);
        if (ok)
            return true;
    }
    return false;
}

} // namespace pointerspeed::detail
