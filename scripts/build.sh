#!/usr/bin/env bash
# Optimised build of the tool, the example generator and the benchmarks into build/release.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
mkdir -p build
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DPLANDOCK_TESTS=OFF >build/configure-release.log ||
  { cat build/configure-release.log; exit 1; }
cmake --build build/release -j "$(nproc)" "$@"
