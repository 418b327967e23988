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
    case NoReason: break;
    }
    return QString();
}

QString KestFileResult::text() const
{
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
