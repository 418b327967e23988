// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/kestdeviceworker.h"

#include <QMutexLocker>
#include <QSemaphore>
#include <QTimer>

#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestdevicecontext.h"
#include "device/writeconfig.h"
#include "platform/pointerspeed.h"

KestDeviceWorker::KestDeviceWorker(QObject *parent) : QObject(parent), m_link(KestDeviceContext::link())
{
    m_thread.setObjectName(QStringLiteral("mousecfg device"));
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
    m_link.setCancelled(false);
    m_link.setRouting({[this](std::function<void()> event) { post(std::move(event)); },
                      [this](int ms, std::function<void()> resume) { pause(ms, std::move(resume)); }});
}

KestDeviceWorker::~KestDeviceWorker()
{
    m_link.setRouting({});
    m_link.setCancelled(true);
    {
        QMutexLocker lock(&m_lock);
        m_jobs.clear();
    }
    QSemaphore closed;
    QMetaObject::invokeMethod(
        m_context,
        [this, &closed] {
            // A reopen pause in progress still holds the exchange lock; end it first.
            std::function<void()> resume;
            {
                QMutexLocker lock(&m_lock);
                resume.swap(m_resume);
                m_paused = false;
            }
            if (resume)
                resume();
            CloseDevices();
            m_link.backend()->exit();
            closed.release();
        },
        Qt::QueuedConnection);
    closed.acquire();
    m_thread.quit();
    m_thread.wait();
    m_link.setCancelled(false);
}

void KestDeviceWorker::post(std::function<void()> job)
{
    {
        QMutexLocker lock(&m_lock);
        m_jobs.push_back(std::move(job));
    }
    QMetaObject::invokeMethod(m_context, [this] { drain(); }, Qt::QueuedConnection);
}

void KestDeviceWorker::call(const std::function<void()> &job)
{
    if (QThread::currentThread() == &m_thread) {
        job();
        return;
    }
    QSemaphore done;
    post([&job, &done] {
        job();
        done.release();
    });
    done.acquire();
}

void KestDeviceWorker::drain()
{
    bool ranAny = false;
    for (;;) {
        std::function<void()> job;
        {
            QMutexLocker lock(&m_lock);
            if (m_paused || m_jobs.empty())
                break;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_running = true;
        }
        job();
        ranAny = true;
        QMutexLocker lock(&m_lock);
        m_running = false;
    }
    if (ranAny && isIdle())
        emit idle();
}

void KestDeviceWorker::pause(int ms, std::function<void()> resume)
{
    {
        QMutexLocker lock(&m_lock);
        m_paused = true;
        m_resume = std::move(resume);
    }
    QTimer::singleShot(ms, m_context, [this] {
        std::function<void()> resume;
        {
            QMutexLocker lock(&m_lock);
            resume.swap(m_resume);
            m_paused = false;
        }
        if (resume)
            resume();
        drain();
    });
}

bool KestDeviceWorker::isIdle() const
{
    QMutexLocker lock(&m_lock);
    return m_jobs.empty() && !m_running && !m_paused;
}

void KestDeviceWorker::selectSlot(int slot, int pointerSpeed)
{
    post([this, slot, pointerSpeed] {
        const quint8 result = SelectProfileOnDevice(slot, pointerSpeed);
        emit slotSelected(slot, result);
    });
}

void KestDeviceWorker::applyPointerSpeed(int speed)
{
    post([speed] { setPointerSpeed(speed); });
}
