#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the libFuzzer targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs them, one per core at a time, nice'd.
#
#   scripts/run-fuzz.sh [SECONDS] [TARGET...]     (default: 60 seconds, every target)
#
# FUZZ_INPUT_TIMEOUT (seconds, default 120) is the time one input may take before it counts
# as a hang. The slowest input of the slowest target takes a few seconds on a busy machine;
# a limit far below that ends a target on its first ordinary input and reports a hang that
# is not one.
#
# Each target starts from its committed seeds in fuzz/corpus/<target>/ and keeps what it
# learns in build-fuzz/corpus/<target>/. An input that crashes lands in
# build-fuzz/crashes/<target>/: fix the fault, then commit the input to fuzz/corpus/<target>/
# so that the corpus replay test (tst_fuzzcorpus) keeps trying it. Logs: build-fuzz/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-60}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(ini profile confimport macro description exchange png recordimage)
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
INPUT_TIMEOUT=${FUZZ_INPUT_TIMEOUT:-120}

# clang 14 and its sanitizer runtimes (the runtimes are only a Recommends of clang).
scripts/install-deps.sh clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOUSECFG_FUZZ=ON >/dev/null
# Nothing else of the project is needed (the skin generator would also trip the leak checker).
cmake --build "$BUILD_DIR" -j"$(nproc)" --target fuzz_all

# Input files live in a temporary folder: memory is faster than the disk when there is one.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
# One target per core at a time (FUZZ_JOBS, default the number of cores): six targets
# sharing two cores ran each below a third of its speed, and the slow targets (a full
# profile per input) fell short of ten thousand runs in ten minutes.
JOBS=${FUZZ_JOBS:-$(nproc)}
status=0
run_batch() {
  local pids=() names=("$@") i
  for t in "${names[@]}"; do
    mkdir -p "$BUILD_DIR/corpus/$t" "$BUILD_DIR/crashes/$t" "$BUILD_DIR/logs"
    nice -n 10 "$BUILD_DIR/fuzz/fuzz_$t" "$BUILD_DIR/corpus/$t" "fuzz/corpus/$t" \
      -max_total_time="$SECONDS_PER_TARGET" -timeout="$INPUT_TIMEOUT" -print_final_stats=1 \
      -artifact_prefix="$BUILD_DIR/crashes/$t/" >"$BUILD_DIR/logs/$t.log" 2>&1 &
    pids+=($!)
  done
  for i in "${!pids[@]}"; do
    if ! wait "${pids[$i]}"; then
      echo "fuzz_${names[$i]}: FAILED, see $BUILD_DIR/logs/${names[$i]}.log" >&2
      status=1
    fi
  done
}
for ((at = 0; at < ${#TARGETS[@]}; at += JOBS)); do
  run_batch "${TARGETS[@]:at:JOBS}"
done
for t in "${TARGETS[@]}"; do
  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$BUILD_DIR/logs/$t.log" | grep -Eo '[0-9]+$' || echo "?")
  rate=$(grep -Eo 'stat::average_exec_per_sec: *[0-9]+' "$BUILD_DIR/logs/$t.log" | grep -Eo '[0-9]+$' || echo "?")
  echo "fuzz_$t: $runs executions ($rate per second)"
done
exit $status
