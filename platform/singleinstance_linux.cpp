#include "platform/singleinstance.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>

QString singleInstanceName(const QString &productName)
{
    return productName + QStringLiteral(" Wireless Gaming Mouse Mutex1");
}

KestSingleInstance::KestSingleInstance(const QString &name) : m_name(name) {}

KestSingleInstance::~KestSingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString KestSingleInstance::lockFilePath(const QString &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    // Percent-encoding keeps every product name a distinct, valid file name.
    return folder + QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(name)) + QStringLiteral(".lock");
}

bool KestSingleInstance::tryLock()
{
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(lockFilePath(m_name));
    // An advisory lock on an open file: the kernel drops it when the process
    // ends, crashed or not. Close-on-exec keeps programs we start (the
    // on-screen display) from inheriting it and outliving us with it.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        // Better two copies than none: let this one run unguarded.
        qDebug("single instance: cannot create %s: %s", path.constData(), std::strerror(errno));
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}
