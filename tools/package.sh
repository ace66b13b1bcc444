#!/usr/bin/env bash
# Builds the Debian package of the game with CPack; its dependencies are computed from the
# program's libraries (dpkg-shlibdeps).
#   tools/package.sh [BUILD_DIR [OUTPUT_DIR]]
# Without BUILD_DIR the game is built in build-package/ (release, without tests); the .deb is
# written to OUTPUT_DIR (default: the build folder). Install it with
#   sudo apt install ./build-package/gravonaut_2.7_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
./tools/install-deps.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRAVONAUT_TESTS=OFF \
    -DGRAVONAUT_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target gravonaut
out=$(mkdir -p "${2:-$build}" && cd "${2:-$build}" && pwd)
(cd "$build" && cpack -G DEB -B "$out")
ls "$out"/gravonaut_*.deb
