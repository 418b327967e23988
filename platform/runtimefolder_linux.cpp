// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/runtimefolder.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace {

bool privateFolder(const QByteArray &path, bool followLink)
{
    struct stat info;
    const int found = followLink ? ::stat(path.constData(), &info) : ::lstat(path.constData(), &info);
    return found == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

} // namespace

bool isPrivateFolder(const QString &path)
{
    return !path.isEmpty() && privateFolder(QFile::encodeName(path), false);
}

QString privateRuntimeFolder()
{
    // The session's own folder may be reached through a link (a bind-mounted /run); its
    // owner and mode are what count.
    const QByteArray xdg = qgetenv("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && privateFolder(xdg, true))
        return QFile::decodeName(xdg);

    const QString fallback = QDir::tempPath() + QStringLiteral("/mousecfg-") + QString::number(::geteuid());
    const QByteArray path = QFile::encodeName(fallback);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    return privateFolder(path, false) ? fallback : QString();
}

int openPrivateLockFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0)
        return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}
