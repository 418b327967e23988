// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestfileresult.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex &refusedLock()
{
    static QMutex lock;
    return lock;
}

QVector<KestFileResult> &refusedFiles()
{
    static QVector<KestFileResult> files;
    return files;
}

} // namespace

QString KestFileResult::reasonText() const
{
    switch (m_reason) {
    case NotFound: return tr("it does not exist");
    case Unreadable: return tr("it cannot be read");
    case TooLarge: return tr("it is larger than %1 MB").arg(MaxFileBytes / (1024 * 1024));
    case NotText: return tr("it holds binary data, not settings text");
    case TooManyEntries: return tr("it holds far more entries than a settings file of this program");
    case NotRegularFile: return tr("a symbolic link or something other than a regular file stands in its place");
    case OtherOwner:
        return tr("it belongs to another user and this program runs as root; install the udev rule and run "
                  "the program as yourself");
    case NoSpace: return tr("there is no space left on the disk");
    case WriteFailed: return tr("it could not be written");
    case OverLimit: return tr("it would hold more than this program reads back");
    case InvalidName: return tr("its name is empty, too long or holds a path separator");
    case NoReason: break;
    }
    return QString();
}

QString KestFileResult::text() const
{
    if (m_status == NotSaved)
        return tr("The file \"%1\" was not saved: %2.").arg(QDir::toNativeSeparators(m_path), reasonText());
    return tr("The file \"%1\" was not used: %2.").arg(QDir::toNativeSeparators(m_path), reasonText());
}

void noteRefusedFile(const KestFileResult &result)
{
    if (!result.isRefused())
        return;
    QMutexLocker lock(&refusedLock());
    for (const KestFileResult &known : refusedFiles()) {
        if (known.path() == result.path())
            return;
    }
    refusedFiles().append(result);
}

QVector<KestFileResult> takeRefusedFiles()
{
    QMutexLocker lock(&refusedLock());
    QVector<KestFileResult> taken;
    taken.swap(refusedFiles());
    return taken;
}
