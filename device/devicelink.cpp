// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/devicelink.h"

#include <QDebug>
#include <QMutexLocker>
#include <QThread>

#include "device/kestdevicecontext.h"
#include "platform/logging.h"

namespace {

KestDeviceContext &context()
{
    return KestDeviceContext::link();
}

} // namespace

KestHidHandle &mouseHandle1 = KestDeviceContext::link().handles().mouse1;
KestHidHandle &commandHandle1 = KestDeviceContext::link().handles().command1;
KestHidHandle &mouseHandle2 = KestDeviceContext::link().handles().mouse2;
KestHidHandle &commandHandle2 = KestDeviceContext::link().handles().command2;

KestHidHandle CommandHandle()
{
    return context().commandHandle();
}

QRecursiveMutex &exchangeMutex()
{
    return context().exchangeMutex();
}

std::shared_ptr<KestHidBackend> sharedHidBackend()
{
    return context().backend();
}

KestHidBackend &hidBackend()
{
    return *context().backend();
}

void setHidBackend(std::shared_ptr<KestHidBackend> backend)
{
    context().setBackend(std::move(backend));
}

int hidWrite(KestHidHandle device, const quint8 *data, int length)
{
    noteDeviceCall("hidWrite");
    if (!device)
        return -1;
    QMutexLocker lock(&exchangeMutex());
    return hidBackend().write(device, data, length);
}

int hidReadTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds)
{
    noteDeviceCall("hidReadTimeout");
    if (!device)
        return -1;
    QMutexLocker lock(&exchangeMutex());
    return hidBackend().readTimeout(device, data, length, milliseconds);
}

int hidWaitForInput(KestHidHandle device, int milliseconds)
{
    noteDeviceCall("hidWaitForInput");
    if (!device)
        return -1;
    return sharedHidBackend()->waitForInput(device, milliseconds);
}

void hidWakeWaiters()
{
    sharedHidBackend()->wakeWaiters();
}

const KestLinkTimings &linkTimings()
{
    return context().timings();
}

void setLinkTimings(const KestLinkTimings &timings)
{
    context().setTimings(timings);
}

void declareGuiThread(QThread *thread)
{
    context().setGuiThread(thread);
}

void noteDeviceCall(const char *where)
{
    QThread *const gui = context().guiThread();
    if (!gui || QThread::currentThread() != gui)
        return;
    ++context().guiThreadCalls();
    qCWarning(lcDevice, "%s called on the GUI thread", where);
    Q_ASSERT_X(false, where, "device I/O on the GUI thread");
}

int deviceCallsOnGuiThread()
{
    return context().guiThreadCalls();
}

void resetDeviceCallsOnGuiThread()
{
    context().guiThreadCalls() = 0;
}

bool exchangesCancelled()
{
    return context().cancelled();
}
