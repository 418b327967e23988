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
    if (simulate != "receiver" && simulate != "cable" && simulate != "both") {
        qWarning("MOUSECFG_SIMULATE=%s is not one of receiver, cable, both; using the real devices",
                 simulate.constData());
        return std::make_shared<KestHidApi>();
    }
    auto sim = std::make_shared<KestSimMouse>(simulate != "cable", simulate != "receiver");
    applySimulatedFaults(*sim);
    return sim;
}

} // namespace

bool applySimulatedFaults(KestSimMouse &sim)
{
    const QByteArray faults = qgetenv(KestSimMouse::FaultVariable);
    if (sim.applyFaultSpec(faults))
        return true;
    qWarning("%s=%s is not a list of silent, zeros, wrong-echo, read-error, write-error, unplug-after=N;"
             " the simulated mouse behaves",
             KestSimMouse::FaultVariable, faults.constData());
    return false;
}

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
