// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/sim/simbackend.h"

#include <QDebug>
#include <QDir>

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
    useSimulatedMemory(*sim);
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

QString simulatedMemoryPath()
{
    // The XDG base directory rules: a relative path is invalid and is ignored.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/mousecfg/simulated-mouse.mem");
}

void useSimulatedMemory(KestSimMouse &sim)
{
    const QByteArray choice = qgetenv(SimulatedMemoryVariable).trimmed().toLower();
    if (choice == "blank")
        return;
    if (!choice.isEmpty())
        qWarning("%s=%s is not \"blank\"; the simulated mouse keeps its memory", SimulatedMemoryVariable,
                 choice.constData());
    const QString path = simulatedMemoryPath();
    if (!sim.setMemoryFile(path))
        qWarning("%s is not a memory image of the simulated mouse; it starts blank", qPrintable(path));
}
