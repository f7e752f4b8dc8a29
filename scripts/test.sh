#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --window --tests
build=build/asan
mkdir -p build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLANDOCK_SANITIZE=ON -DPLANDOCK_WERROR=ON \
      -DPLANDOCK_BENCH=OFF >build/configure-asan.log || { cat build/configure-asan.log; exit 1; }
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
