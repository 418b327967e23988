// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Keeps other programs of ours (the window, mousecfgctl, a second user session) from
// reading, changing and replacing the same settings file at once. The lock is the kernel's
// (flock on a file beside the settings): it ends with the process however that ends, and
// taking it writes nothing to disk, so a save on the window's thread does not wait for a
// flush. The lock file is removed on release.
class KestFileLock final
{
public:
    // Waits up to timeoutMs for the lock at `path`; isLocked() tells whether it came.
    KestFileLock(const QString &path, int timeoutMs);
    ~KestFileLock();
    KestFileLock(const KestFileLock &) = delete;
    KestFileLock &operator=(const KestFileLock &) = delete;

    bool isLocked() const { return m_fd >= 0; }

private:
    QString m_path;
    int m_fd = -1;
};
