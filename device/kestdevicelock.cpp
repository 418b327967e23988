// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/kestdevicelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDebug>
#include <QDeadlineTimer>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestdevicecontext.h"
#include "platform/logging.h"
#include "platform/runtimefolder.h"

namespace {

constexpr int kRetryMs = 5;

KestDeviceLockTable &locks()
{
    return KestDeviceContext::link().locks();
}

QByteArray hex4(int value)
{
    return QByteArray::number(value & 0xFFFF, 16).rightJustified(4, '0');
}

// Takes the file lock of a device that no holder of this process has yet.
int lockFile(const QByteArray &device, int waitMs)
{
    const QString file = KestDeviceLock::lockFilePath(device);
    const QByteArray path = QFile::encodeName(file);
    const int fd = file.isEmpty() ? -1 : openPrivateLockFile(file);
    if (fd < 0) {
        // A folder we cannot use must not keep the user from the mouse.
        qCWarning(lcDevice, "device lock: no private lock file (%s); exchanges are not kept apart from other "
                            "programs", file.isEmpty() ? "no private runtime folder" : path.constData());
        return -1;
    }
    QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return fd;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            qCWarning(lcDevice, "device lock: flock failed on %s", path.constData());
            ::close(fd);
            return -1;
        }
        if (deadline.hasExpired()) {
            ::close(fd);
            return -2;
        }
        QThread::msleep(kRetryMs);
    }
}

} // namespace

KestDeviceLock::KestDeviceLock(int waitMs) : KestDeviceLock(deviceName(), waitMs) {}

KestDeviceLock::KestDeviceLock(const QByteArray &device, int waitMs) : m_device(device)
{
    if (m_device.isEmpty()) {
        m_held = true;
        return;
    }
    KestDeviceLockTable &table = locks();
    QMutexLocker lock(&table.lock);
    KestDeviceLockTable::Held &held = table.held[m_device];
    if (held.holders == 0 && table.betweenProcesses.load()) {
        const int fd = lockFile(m_device, waitMs);
        if (fd == -2) {
            table.held.erase(m_device);
            return; // another program has the mouse
        }
        held.fd = fd;
    }
    ++held.holders;
    m_counted = true;
    m_held = true;
}

KestDeviceLock::~KestDeviceLock()
{
    if (!m_counted)
        return;
    KestDeviceLockTable &table = locks();
    QMutexLocker lock(&table.lock);
    auto it = table.held.find(m_device);
    if (it == table.held.end() || --it->second.holders > 0)
        return;
    if (it->second.fd >= 0) {
        ::flock(it->second.fd, LOCK_UN);
        ::close(it->second.fd);
    }
    table.held.erase(it);
}

QByteArray KestDeviceLock::deviceName()
{
    QMutexLocker exchange(&exchangeMutex());
    const KestHidHandle handle = CommandHandle();
    if (!handle)
        return QByteArray();
    const KestDeviceEntry &entry = DeviceTable.entries[0];
    const bool cable = handle == commandHandle2;
    return hex4(cable ? entry.vid2 : entry.vid1) + '-' + hex4(cable ? entry.pid2 : entry.pid1);
}

QString KestDeviceLock::lockFilePath(const QByteArray &device)
{
    const QString folder = privateRuntimeFolder();
    if (folder.isEmpty())
        return QString();
    return folder + QStringLiteral("/mousecfg-") + QString::fromLatin1(device) + QStringLiteral(".lock");
}

void KestDeviceLock::setBetweenProcesses(bool on)
{
    locks().betweenProcesses.store(on);
}

bool KestDeviceLock::betweenProcesses()
{
    return locks().betweenProcesses.load();
}

int KestDeviceLock::defaultWaitMs()
{
    return locks().waitMs.load();
}

void KestDeviceLock::setDefaultWaitMs(int waitMs)
{
    locks().waitMs.store(waitMs);
}
