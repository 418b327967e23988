// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

class KestLocalConnection;
class KestLocalServer;

// A lock held for the life of the process that tells whether another copy of
// the same product already runs. The system drops it when the process ends,
// however it ends, so a crashed copy never blocks the next start.
class KestSingleInstance final
{
public:
    // `name` identifies the product, e.g. "X Wireless Gaming Mouse Mutex1".
    explicit KestSingleInstance(const QString &name);
    ~KestSingleInstance();
    KestSingleInstance(const KestSingleInstance &) = delete;
    KestSingleInstance &operator=(const KestSingleInstance &) = delete;

    // Takes the lock. False only when another process holds it; when the lock
    // file cannot be created this says so in the debug output and returns true.
    bool tryLock();
    bool isLocked() const { return m_fd >= 0; }

    // The file that carries the lock (in the user's runtime folder).
    static QString lockFilePath(const QString &name);

private:
    QString m_name;
    int m_fd = -1;
};

// The running copy's door for later starts: a local socket in the user's runtime
// folder, beside the lock. A second start knocks; the running copy is told to bring
// its window to the front.
class KestActivationServer final : public QObject
{
    Q_OBJECT

public:
    explicit KestActivationServer(const QString &name, QObject *parent = nullptr);
    ~KestActivationServer() override;

    // Opens the door; call only while holding the lock of the same name, since a
    // socket left behind by a crashed copy is removed first.
    bool listen();
    bool isListening() const;

    static QString socketPath(const QString &name);
    // From a start that found the lock taken: asks the running copy to show itself.
    // False when no copy answered within the time.
    static bool requestActivation(const QString &name, int timeoutMs = 2000);

signals:
    void activationRequested();

private:
    void onConnection(KestLocalConnection *connection);

    QString m_name;
    KestLocalServer *m_server = nullptr;
};

// The lock name of a product: its name followed by " Wireless Gaming Mouse Mutex1".
QString singleInstanceName(const QString &productName);
