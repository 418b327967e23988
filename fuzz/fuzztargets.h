// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The fuzz targets' entry points. libFuzzer drives them in the fuzz build; the corpus
// replay test runs every committed input through them in every build. A target returns 0;
// a broken promise (a round trip that changes the record) aborts, which both count as a
// failure.
struct FuzzTarget
{
    const char *name; // also the corpus folder fuzz/corpus/<name>
    int (*run)(const uint8_t *data, size_t size);
};

const std::vector<FuzzTarget> &fuzzTargets();
const FuzzTarget *findFuzzTarget(const char *name);

// Once per process: a private application folder, no debug output, no link delays.
void initFuzzEnvironment();
