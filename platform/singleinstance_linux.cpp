// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/singleinstance.h"
#include "platform/localsocket.h"
#include "platform/logging.h"
#include "platform/runtimefolder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QUrl>

namespace {

// What a second start sends, and what the running copy answers once it is shown.
const QByteArray kRaise = QByteArrayLiteral("raise\n");
const QByteArray kShown = QByteArrayLiteral("shown\n");

// Empty when this user has no private runtime folder: then there is no lock to share
// and no door to knock at, rather than ones another user could have made first.
QString runtimeFile(const QString &name, const QString &suffix)
{
    const QString folder = privateRuntimeFolder();
    if (folder.isEmpty())
        return QString();
    // Percent-encoding keeps every product name a distinct, valid file name.
    return folder + QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(name)) + suffix;
}

} // namespace

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
    return runtimeFile(name, QStringLiteral(".lock"));
}

bool KestSingleInstance::tryLock()
{
    if (m_fd >= 0)
        return true;
    const QString file = lockFilePath(m_name);
    const QByteArray path = QFile::encodeName(file);
    // An advisory lock on an open file: the kernel drops it when the process
    // ends, crashed or not. Close-on-exec keeps programs we start (the
    // on-screen display) from inheriting it and outliving us with it.
    const int fd = file.isEmpty() ? -1 : openPrivateLockFile(file);
    if (fd < 0) {
        // Better two copies than none: let this one run unguarded.
        qCWarning(lcDesktop, "single instance: cannot create %s: %s", path.constData(), std::strerror(errno));
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

KestActivationServer::KestActivationServer(const QString &name, QObject *parent)
    : QObject(parent), m_name(name)
{
}

KestActivationServer::~KestActivationServer() = default;

QString KestActivationServer::socketPath(const QString &name)
{
    return runtimeFile(name, QStringLiteral(".sock"));
}

bool KestActivationServer::listen()
{
    if (isListening())
        return true;
    const QString path = socketPath(m_name);
    if (path.isEmpty()) {
        qCWarning(lcDesktop, "single instance: no private runtime folder; later starts cannot reach this one");
        return false;
    }
    auto *server = new KestLocalServer(this);
    if (!server->listen(path)) {
        qCWarning(lcDesktop, "single instance: cannot listen on %s: %s", qPrintable(path),
                  qPrintable(server->errorString()));
        delete server;
        return false;
    }
    m_server = server;
    connect(m_server, &KestLocalServer::connected, this, &KestActivationServer::onConnection);
    return true;
}

bool KestActivationServer::isListening() const
{
    return m_server && m_server->isListening();
}

void KestActivationServer::onConnection(KestLocalConnection *connection)
{
    connect(connection, &KestLocalConnection::readyRead, this, [this, connection] {
        const int end = connection->buffer().indexOf('\n');
        if (end < 0)
            return;
        const bool raise = connection->buffer().left(end + 1) == kRaise;
        // Answer first: showing the window may open a modal warning.
        if (raise)
            connection->write(kShown);
        connection->close();
        if (raise)
            emit activationRequested();
    });
}

bool KestActivationServer::requestActivation(const QString &name, int timeoutMs)
{
    const QString path = socketPath(name);
    if (path.isEmpty())
        return false;
    QByteArray answer;
    localsocket::exchange(path, kRaise, kShown.size(), timeoutMs, &answer);
    return answer == kShown;
}
