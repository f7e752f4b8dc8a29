#!/usr/bin/env bash
# Cross-builds the core, plandock.exe and the test suite for Windows with MinGW-w64,
# packs the zip, and runs the whole suite under Wine in a private prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh
scripts/setup.sh wine wine64 g++-mingw-w64-x86-64-posix googletest locales

# The host build to compare results with: the caller's (PLANDOCK_HOST_PLANDOCK) or a release build.
host=${PLANDOCK_HOST_PLANDOCK:-}
if [ -z "$host" ]; then
  scripts/build.sh --target plandock
  host=$root/build/release/plandock
fi

build=$root/build/windows
mkdir -p "$build"

# Wine takes its ANSI code page from the locale: a Japanese Windows, as the users have.
if [ ! -d "$build/locale/ja_JP.UTF-8" ]; then
  mkdir -p "$build/locale"
  localedef -i ja_JP -f UTF-8 "$build/locale/ja_JP.UTF-8"
fi
cat >"$build/wine-run" <<WRAPPER
#!/bin/sh
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="$build/locale" LC_ALL=ja_JP.UTF-8
exec wine "\$@"
WRAPPER
chmod +x "$build/wine-run"
stop_wine() { WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
if [ ! -f "$build/wineprefix/system.reg" ]; then
  "$build/wine-run" wineboot -i >"$build/wineboot.log" 2>&1 || { cat "$build/wineboot.log"; exit 1; }
fi

cmake --preset windows -DCMAKE_CROSSCOMPILING_EMULATOR="$build/wine-run" \
      -DPLANDOCK_HOST_PLANDOCK="$host" >"$build/configure.log" ||
  { cat "$build/configure.log"; exit 1; }
cmake --build --preset windows -j "$(nproc)"

# The zip for Windows users, and its program run from an unpacked copy.
(cd "$build" && cpack -G ZIP >cpack.log) || { cat "$build/cpack.log"; exit 1; }
zip_file=$(ls "$build"/plandock-*.zip)
rm -rf "$build/unpacked" && mkdir "$build/unpacked"
(cd "$build/unpacked" && cmake -E tar xf "$zip_file")
echo "$(basename "$zip_file"): $(cd "$build/unpacked" && ls -- */)"
"$build/wine-run" "$build"/unpacked/*/plandock.exe --version

ctest --preset windows -j "$(nproc)"
