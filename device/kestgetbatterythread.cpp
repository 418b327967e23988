// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/kestgetbatterythread.h"

#include <cstring>

#include <QDeadlineTimer>
#include <QDebug>
#include <QMutexLocker>

#include "device/devicelink.h"
#include "device/kestdevicelock.h"
#include "platform/logging.h"

namespace {

// Answer bytes of a status report (answer byte k lies at buffer index k + 1).
constexpr int kSignature1 = 1;
constexpr int kBatteryLow = 4;
constexpr int kBatteryHigh = 5;
constexpr int kDpiLevel = 6;
constexpr int kRate = 7;
constexpr quint8 kSignature[3] = {0xAA, 0xFF, 0xDD};

const quint8 *answerBytes(const quint8 *buffer) { return buffer + 1; }

struct ExchangeUnlocker
{
    ~ExchangeUnlocker() { exchangeMutex().unlock(); }
};

void logAnswer(char pass, const quint8 *buffer)
{
    const quint8 *a = answerBytes(buffer);
    qCDebug(lcExchange, "hid_read 1 %c %x %x %x %x %x %x %x %x.\n", pass, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
}

} // namespace

KestGetBatteryThread::KestGetBatteryThread(QObject *parent) : QThread(parent) {}

KestGetBatteryThread::~KestGetBatteryThread()
{
    stop();
    wait();
}

void KestGetBatteryThread::stop()
{
    {
        QMutexLocker lock(&m_stopLock);
        m_stop = true;
        m_stopRequested.wakeAll();
    }
    hidWakeWaiters(); // the reader may be asleep until the mouse speaks
}

bool KestGetBatteryThread::isStopping() const
{
    QMutexLocker lock(&m_stopLock);
    return m_stop;
}

bool KestGetBatteryThread::pause(int milliseconds)
{
    QMutexLocker lock(&m_stopLock);
    if (!m_stop && milliseconds > 0)
        m_stopRequested.wait(&m_stopLock, static_cast<unsigned long>(milliseconds));
    return m_stop;
}

KestCommandReport KestGetBatteryThread::batteryQuery()
{
    KestCommandReport query(CommandReport::BatteryQuery);
    query[2] = 0xAA;
    query[3] = 0xFF;
    query[4] = 0xDD;
    query.seal();
    return query;
}

bool KestGetBatteryThread::parseStatus(const quint8 *answer, Status &status)
{
    if (std::memcmp(answer + kSignature1, kSignature, sizeof(kSignature)) != 0)
        return false;
    status.batteryLow = answer[kBatteryLow];
    status.batteryHigh = answer[kBatteryHigh];
    status.dpiLevel = quint8(answer[kDpiLevel] & 0x0F); // the high bits are not the level
    status.rate = answer[kRate];
    return true;
}

bool KestGetBatteryThread::lockExchange()
{
    // The link's owner may hold the exchange lock for seconds (a silent mouse, the pause of
    // a hot-plug reopen); a stop must not wait that long.
    while (!exchangeMutex().tryLock(20)) {
        if (isStopping())
            return false;
    }
    return true;
}

KestGetBatteryThread::ReadResult KestGetBatteryThread::readAnswer(quint8 *buffer, int timeoutMs)
{
    std::memset(buffer, 0, CommandReport::BufferSize);
    if (!lockExchange())
        return ReadResult::Nothing;
    const ExchangeUnlocker unlock;
    const KestHidHandle handle = CommandHandle();
    if (!handle)
        return ReadResult::NoDevice;
    const int read = hidReadTimeout(handle, buffer + 1, CommandReport::WireLength, timeoutMs);
    return read > 0 ? ReadResult::Data : ReadResult::Nothing;
}

bool KestGetBatteryThread::queryWritten()
{
    const KestCommandReport query = batteryQuery();
    if (!lockExchange())
        return false;
    const ExchangeUnlocker unlock;
    const KestHidHandle handle = CommandHandle();
    if (!handle)
        return false;
    // While another program talks to the mouse the query waits for the next round: its
    // answer would land among that program's echoes.
    const KestDeviceLock deviceLock(0);
    if (!deviceLock.isHeld())
        return true;
    if (hidWrite(handle, query.data(), CommandReport::WireLength) < 0)
        qCDebug(lcExchange, "Unable to send a feature report.\n");
    return true;
}

void KestGetBatteryThread::emitStatus(const Status &status)
{
    // The status report carries no slot or mode the program knows how to read.
    emit statusReported(0, status.dpiLevel, status.rate, 0);
}

KestHidHandle KestGetBatteryThread::currentHandle(bool *stopping)
{
    *stopping = !lockExchange();
    if (*stopping)
        return nullptr;
    const ExchangeUnlocker unlock;
    return CommandHandle();
}

bool KestGetBatteryThread::queryBattery(quint8 *buffer)
{
    // Only the answer to this query counts, not what an earlier read picked up.
    if (!queryWritten())
        return true; // the next look finds no device and ends the loop
    if (pause(m_timings.afterQueryMs))
        return false;
    if (readAnswer(buffer, m_timings.readTimeoutMs) == ReadResult::NoDevice)
        return true;
    Status status;
    if (parseStatus(answerBytes(buffer), status)) {
        logAnswer('f', buffer);
        emit batteryReported(0, status.batteryLow, status.batteryHigh);
        emitStatus(status);
    }
    return true;
}

bool KestGetBatteryThread::readQueued(quint8 *buffer)
{
    // The reports are already queued when the wait returns, so the reads do not wait; a wake
    // for an answer that a command exchange took finds nothing and lets go at once.
    for (int k = 0; k < 64 && !isStopping(); ++k) {
        const ReadResult result = readAnswer(buffer, 0);
        if (result == ReadResult::NoDevice)
            return false;
        if (result == ReadResult::Nothing)
            break;
        Status status;
        if (parseStatus(answerBytes(buffer), status)) {
            logAnswer('s', buffer);
            emitStatus(status);
        }
    }
    return true;
}

void KestGetBatteryThread::run()
{
    qCDebug(lcExchange, "KestGetBatteryThread.\n");
    quint8 buffer[CommandReport::BufferSize];
    // Listens for one read's time before the first query, as the passes did: a write that
    // starts the moment the reader does finds no query of ours in its way.
    QDeadlineTimer nextQuery(m_timings.readTimeoutMs);
    while (!isStopping()) {
        bool stopping = false;
        const KestHidHandle handle = currentHandle(&stopping);
        if (stopping)
            break;
        if (!handle) {
            emit batteryReported(0, 0, 0);
            return;
        }
        if (nextQuery.hasExpired()) {
            if (!queryBattery(buffer))
                break;
            nextQuery.setRemainingTime(m_timings.queryPeriodMs());
            continue;
        }
        const int waited = hidWaitForInput(handle, int(qMax<qint64>(1, nextQuery.remainingTime())));
        if (waited == KestHidBackend::Unsupported) {
            runPolling(0); // no query was made yet
            return;
        }
        if (waited == 1 && !readQueued(buffer)) {
            emit batteryReported(0, 0, 0);
            return;
        }
        // Gone under the wait: a hot-plug reopen may bring a new handle; look again after a
        // short pause rather than spinning on a dead one.
        if (waited < 0 && pause(m_timings.readTimeoutMs))
            break;
    }
    qCDebug(lcExchange, "KestGetBatteryThread Stop.\n");
}

void KestGetBatteryThread::runPolling(int pass)
{
    quint8 buffer[CommandReport::BufferSize];
    while (!isStopping()) {
        if (readAnswer(buffer, m_timings.readTimeoutMs) == ReadResult::NoDevice) {
            emit batteryReported(0, 0, 0);
            return;
        }
        if (pause(m_timings.afterReadMs))
            break;

        Status status;
        if (pass != 0) {
            // Listening pass: only reports the mouse sent by itself arrive here.
            if (parseStatus(answerBytes(buffer), status)) {
                logAnswer('s', buffer);
                emitStatus(status);
            }
            if (++pass >= m_timings.passesPerQuery)
                pass = 0;
            continue;
        }
        if (!queryBattery(buffer))
            break;
        pass = 1;
    }
    qCDebug(lcExchange, "KestGetBatteryThread Stop.\n");
}
