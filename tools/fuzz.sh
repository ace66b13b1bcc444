#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (clang, libFuzzer, AddressSanitizer with leak detection,
# UBSan) and runs each for SECONDS (default 60). Exits non-zero when any target crashes, leaks,
# hits undefined behaviour or times out on an input, or when the build fails.
#
#   tools/fuzz.sh [SECONDS]
#
# Seeds: the program fuzz_seeds (fuzz/seed_writer.cpp) writes valid records of each form into
# build-fuzz/seeds/<target>/ first; when GRAVONAUT_FUZZ_SEEDS names a folder, its <target>/
# subfolders are read as further seeds (the collection tests write theirs there). The corpus each target grows is kept in
# fuzz-corpus-work/<target>/ (not in git) and reused by the next run; findings are written to
# fuzz-corpus-work/artifacts/ and the full log of a target to fuzz-corpus-work/<target>.log.
# Reproduce a finding with: build-fuzz/<target> fuzz-corpus-work/artifacts/<file>
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=build-fuzz
work=fuzz-corpus-work
jobs=${GRAVONAUT_FUZZ_JOBS:-2}

./tools/install-deps.sh

echo "-- building fuzz targets (clang++, $build)"
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$jobs"

rm -rf "$build/seeds"
"$build/fuzz_seeds" "$build/seeds"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
mkdir -p "$work/artifacts"
while read -r target; do
  [ -n "$target" ] || continue
  mkdir -p "$work/$target" "$build/seeds/$target"
  dict=()
  extra=()
  if [ -n "${GRAVONAUT_FUZZ_SEEDS:-}" ] && [ -d "$GRAVONAUT_FUZZ_SEEDS/$target" ]; then
    extra=("$GRAVONAUT_FUZZ_SEEDS/$target")
  fi
  if [ -f "fuzz/$target.dict" ]; then dict=(-dict="fuzz/$target.dict"); fi
  log="$work/$target.log"
  echo "-- fuzzing $target for ${seconds}s"
  if "$build/$target" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=16384 -print_final_stats=1 -artifact_prefix="$work/artifacts/$target-" \
      "$work/$target" "$build/seeds/$target" "${extra[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    corpus=$(find "$work/$target" -type f | wc -l)
    echo "   ok: ${runs:-?} inputs, ${rate:-?} per second, corpus $corpus files"
  else
    status=1
    echo "   FAILED: see $log; the input is in $work/artifacts/"
    grep -E 'ERROR|SUMMARY|Test unit written|deadly signal|timeout' "$log" | head -20 || true
  fi
done <"$build/fuzz_targets.txt"
exit "$status"
