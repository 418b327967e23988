// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>

#include <QMutex>
#include <QObject>

#include "device/kestgetbatterythread.h"

// Owns the running battery reader. stop() returns only after the reader's thread has ended,
// so a new reader never shares the command interface with an old one and no thread object
// is left behind. start() and stop() may be called from any thread (the write worker stops
// and restarts the reader around a transaction); the signals are delivered in the thread
// this object lives in.
class KestBatteryReader final : public QObject
{
    Q_OBJECT

public:
    explicit KestBatteryReader(QObject *parent = nullptr);
    ~KestBatteryReader() override;

    // Starts a reader unless one is running. A reader that ended by itself (no device) is
    // replaced.
    void start();
    // Stops the running reader and waits for it. Must not be called with the exchange lock
    // held: the reader may be waiting for it.
    void stop();
    bool isRunning() const;

    void setTimings(const KestGetBatteryThread::Timings &timings);

    // Makes every write stop this reader before its first report and start it again after
    // a successful write. Undone when this object goes away.
    void bindToTransactions();

signals:
    // All zero when the mouse is off or gone.
    void batteryReported(quint8 charge, quint8 level, quint8 levelHigh);
    void statusReported(quint8 slot, quint8 dpiLevel, quint8 rateCode, quint8 lightMode);

private:
    void stopLocked();

    mutable QMutex m_lock;
    std::unique_ptr<KestGetBatteryThread> m_thread;
    KestGetBatteryThread::Timings m_timings;
    bool m_boundToTransactions = false;
};
