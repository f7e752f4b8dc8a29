#!/usr/bin/env bash
# Installs a build tree into a temporary prefix and checks that the program and
# its manual page arrive and that the page reads, Japanese captions included.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
"$prefix/bin/plandock" --version >/dev/null
page="$prefix/share/man/man1/plandock.1"
[ -f "$page" ] || { echo "no manual page at $page"; exit 1; }
command -v man >/dev/null || { echo "man is missing (scripts/setup.sh installs man-db)"; exit 1; }
text=$(LANG=C.UTF-8 MANPAGER=cat man -l "$page" 2>/dev/null)
for want in "--overwrite-base" "ベース図面ファイル" "Exit status"; do
  grep -qF -- "$want" <<<"$text" || { echo "the manual page lacks: $want"; exit 1; }
done
