#!/usr/bin/env bash
# Builds a large drawing of real content (a sample drawing merged with copies of
# itself) on a tmpfs and reports, for the whole process: `plandock info` wall
# time, throughput and peak memory, and a merge with no entries against `cp` (and
# its peak memory).
# Wall times are the median of RUNS runs.
#
# usage: bench/large_drawing.sh PLANDOCK [SAMPLE] [COPIES]
#   RUNS (default 7) and WORK (default a fresh folder under /dev/shm) from the environment.
set -euo pipefail

plandock=$(realpath "$1")
sample=${2:-$(dirname "$0")/../../shared/samples/Test7.jww}
copies=${3:-247}
runs=${RUNS:-7}
[ -f "$sample" ] || { echo "no sample drawing at $sample" >&2; exit 1; }

work=${WORK:-$(mktemp -d /dev/shm/plandock-large.XXXXXX)}
trap 'rm -rf "$work"' EXIT
cp "$sample" "$work/base.jww"
entries=()
for i in $(seq -w 1 "$copies"); do
  cp "$sample" "$work/entry$i.jww"  # one file per entry: a repeated path is merged once
  entries+=("$work/entry$i.jww")
done
"$plandock" merge --base "$work/base.jww" --out "$work/large.jww" --no-backup --yes \
  "${entries[@]}" 2>/dev/null
rm -f "$work"/entry*.jww
bytes=$(stat -c %s "$work/large.jww")
entities=$("$plandock" info "$work/large.jww" | sed -n 's/^Entities: //p')
echo "drawing: $bytes bytes, $entities entities ($(basename "$sample") + $copies copies)"

# Median wall time in milliseconds of a command, run `runs` times.
median_ms() {
  local times=()
  for _ in $(seq "$runs"); do
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1
    t1=$(date +%s%N)
    times+=($(((t1 - t0) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

info_ms=$(median_ms "$plandock" info "$work/large.jww")
rss_kb=$(/usr/bin/time -v "$plandock" info "$work/large.jww" 2>&1 >/dev/null |
  sed -n 's/.*Maximum resident set size (kbytes): //p')
echo "info: $info_ms ms median, $(awk -v b="$bytes" -v t="$info_ms" 'BEGIN {printf "%.2f", b / t / 1e6}') GB/s," \
  "peak RSS $((rss_kb / 1024)) MB = $(awk -v r="$rss_kb" -v b="$bytes" 'BEGIN {printf "%.2f", r * 1024 / b}') x file"

merge_ms=$(median_ms "$plandock" merge --base "$work/large.jww" --out "$work/out.jww" --no-backup --yes)
cmp -s "$work/large.jww" "$work/out.jww" || echo "note: the merged copy differs from its base" >&2
merge_rss_kb=$(/usr/bin/time -v "$plandock" merge --base "$work/large.jww" --out "$work/out.jww" \
  --no-backup --yes 2>&1 >/dev/null | sed -n 's/.*Maximum resident set size (kbytes): //p')
cp_ms=$(median_ms cp "$work/large.jww" "$work/copy.jww")
echo "merge without entries: $merge_ms ms; cp: $cp_ms ms;" \
  "ratio $(awk -v m="$merge_ms" -v c="$cp_ms" 'BEGIN {printf "%.1f", m / c}');" \
  "merge peak RSS $((merge_rss_kb / 1024)) MB = $(awk -v r="$merge_rss_kb" -v b="$bytes" 'BEGIN {printf "%.2f", r * 1024 / b}') x file"
