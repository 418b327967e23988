#include "device/devicelink.h"

#include <QDebug>
#include <QMutex>
#include <QMutexLocker>

#include "device/kesthidapi.h"

KestHidHandle mouseHandle1 = nullptr;
KestHidHandle commandHandle1 = nullptr;
KestHidHandle mouseHandle2 = nullptr;
KestHidHandle commandHandle2 = nullptr;

namespace {

QMutex g_backendMutex;
std::shared_ptr<KestHidBackend> g_backend;
KestLinkTimings g_timings;

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
    if (!device)
        return -1;
    QMutexLocker lock(&exchangeMutex());
    return hidBackend().write(device, data, length);
}

int hidReadTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds)
{
    if (!device)
        return -1;
    QMutexLocker lock(&exchangeMutex());
    return hidBackend().readTimeout(device, data, length, milliseconds);
}

const KestLinkTimings &linkTimings()
{
    return g_timings;
}

void setLinkTimings(const KestLinkTimings &timings)
{
    g_timings = timings;
}
