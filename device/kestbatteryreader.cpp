// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/kestbatteryreader.h"

#include <QMutexLocker>

#include "device/writeconfig.h"

KestBatteryReader::KestBatteryReader(QObject *parent) : QObject(parent) {}

KestBatteryReader::~KestBatteryReader()
{
    if (m_boundToTransactions)
        setTransactionReaderHooks({});
    stop();
}

void KestBatteryReader::bindToTransactions()
{
    setTransactionReaderHooks({[this] { stop(); }, [this] { start(); }});
    m_boundToTransactions = true;
}

void KestBatteryReader::start()
{
    QMutexLocker lock(&m_lock);
    if (m_thread && m_thread->isRunning() && !m_thread->isStopping())
        return;
    stopLocked();

    m_thread = std::make_unique<KestGetBatteryThread>();
    m_thread->setTimings(m_timings);
    // Emitted on the reader's thread; queued to this object's thread, then passed on.
    connect(m_thread.get(), &KestGetBatteryThread::batteryReported, this,
            &KestBatteryReader::batteryReported, Qt::QueuedConnection);
    connect(m_thread.get(), &KestGetBatteryThread::statusReported, this, &KestBatteryReader::statusReported,
            Qt::QueuedConnection);
    m_thread->start(QThread::InheritPriority);
}

void KestBatteryReader::stop()
{
    QMutexLocker lock(&m_lock);
    stopLocked();
}

void KestBatteryReader::stopLocked()
{
    if (!m_thread)
        return;
    m_thread->stop();
    m_thread->wait();
    m_thread.reset();
}

bool KestBatteryReader::isRunning() const
{
    QMutexLocker lock(&m_lock);
    return m_thread && m_thread->isRunning() && !m_thread->isStopping();
}

void KestBatteryReader::setTimings(const KestGetBatteryThread::Timings &timings)
{
    QMutexLocker lock(&m_lock);
    m_timings = timings;
}
