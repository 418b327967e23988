// SPDX-License-Identifier: GPL-2.0-or-later
#include "osdnotices.h"

#include <unistd.h>

#include <QFile>
#include <QList>

#include "store/kestinifile.h"

OsdNoticeGate::OsdNoticeGate(const QString &settingsPath)
    : m_settingsPath(settingsPath)
{
}

bool OsdNoticeGate::allows(qint64 ownerAgeMs) const
{
    if (ownerAgeMs >= 0 && ownerAgeMs < kQuietAfterStartMs)
        return false;
    KestIniFile settings;
    static_cast<void>(settings.load(m_settingsPath)); // unreadable: notices on, the default
    return settings.intValue(QStringLiteral("Config/Notifications"), 1) != 0;
}

qint64 processAgeMs(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    // The command name in parentheses may hold spaces: count fields after its end.
    const QByteArray line = stat.readAll();
    const int end = line.lastIndexOf(')');
    if (end < 0)
        return -1;
    const QList<QByteArray> fields = line.mid(end + 2).split(' ');
    // starttime is field 22 of the whole line, the 20th after the name.
    constexpr int kStartTimeAfterName = 19;
    if (fields.size() <= kStartTimeAfterName)
        return -1;
    bool ok = false;
    const qint64 startTicks = fields.at(kStartTimeAfterName).toLongLong(&ok);
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    if (!ok || ticksPerSecond <= 0)
        return -1;
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble(&ok);
    if (!ok)
        return -1;
    return qint64(upSeconds * 1000.0) - startTicks * 1000 / ticksPerSecond;
}
