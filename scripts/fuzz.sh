#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each for
# SECONDS (default 60), as many at once as there are cores. The reader and
# merge targets start from the sample drawings in ../shared/samples (or
# PLANDOCK_SAMPLES), which are only read. New inputs go to build/fuzz/corpus;
# crashes to build/fuzz/crashes. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, fuzz targets not run"
  exit 0
fi
build=build/fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
mkdir -p build
cmake --preset fuzz >build/configure-fuzz.log || { cat build/configure-fuzz.log; exit 1; }
# Only the fuzz targets: the tool, its manual page and the examples are not needed here.
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}"
samples=${PLANDOCK_SAMPLES:-../shared/samples}

# Seeds of the text inputs, rewritten on every run.
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds/jwf_fuzz" "$seeds/settings_fuzz" "$seeds/merge_args_fuzz"
printf 'S_COMM_2=0,-100\r\nS_COMM_3=0,0,0,0,0,0,0,0,152\r\nS_COMM_5=9,9,9,9,9,9,0,0\r\n#\r\n' \
  >"$seeds/jwf_fuzz/env.jwf"
printf '\xef\xbb\xbfC:\\plan\\base.jww\r\nC:\\plan\\out.jww\r\n1\r\n0\r\n\xe3\x80\x90\r\n' \
  >"$seeds/settings_fuzz/saved.ini"
printf -- '--base\0b.jww\0--out\0o.jww\0--jwf=e.jwf\0a.jww\0--group\0A\0--color\0101\0--layer-state\0merged' \
  >"$seeds/merge_args_fuzz/args"

# The merge and settings targets save files: in memory where possible, as
# every save waits for its data to reach the disk.
scratch=$(mktemp -d /dev/shm/plandock-fuzz.XXXXXX 2>/dev/null || mktemp -d)
rm -rf "$build/logs"
mkdir -p "$build/logs" "$build/crashes"
run_one() {
  local t=$1
  local corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  local inputs=("$corpus")
  [ -d "$seeds/$t" ] && inputs+=("$seeds/$t")
  case $t in jww_reader_fuzz | merge_fuzz) [ -d "$samples" ] && inputs+=("$samples") ;; esac
  TMPDIR="$scratch" "$build/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -max_len=1048576 -print_final_stats=1 -artifact_prefix="$build/crashes/$t-" "${inputs[@]}" \
    >"$build/logs/$t.log" 2>&1
}

pids=()
names=()
failed=0
for t in "${targets[@]}"; do
  run_one "$t" &
  pids+=($!)
  names+=("$t")
  if [ ${#pids[@]} -ge "$(nproc)" ]; then
    wait "${pids[0]}" || { echo "fuzz: ${names[0]} failed, see $build/logs/${names[0]}.log"; failed=1; }
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
done
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || { echo "fuzz: ${names[$i]} failed, see $build/logs/${names[$i]}.log"; failed=1; }
done
for t in "${targets[@]}"; do
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/logs/$t.log")
  echo "fuzz: $t: ${runs:-?} inputs in ${seconds}s"
done
rm -rf "$scratch"
exit $failed
