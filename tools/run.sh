#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it the way the desktop's menu does:
# with its collection in the player's data folder, the starter mazes on the first start.
# Further arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target gravonaut
exec ./build/app/gravonaut --data-folder "$@"
