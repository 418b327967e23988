// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>

class KestSimMouse;

#include <QString>

// Demo mode and hand trials: puts the simulated mouse behind the link when
// MOUSECFG_SIMULATE=receiver|cable|both asks for it (those devices plugged in), misbehaving
// as MOUSECFG_SIMULATE_FAULT says and keeping its onboard memory as useSimulatedMemory() says. Call before anything talks to the link. Returns the
// mouse, or nullptr when the variable is unset and the real devices stay in use (an
// unknown value is reported on the warning output and also keeps the real devices).
std::shared_ptr<KestSimMouse> useSimulatedMouseFromEnvironment();

// Gives a simulated mouse the faults MOUSECFG_SIMULATE_FAULT names (none when unset). An
// unknown fault is reported on the warning output and nothing is set; returns false.
bool applySimulatedFaults(KestSimMouse &sim);

// The simulated mouse keeps its onboard memory across runs of the demo and the tool, in
// simulatedMemoryPath(); MOUSECFG_SIMULATE_MEMORY=blank starts it blank and keeps nothing
// (every test runs so: no test may depend on what an earlier run left).
constexpr const char *SimulatedMemoryVariable = "MOUSECFG_SIMULATE_MEMORY";
QString simulatedMemoryPath(); // $XDG_STATE_HOME/mousecfg/simulated-mouse.mem, or ~/.local/state/...
void useSimulatedMemory(KestSimMouse &sim);
