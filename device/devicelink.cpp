#include "device/devicelink.h"

#include <QDebug>
#include <QMutex>
#include <QMutexLocker>

#include "device/kesthidapi.h"
#include "device/kestsimmouse.h"

KestHidHandle mouseHandle1 = nullptr;
KestHidHandle commandHandle1 = nullptr;
KestHidHandle mouseHandle2 = nullptr;
KestHidHandle commandHandle2 = nullptr;

namespace {

QMutex g_backendMutex;
std::shared_ptr<KestHidBackend> g_backend;
KestLinkTimings g_timings;

std::shared_ptr<KestHidBackend> backendFromEnvironment()
{
    const QByteArray simulate = qgetenv("MOUSECFG_SIMULATE").trimmed().toLower();
    if (simulate.isEmpty())
        return std::make_shared<KestHidApi>();
    if (simulate == "receiver")
        return std::make_shared<KestSimMouse>(true, false);
    if (simulate == "cable")
        return std::make_shared<KestSimMouse>(false, true);
    if (simulate == "both")
        return std::make_shared<KestSimMouse>(true, true);
    qWarning("MOUSECFG_SIMULATE=%s is not one of receiver, cable, both; using the real devices",
             simulate.constData());
    return std::make_shared<KestHidApi>();
}

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
        g_backend = backendFromEnvironment();
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
