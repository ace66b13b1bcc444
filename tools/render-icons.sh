#!/usr/bin/env bash
# Renders the game's icon (desktop/gravonaut.svg) to the PNGs at the hicolor sizes that are
# committed beside it (desktop/icons/SIZE/gravonaut.png). Run after changing the SVG; it needs
# librsvg2-bin, which the game itself does not.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null || {
  echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
  exit 1
}
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "desktop/icons/$size"
  rsvg-convert -w "$size" -h "$size" desktop/gravonaut.svg -o "desktop/icons/$size/gravonaut.png"
done
