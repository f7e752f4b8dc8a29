#!/usr/bin/env bash
# Installs what the build needs on a Debian machine (as root), only when missing.
#   --window       also Qt 6 Widgets, for plandock-gui and its tests
#   --tests        also a comma-decimal locale, for the number tests
#   --screenshots  also a virtual screen and a Japanese font, for scripts/screenshot.sh
set -euo pipefail
packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libicu-dev
          clang-format)
locale_for_tests=false
for option in "$@"; do
  case "$option" in
    --window) packages+=(qt6-base-dev) ;;
    --tests) packages+=(locales); locale_for_tests=true ;;
    --screenshots) packages+=(qt6-base-dev xvfb xauth fonts-noto-cjk) ;;
    *) echo "setup.sh: unknown option $option" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q "${missing[@]}"
fi
if $locale_for_tests && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "could not generate de_DE.UTF-8; that test will skip"
fi
