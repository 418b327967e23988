#pragma once

#include <memory>

class KestSimMouse;

// Demo mode and hand trials: puts the simulated mouse behind the link when
// MOUSECFG_SIMULATE=receiver|cable|both asks for it (those devices plugged in), misbehaving
// as MOUSECFG_SIMULATE_FAULT says. Call before anything talks to the link. Returns the
// mouse, or nullptr when the variable is unset and the real devices stay in use (an
// unknown value is reported on the warning output and also keeps the real devices).
std::shared_ptr<KestSimMouse> useSimulatedMouseFromEnvironment();

// Gives a simulated mouse the faults MOUSECFG_SIMULATE_FAULT names (none when unset). An
// unknown fault is reported on the warning output and nothing is set; returns false.
bool applySimulatedFaults(KestSimMouse &sim);
