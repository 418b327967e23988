#pragma once

// The simulated mouse moved to its own library (device/sim/, target mousecfg_sim); this
// name stays for code written before the move. Include "device/sim/kestsimfirmware.h".
#include "device/sim/kestsimfirmware.h"
