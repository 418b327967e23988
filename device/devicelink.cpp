#include "device/devicelink.h"

#include <atomic>

#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include "device/kesthidapi.h"
#include "platform/logging.h"

KestHidHandle mouseHandle1 = nullptr;
KestHidHandle commandHandle1 = nullptr;
KestHidHandle mouseHandle2 = nullptr;
KestHidHandle commandHandle2 = nullptr;

namespace {

QMutex g_backendMutex;
std::shared_ptr<KestHidBackend> g_backend;
KestLinkTimings g_timings;
std::atomic<QThread *> g_guiThread{nullptr};
std::atomic<int> g_guiThreadCalls{0};
std::atomic<bool> g_cancelled{false};

} // namespace

KestHidHandle CommandHandle()
{
    return commandHandle2 ? commandHandle2 : commandHandle1;
}

QRecursiveMutex &exchangeMutex()
{
    static QRecursiveMutex mutex;
    return mutex;
}

std::shared_ptr<KestHidBackend> sharedHidBackend()
{
    QMutexLocker lock(&g_backendMutex);
    if (!g_backend)
        g_backend = std::make_shared<KestHidApi>();
    return g_backend;
}

KestHidBackend &hidBackend()
{
    return *sharedHidBackend();
}

void setHidBackend(std::shared_ptr<KestHidBackend> backend)
{
    QMutexLocker exchange(&exchangeMutex());
    QMutexLocker lock(&g_backendMutex);
    g_backend = std::move(backend);
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
    return g_timings;
}

void setLinkTimings(const KestLinkTimings &timings)
{
    g_timings = timings;
}

void declareGuiThread(QThread *thread)
{
    g_guiThread = thread;
}

void noteDeviceCall(const char *where)
{
    QThread *const gui = g_guiThread;
    if (!gui || QThread::currentThread() != gui)
        return;
    ++g_guiThreadCalls;
    qCWarning(lcDevice, "%s called on the GUI thread", where);
    Q_ASSERT_X(false, where, "device I/O on the GUI thread");
}

int deviceCallsOnGuiThread()
{
    return g_guiThreadCalls;
}

void resetDeviceCallsOnGuiThread()
{
    g_guiThreadCalls = 0;
}

void cancelExchanges(bool cancel)
{
    g_cancelled = cancel;
}

bool exchangesCancelled()
{
    return g_cancelled;
}
