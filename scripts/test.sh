#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs the test
# suite; then the Windows suite under Wine when the machine can (PLANDOCK_WINDOWS=off skips
# it, PLANDOCK_WINDOWS=required makes a machine that cannot fail).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --window --tests
build=build/asan
mkdir -p build
cmake --preset asan >build/configure-asan.log || { cat build/configure-asan.log; exit 1; }
cmake --build --preset asan -j "$(nproc)"
ctest --preset asan -j "$(nproc)"  # the preset sets the sanitizers' options

# An x86-64 Debian machine can cross-build and run Wine: as root it installs what is missing.
windows_ready() {
  [ "$(uname -m)" = x86_64 ] && command -v dpkg >/dev/null &&
    { [ "$(id -u)" = 0 ] || { command -v wine && command -v x86_64-w64-mingw32-g++-posix; } >/dev/null; }
}
# The sanitizer build's plandock is the Linux result the Windows build must match.
windows_suite() { PLANDOCK_HOST_PLANDOCK="$(pwd)/$build/plandock" scripts/test-windows.sh; }
case "${PLANDOCK_WINDOWS:-auto}" in
  off) ;;
  required) windows_suite ;;
  *)
    if windows_ready; then
      windows_suite
    else
      echo "Windows suite skipped: needs an x86-64 Debian machine with Wine and MinGW-w64 (or root)"
    fi
    ;;
esac
