#include "device/sim/simbackend.h"

#include <QDebug>

#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"

std::shared_ptr<KestSimMouse> useSimulatedMouseFromEnvironment()
{
    const QByteArray simulate = qgetenv("MOUSECFG_SIMULATE").trimmed().toLower();
    if (simulate.isEmpty())
        return nullptr;
    if (simulate != "receiver" && simulate != "cable" && simulate != "both") {
        qWarning("MOUSECFG_SIMULATE=%s is not one of receiver, cable, both; using the real devices",
                 simulate.constData());
        return nullptr;
    }
    auto sim = std::make_shared<KestSimMouse>(simulate != "cable", simulate != "receiver");
    applySimulatedFaults(*sim);
    setHidBackend(sim);
    return sim;
}

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
