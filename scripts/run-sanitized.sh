#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-sanitize (or $BUILD_DIR) and runs the whole test suite under them. The first
# report of either sanitizer ends the test that made it, so the run fails.
# Extra arguments go to ctest, e.g. scripts/run-sanitized.sh -R macro
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
BUILD_DIR=${BUILD_DIR:-build-sanitize}
JOBS=${JOBS:-2}

scripts/install-deps.sh clang libclang-rt-14-dev

# -O1 keeps the suite's timers close to a normal build's pace; Debug keeps assertions on.
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_C_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
      -DMOUSECFG_SANITIZE=ON >/dev/null
# The skin generator runs during the build on Qt's offscreen platform, which leaks its
# screens at exit; leaks are checked in the tests below, against the suppressions file.
ASAN_OPTIONS=detect_leaks=0 nice cmake --build "$BUILD_DIR" -j"$JOBS"

# Tests read the output of the programs they start (mousecfgctl, OSD), so a report there may
# go unseen; its exit status 86 is one no test expects.
export ASAN_OPTIONS="exitcode=86:halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="exitcode=86:halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
cd "$BUILD_DIR"
nice ctest --output-on-failure -j"$JOBS" --timeout 900 "$@"
