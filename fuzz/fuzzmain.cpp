// SPDX-License-Identifier: GPL-2.0-or-later
// One libFuzzer executable per target; FUZZ_TARGET names it.
#include "fuzz/fuzztargets.h"

#define MOUSECFG_STR2(x) #x
#define MOUSECFG_STR(x) MOUSECFG_STR2(x)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const FuzzTarget *target = [] {
        initFuzzEnvironment();
        return findFuzzTarget(MOUSECFG_STR(FUZZ_TARGET));
    }();
    return target ? target->run(data, size) : 0;
}
