// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/localsocket.h"

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

namespace {

bool toAddress(const QString &path, sockaddr_un *address)
{
    const QByteArray encoded = QFile::encodeName(path);
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (encoded.isEmpty() || encoded.size() >= int(sizeof address->sun_path))
        return false;
    std::memcpy(address->sun_path, encoded.constData(), size_t(encoded.size()));
    return true;
}

// Waits for `events` on `fd` until the deadline; false when it passed first.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, int(qMax<qint64>(0, deadline.remainingTime())));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// A connected, non-blocking client socket, or -1.
int connectTo(const QString &path, const QDeadlineTimer &deadline)
{
    sockaddr_un address;
    if (!toAddress(path, &address))
        return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
            return fd;
        // A full backlog refuses a non-blocking connect at once; the listener is busy, not
        // gone, so try again until the time is up.
        if ((errno == EAGAIN || errno == EINTR) && !deadline.hasExpired()) {
            QThread::msleep(5);
            continue;
        }
        ::close(fd);
        return -1;
    }
}

} // namespace

namespace localsocket {

bool exchange(const QString &path, const QByteArray &request, int answerSize, int timeoutMs,
              QByteArray *answer)
{
    if (answer)
        answer->clear();
    QDeadlineTimer deadline(timeoutMs);
    const int fd = connectTo(path, deadline);
    if (fd < 0)
        return false;
    bool ok = true;
    for (int sent = 0; ok && sent < request.size();) {
        const ssize_t n = ::send(fd, request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (n > 0)
            sent += int(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && errno == EAGAIN)
            ok = waitFor(fd, POLLOUT, deadline);
        else
            ok = false;
    }
    // Each step has the whole time: a display's first show may be slow to acknowledge.
    deadline = QDeadlineTimer(timeoutMs);
    QByteArray received;
    while (ok && received.size() < answerSize) {
        char chunk[256];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n > 0)
            received.append(chunk, int(n));
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && errno == EAGAIN)
            ok = waitFor(fd, POLLIN, deadline);
        else
            ok = false;
    }
    ::close(fd);
    if (answer)
        *answer = received;
    return ok;
}

bool canConnect(const QString &path)
{
    const int fd = connectTo(path, QDeadlineTimer(100));
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace localsocket

KestLocalServer::KestLocalServer(QObject *parent) : QObject(parent) {}

KestLocalServer::~KestLocalServer()
{
    if (m_fd < 0)
        return;
    delete m_notifier;
    ::close(m_fd);
    // Ours while we listened: a later copy must not find a door nobody answers.
    ::unlink(QFile::encodeName(m_path).constData());
}

bool KestLocalServer::listen(const QString &path)
{
    if (isListening())
        return true;
    sockaddr_un address;
    if (!toAddress(path, &address)) {
        m_error = QStringLiteral("path too long");
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    ::unlink(address.sun_path);
    // The folder is the user's own (0700); the mode keeps the socket so if it is not.
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 16) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &KestLocalServer::accept);
    return true;
}

void KestLocalServer::accept()
{
    for (;;) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            return; // EAGAIN: none left; anything else: the peer gave up meanwhile
        }
        emit connected(new KestLocalConnection(fd, this));
    }
}

KestLocalConnection::KestLocalConnection(int fd, QObject *parent) : QObject(parent), m_fd(fd)
{
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &KestLocalConnection::read);
}

KestLocalConnection::~KestLocalConnection()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void KestLocalConnection::read()
{
    bool ended = false;
    const int before = m_buffer.size();
    for (;;) {
        char chunk[4096];
        const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            m_buffer.append(chunk, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        ended = n == 0 || errno != EAGAIN;
        break;
    }
    if (m_buffer.size() > before)
        emit readyRead();
    if (ended)
        close();
}

void KestLocalConnection::write(const QByteArray &data)
{
    if (m_fd < 0)
        return;
    for (int sent = 0; sent < data.size();) {
        const ssize_t n = ::send(m_fd, data.constData() + sent, size_t(data.size() - sent),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0)
            sent += int(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return;
    }
}

void KestLocalConnection::close()
{
    if (m_fd < 0)
        return;
    m_notifier->setEnabled(false);
    ::close(m_fd);
    m_fd = -1;
    deleteLater();
}
