// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Keeps programs apart on one mouse: mousecfgctl and the running window must not
// interleave their exchanges. An exclusive lock (flock) on a file in the user's private
// runtime folder (see privateRuntimeFolder()), named after the device whose command
// interface is in use ("mousecfg-c0de-0d02.lock"). Without such a folder, or for a
// simulated mouse (each lives in its own process, so there is nothing to share), only the
// holders of this process are kept apart. Within one process the lock is shared: the first holder
// takes it, nested and concurrent holders of the same device ride on it, the last one to
// leave releases it (threads of one process are ordered by the exchange mutex instead).
class KestDeviceLock final
{
public:
    // Waits up to `waitMs` for the lock of the device in use (see deviceName()); 0 tries
    // once. Without a device there is nothing to lock and the lock counts as held.
    explicit KestDeviceLock(int waitMs = defaultWaitMs());
    // The same for a named device (tests).
    KestDeviceLock(const QByteArray &device, int waitMs);
    ~KestDeviceLock();

    KestDeviceLock(const KestDeviceLock &) = delete;
    KestDeviceLock &operator=(const KestDeviceLock &) = delete;

    // False when another program held the lock for the whole wait.
    bool isHeld() const { return m_held; }

    // The name of the device whose command interface CommandHandle() picks, as
    // "vendor-product" in hex; empty when no command interface is open.
    static QByteArray deviceName();
    // Empty when this user has no private runtime folder.
    static QString lockFilePath(const QByteArray &device);

    // Whether the lock is also taken between processes (the default). A simulated mouse
    // turns it off for its process; tests of the lock turn it back on.
    static void setBetweenProcesses(bool on);
    static bool betweenProcesses();

    // How long an exchange waits for another program before it gives up: long enough for
    // a whole write of the profile set, short enough to say "busy" to a waiting user.
    static int defaultWaitMs();
    static void setDefaultWaitMs(int waitMs);

private:
    QByteArray m_device;
    bool m_held = false;
    bool m_counted = false;
};
