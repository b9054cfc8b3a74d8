#!/usr/bin/env bash
# The long fuzzing run: builds the fuzzers in the native build folder and runs each for
# FUZZ_SECONDS (default 600). Each keeps its corpus between runs; a fault leaves
# build/native/results/fuzz-<name>.failed and the input in build/native/tests/fuzz/artifacts.
# Usage: tools/fuzz-long.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
export FUZZ_SECONDS=${1:-${FUZZ_SECONDS:-600}}
cmake --preset native >/dev/null
cmake --build --preset native --target fuzzers
exec build/native/tests/fuzz/run-short.sh
