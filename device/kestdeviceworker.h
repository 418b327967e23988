// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <deque>
#include <functional>

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QThread>

class KestDeviceContext;

// Owns the link for a program with a window: its thread holds the link context
// (kestdevicecontext.h) and does every exchange, every opening and closing of the handles,
// the hot-plug handling and the pointer-speed calls,
// one request after the other in the order they were posted. The GUI thread only posts and
// gets the results back through its event loop, so a slow or silent mouse never freezes it.
class KestDeviceWorker final : public QObject
{
    Q_OBJECT

public:
    explicit KestDeviceWorker(QObject *parent = nullptr);
    // Makes the exchange in flight give up, drops what is still queued, closes the handles
    // and ends the thread; with a silent mouse this takes a few hundred milliseconds.
    ~KestDeviceWorker() override;

    // Runs `job` on the worker after everything posted before it.
    void post(std::function<void()> job);
    // The same, then `done` with the job's result on `context`'s thread, unless `context`
    // is gone by then.
    template <typename Result>
    void request(std::function<Result()> job, QObject *context, std::function<void(Result)> done)
    {
        QPointer<QObject> guard(context);
        post([job = std::move(job), guard, done = std::move(done)] {
            const Result result = job();
            if (guard)
                QMetaObject::invokeMethod(guard, [done, result] { done(result); }, Qt::QueuedConnection);
        });
    }
    // Runs `job` on the worker and waits for it. Only for what must be done before the
    // caller can go on at all (start-up enumeration, leaving for the firmware updater).
    void call(const std::function<void()> &job);

    // Slot switch on the mouse: the profile-menu commands, then the desktop pointer speed
    // of that slot. slotSelected follows with the first failed exchange's result (0 = done).
    void selectSlot(int slot, int pointerSpeed);
    // The desktop pointer speed (an external command on some desktops: never on the GUI).
    void applyPointerSpeed(int speed);

    // Nothing queued, nothing running, no reopen pause pending.
    bool isIdle() const;

signals:
    void slotSelected(int slot, quint8 result);
    // A queue that was busy has run empty.
    void idle();

private:
    void drain();
    void pause(int ms, std::function<void()> resume);

    KestDeviceContext &m_link;
    QThread m_thread;
    QObject *m_context = nullptr; // lives in m_thread; the worker's own calls are posted to it
    mutable QMutex m_lock;
    std::deque<std::function<void()>> m_jobs;
    std::function<void()> m_resume; // the pending end of a reopen pause
    bool m_running = false;
    bool m_paused = false;
};
