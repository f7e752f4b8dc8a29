#!/usr/bin/env bash
# Checks the layering and the placement rules of the source tree; prints every
# offending file and line and exits 1 when any rule is broken.
#
# The layers, lowest first: a folder of src/ includes only its own folder and
# folders of lower layers. cli and ui are both on top and never include each other.
set -uo pipefail
cd "$(dirname "$0")/.."

layer_of() {
  case "$1" in
    platform) echo 0 ;; util) echo 1 ;; document) echo 2 ;; environment) echo 3 ;;
    merge) echo 4 ;; render) echo 5 ;; app) echo 6 ;; cli | ui) echo 7 ;;
    *) echo -1 ;;
  esac
}

failed=0
report() { # rule, file:line, detail
  printf '%s: %s: %s\n' "$1" "$2" "$3"
  failed=1
}

# Lines "file:line:text" of project includes in the given folders.
project_includes() {
  grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+/' "$@" 2>/dev/null
}

# 1. Layering inside src/.
while IFS= read -r hit; do
  file=${hit%%:*}; rest=${hit#*:}; line=${rest%%:*}
  from=$(echo "$file" | cut -d/ -f2)
  to=$(echo "$hit" | sed -E 's/.*#[[:space:]]*include[[:space:]]*"([a-z_]+)\/.*/\1/')
  [ "$from" = "$to" ] && continue
  lf=$(layer_of "$from"); lt=$(layer_of "$to")
  if [ "$lt" -lt 0 ] || [ "$lf" -le "$lt" ]; then
    report layering "$file:$line" "src/$from may not include $to/ (layers: platform util document environment merge render app cli|ui)"
  fi
done < <(project_includes src)

# 2. Headers named *_internal.h stay in their folder (and its tests).
while IFS= read -r hit; do
  file=${hit%%:*}; rest=${hit#*:}; line=${rest%%:*}
  header=$(echo "$hit" | sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/')
  owner=${header%%/*}
  case "$file" in
    src/"$owner"/* | tests/"$owner"/*) ;;
    *) report private-header "$file:$line" "$header is private to src/$owner" ;;
  esac
done < <(project_includes src tests bench fuzz examples | grep -E '_internal\.h"')

# 3. Platform tests only in the platform layer and the programs' main files.
while IFS= read -r hit; do
  file=${hit%%:*}; rest=${hit#*:}; line=${rest%%:*}
  case "$file" in src/platform/* | */main.cpp) continue ;; esac
  report platform-test "$file:$line" "platform conditionals belong in src/platform/"
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*(if|ifdef|ifndef|elif).*\b(_WIN32|_WIN64|__linux__|__APPLE__|__unix__|_MSC_VER|__MINGW32__|__MINGW64__)\b' src bench fuzz examples 2>/dev/null)

# 4. Qt only in the window.
while IFS= read -r hit; do
  file=${hit%%:*}; rest=${hit#*:}; line=${rest%%:*}
  case "$file" in src/ui/* | tests/ui/*) continue ;; esac
  report qt "$file:$line" "Qt headers belong in src/ui/"
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[A-Za-z]' src tests bench fuzz examples 2>/dev/null)

# 5. File I/O only in the platform layer (tests, benchmarks and tools may use it).
while IFS= read -r hit; do
  file=${hit%%:*}; rest=${hit#*:}; line=${rest%%:*}
  case "$file" in src/platform/*) continue ;; esac
  report file-io "$file:$line" "files are opened through src/platform/"
done < <(grep -rnE '\b(fopen|_wfopen|freopen|ifstream|ofstream|fstream|CreateFileW?)\b|<fstream>' src 2>/dev/null |
  grep -vE '^[^:]+:[0-9]+:[[:space:]]*//')

# 6. Every source is listed in the CMakeLists.txt of its folder or of a folder above it
# (by its path from there), so a new file cannot silently stay out of the build.
listed_in() { # file: succeeds when some CMakeLists.txt on the way up names it
  local dir=${1%/*} name=${1##*/}
  while :; do
    if [ -f "$dir/CMakeLists.txt" ] &&
      sed 's/#.*//' "$dir/CMakeLists.txt" | grep -qE "(^|[[:space:](\"])${name//./\\.}(\$|[[:space:])\"])"; then
      return 0
    fi
    [ "$dir" = . ] && return 1
    name=${dir##*/}/$name
    case "$dir" in */*) dir=${dir%/*} ;; *) dir=. ;; esac
  done
}
while IFS= read -r file; do
  listed_in "$file" || report unlisted "$file:1" "not listed in any CMakeLists.txt, so it is not built"
done < <(find src tests bench fuzz examples -name '*.cpp' | sort)

# 7. Formatting.
if command -v clang-format >/dev/null 2>&1; then
  mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' \
    'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' 'examples/*.cpp' 'examples/*.h' 2>/dev/null ||
    find src tests bench fuzz examples -name '*.cpp' -o -name '*.h')
  if [ ${#sources[@]} -gt 0 ]; then
    while IFS= read -r hit; do
      report format "${hit%%: *}" "differs from .clang-format (run clang-format -i)"
    done < <(clang-format --dry-run "${sources[@]}" 2>&1 | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' |
      sed -E 's/^([^:]+:[0-9]+):[0-9]+: .*/\1: x/' | sort -u -t: -k1,1)
  fi
else
  echo "format: clang-format not found; formatting not checked" >&2
fi

if [ "$failed" -ne 0 ]; then
  echo "structure check failed" >&2
  exit 1
fi
echo "structure check passed"
