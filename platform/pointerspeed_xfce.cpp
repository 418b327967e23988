// Xfce keeps an Acceleration property per pointer device in the "pointers" channel,
// named after the X device with spaces turned into underscores. A device the user never
// adjusted has no property yet; the X server's list supplies those.

#include "platform/pointerspeed_backends.h"

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

int xfceWrite(double value)
{
    QStringList devices = channelDevices();
    for (QString name : x11PointerDevices()) {
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        if (!devices.contains(name))
            devices << name;
    }
    int result = kNoDevice;
    for (const QString &device : qAsConst(devices)) {
        if (isTouchpad(device))
            continue;
        const int status = runTool(QStringLiteral("xfconf-query"),
                                   {QStringLiteral("-c"), kChannel, QStringLiteral("-p"),
                                    propertyOf(device), QStringLiteral("-n"), QStringLiteral("-t"),
                                    QStringLiteral("double"), QStringLiteral("-s"),
                                    QString::number(value, 'f', 3)});
        if (status != 0)
            return status;
        result = 0;
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
