#!/usr/bin/env bash
# Installs what the build needs on a Debian machine (as root), only when missing.
#   --window       also Qt 6 Widgets, for plandock-gui and its tests
#   --tests        also a comma-decimal locale, for the number tests
#   --screenshots  also a virtual screen and a Japanese font, for scripts/screenshot.sh
# Further package names are installed too, without the packages they merely recommend.
set -euo pipefail
packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libicu-dev
          clang-format libxml2-utils help2man man-db)
extra=()
locale_for_tests=false
for option in "$@"; do
  case "$option" in
    --window) packages+=(qt6-base-dev) ;;
    --tests) packages+=(locales); locale_for_tests=true ;;
    --screenshots) packages+=(qt6-base-dev xvfb xauth fonts-noto-cjk) ;;
    -*) echo "setup.sh: unknown option $option" >&2; exit 2 ;;
    *) extra+=("$option") ;;
  esac
done

updated=false
install_missing() {  # apt-get options, then a "--" and the packages
  local options=() missing=() p
  while [ "$1" != "--" ]; do options+=("$1"); shift; done
  shift
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $updated || apt-get update -q
  updated=true
  apt-get install -y -q "${options[@]}" "${missing[@]}"
}
install_missing -- "${packages[@]}"
[ ${#extra[@]} -eq 0 ] || install_missing --no-install-recommends -- "${extra[@]}"

if $locale_for_tests && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "could not generate de_DE.UTF-8; that test will skip"
fi
