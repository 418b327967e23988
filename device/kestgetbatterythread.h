// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include "device/commandreport.h"
#include "device/kesthidbackend.h"

// The battery and status reader: listens on the command interface for status reports the
// mouse sends by itself and asks for the battery state every 45th pass. Ends by itself when
// no command interface is open. Its I/O holds the exchange lock, so it never interleaves
// with a command exchange or a hot-plug reopen. Where the backend can wait for input, the
// reader sleeps between queries until the mouse sends something (about one wake-up per
// query instead of sixteen a second); elsewhere it polls in passes.
class KestGetBatteryThread final : public QThread
{
    Q_OBJECT

public:
    explicit KestGetBatteryThread(QObject *parent = nullptr);
    ~KestGetBatteryThread() override;

    // Asks the loop to end; it does so within one read time-out. Does not wait.
    void stop();
    bool isStopping() const;

    // Pacing of the loop. The defaults are what the mouse needs; tests shorten them.
    struct Timings {
        int readTimeoutMs = 50;
        int afterReadMs = 10;
        int afterQueryMs = 100;
        int passesPerQuery = 45;
        // The time the listening passes between two queries take.
        int queryPeriodMs() const { return passesPerQuery * (readTimeoutMs + afterReadMs); }
    };
    void setTimings(const Timings &timings) { m_timings = timings; }

    // The query report (command 0x0A).
    static KestCommandReport batteryQuery();

    // What a status report says; answer byte 0 is the command code.
    struct Status {
        quint8 batteryLow = 0;  // percent; 0 = the mouse is off
        quint8 batteryHigh = 0;
        quint8 dpiLevel = 0;
        quint8 rate = 0;        // report-rate code: 1, 2, 4, 8
    };
    // False for anything without the status signature.
    static bool parseStatus(const quint8 *answer, Status &status);

signals:
    void batteryReported(quint8 charge, quint8 level, quint8 levelHigh);
    void statusReported(quint8 slot, quint8 dpiLevel, quint8 rateCode, quint8 lightMode);

protected:
    void run() override;

private:
    enum class ReadResult { Data, Nothing, NoDevice };
    ReadResult readAnswer(quint8 *answer, int timeoutMs);
    // The command handle as it is now, read under the exchange lock; null when none is open
    // or a stop came first.
    KestHidHandle currentHandle(bool *stopping);
    // One query and its answer; false when the loop must end.
    bool queryBattery(quint8 *buffer);
    // Reads whatever is queued and passes on status reports; false when the device is gone.
    bool readQueued(quint8 *buffer);
    void runPolling(int pass);
    // Takes the exchange lock; false when a stop came first.
    bool lockExchange();
    bool queryWritten();
    // Sleeps, waking early on stop; true when the loop must end.
    bool pause(int milliseconds);
    void emitStatus(const Status &status);

    mutable QMutex m_stopLock;
    QWaitCondition m_stopRequested;
    bool m_stop = false;
    Timings m_timings;
};
