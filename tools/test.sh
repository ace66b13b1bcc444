#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite:
#   1. foundation, platform and model without Qt (which proves the layering) under
#      AddressSanitizer (with leak detection) and UBSan;
#   2. the Qt, window and editor tests (offscreen, no display needed) under the same sanitizers;
#   3. the fuzz targets for a short time (GRAVONAUT_FUZZ_SECONDS, default 60; 0 skips them);
#   4. the full build with Qt, whose ctest summary closes the output.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
jobs=$(nproc)

echo "== Sanitizer build (no Qt) =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGRAVONAUT_WITH_QT=OFF \
  -DGRAVONAUT_SANITIZE=ON -DGRAVONAUT_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0
export LSAN_OPTIONS="suppressions=$(pwd)/tools/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Sanitizer build (Qt and window tests) =="
cmake -S . -B build-asan-qt -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGRAVONAUT_SANITIZE=ON \
  -DGRAVONAUT_BENCH=OFF >/dev/null
cmake --build build-asan-qt -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan-qt -L 'qt|shell|editor' --output-on-failure -j "$jobs"
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS

if [ -x tools/fuzz.sh ] && [ "${GRAVONAUT_FUZZ_SECONDS:-60}" != 0 ]; then
  echo "== Fuzzing =="
  ./tools/fuzz.sh "${GRAVONAUT_FUZZ_SECONDS:-60}"
fi

echo "== Full build =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
