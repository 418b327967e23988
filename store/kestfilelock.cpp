// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestfilelock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace {

// Whether `fd` is still the file at `path`: a holder removes the file when it lets go, and
// a lock on a removed file keeps nobody out.
bool stillThere(int fd, const QByteArray &path)
{
    struct stat opened, named;
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0
           && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

KestFileLock::KestFileLock(const QString &path, int timeoutMs) : m_path(path)
{
    const QByteArray name = QFile::encodeName(path);
    const QDeadlineTimer deadline(timeoutMs);
    do {
        // Never through a link planted there; owner-only like the settings it guards.
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return; // a folder that takes no file: the caller goes ahead without
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (stillThere(fd, name)) {
                m_fd = fd;
                return;
            }
            ::close(fd); // taken on a file its holder removed meanwhile: try the new one
            continue;
        }
        ::close(fd);
        if (errno != EWOULDBLOCK && errno != EINTR)
            return;
        QThread::msleep(5);
    } while (!deadline.hasExpired());
}

KestFileLock::~KestFileLock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so whoever opens the name next makes a new file and
    // whoever waits on this one sees it gone.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
}
