#!/usr/bin/env bash
# Optimised build of the tool, the example generator and the benchmarks into build/release
# (and of plandock-gui when Qt 6 Widgets is installed: scripts/setup.sh --window).
# PLANDOCK_SETUP holds options for scripts/setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh ${PLANDOCK_SETUP:-}
mkdir -p build
cmake --preset release >build/configure-release.log || { cat build/configure-release.log; exit 1; }
cmake --build --preset release -j "$(nproc)" "$@"
