// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestsafewrite.h"

#include <atomic>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

KestFileResult::Reason reasonOf(int error)
{
    return error == ENOSPC || error == EDQUOT ? KestFileResult::NoSpace : KestFileResult::WriteFailed;
}

// Root writing into another user's tree takes over their files; and whatever lies in a
// folder its owner controls may change between our look and our write.
bool foreignToRoot(const struct stat &info)
{
    return ::geteuid() == 0 && info.st_uid != 0;
}

// The nearest folder that exists on the way up to path: the one a write would create in.
KestFileResult checkFolder(const QString &folder, const QString &path)
{
    QString existing = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    struct stat info;
    for (;;) {
        if (::stat(QFile::encodeName(existing).constData(), &info) == 0)
            break;
        if (errno != ENOENT && errno != ENOTDIR)
            return KestFileResult::notSaved(path, reasonOf(errno));
        const QString parent = QFileInfo(existing).path();
        if (parent == existing)
            return KestFileResult::notSaved(path, KestFileResult::WriteFailed);
        existing = parent;
    }
    if (!S_ISDIR(info.st_mode))
        return KestFileResult::notSaved(path, KestFileResult::WriteFailed);
    if (foreignToRoot(info))
        return KestFileResult::notSaved(path, KestFileResult::OtherOwner);
    return KestFileResult::saved(path);
}

bool writeAll(int fd, const QByteArray &data, int *error)
{
    const char *p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

KestFileResult KestSafeWrite::check(const QString &path)
{
    const QFileInfo info(path);
    const KestFileResult folder = checkFolder(info.absolutePath(), path);
    if (!folder.isOk())
        return folder;
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        if (errno == ENOENT)
            return KestFileResult::saved(path);
        return KestFileResult::notSaved(path, reasonOf(errno));
    }
    if (!S_ISREG(st.st_mode))
        return KestFileResult::notSaved(path, KestFileResult::NotRegularFile);
    if (foreignToRoot(st))
        return KestFileResult::notSaved(path, KestFileResult::OtherOwner);
    return KestFileResult::saved(path);
}

KestFileResult KestSafeWrite::makeFolder(const QString &folder)
{
    const KestFileResult checked = checkFolder(folder, folder);
    if (!checked.isOk())
        return checked;
    if (!QDir().mkpath(folder))
        return KestFileResult::notSaved(folder, KestFileResult::WriteFailed);
    return KestFileResult::saved(folder);
}

namespace {
std::atomic<quint64> g_writeCount{0};
} // namespace

quint64 KestSafeWrite::writeCount()
{
    return g_writeCount.load();
}

KestFileResult KestSafeWrite::replace(const QString &path, const QByteArray &data)
{
    ++g_writeCount;
    const KestFileResult checked = check(path);
    if (!checked.isOk())
        return checked;
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return KestFileResult::notSaved(path, KestFileResult::WriteFailed);

    const QByteArray target = QFile::encodeName(path);
    struct stat old;
    const bool replacing = ::lstat(target.constData(), &old) == 0;
    // O_EXCL never opens what is already there, so nothing planted under the temporary
    // name can be written through.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = target + ".tmp-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return KestFileResult::notSaved(path, reasonOf(errno));
    int error = 0;
    bool ok = writeAll(fd, data, &error);
    if (ok && replacing && ::fchmod(fd, old.st_mode & 07777) != 0) {
        error = errno;
        ok = false;
    }
    // Some file systems report a full disk only when the file is closed.
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    // rename() replaces the directory entry: a link planted since check() is itself
    // replaced, never followed.
    if (ok && ::rename(temporary.constData(), target.constData()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return KestFileResult::notSaved(path, error == EISDIR ? KestFileResult::NotRegularFile : reasonOf(error));
    }
    return KestFileResult::saved(path);
}
