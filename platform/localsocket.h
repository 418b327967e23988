// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The two local doors of the program (a later start knocking, the on-screen display taking
// a text) need a stream socket in the user's private runtime folder and nothing more. Plain
// Unix sockets do it without the toolkit's network library, which would pull in a dozen
// shared libraries (Kerberos among them) that every start would load and relocate.
namespace localsocket {

// Connects to the socket at `path`, sends `request` and reads until `answerSize` bytes came
// (none when 0), each step within `timeoutMs`. False when nobody listens there, the peer
// hung up early or the time ran out; `answer` then holds what arrived.
bool exchange(const QString &path, const QByteArray &request, int answerSize, int timeoutMs,
              QByteArray *answer = nullptr);

// True when a program accepts connections at `path` right now.
bool canConnect(const QString &path);

} // namespace localsocket

class KestLocalConnection;

// Listens at a path; readable only by this user. Each accepted connection is a
// KestLocalConnection, owned by the server until it closes.
class KestLocalServer final : public QObject
{
    Q_OBJECT

public:
    explicit KestLocalServer(QObject *parent = nullptr);
    ~KestLocalServer() override;

    // Removes a socket file left at `path` (the caller holds the right to it) and listens.
    bool listen(const QString &path);
    bool isListening() const { return m_fd >= 0; }
    QString errorString() const { return m_error; }

signals:
    void connected(KestLocalConnection *connection);

private:
    void accept();

    int m_fd = -1;
    QString m_path;
    QString m_error;
    QSocketNotifier *m_notifier = nullptr;
};

// One accepted connection: what the peer sent so far, and a way to answer and hang up.
// It deletes itself later once closed, by either side.
class KestLocalConnection final : public QObject
{
    Q_OBJECT

public:
    KestLocalConnection(int fd, QObject *parent);
    ~KestLocalConnection() override;

    // The bytes received and not yet taken.
    QByteArray &buffer() { return m_buffer; }
    // Sends everything (the answers are a few bytes: a blocked peer is not waited for).
    void write(const QByteArray &data);
    void close();

signals:
    void readyRead();

private:
    void read();

    int m_fd = -1;
    QByteArray m_buffer;
    QSocketNotifier *m_notifier = nullptr;
};
