#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and playing need.
# Only what is missing is installed; "apt-get update" runs once, and only then.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libsdl2-dev
  libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
  libsdl2-dev
  clang libclang-rt-dev
  fonts-liberation2
  desktop-file-utils appstream man-db file dpkg-dev
)
if [ "${GRAVONAUT_DESKTOP_TOOLS:-0}" = 1 ]; then
  packages+=(xvfb xdotool imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
