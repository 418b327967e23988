#pragma once

#include <QString>

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

// The lock name of a product: its name followed by " Wireless Gaming Mouse Mutex1".
QString singleInstanceName(const QString &productName);
