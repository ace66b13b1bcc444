#!/usr/bin/env bash
# Runs the game under a virtual X display for a while and prints the mean and the 95th
# percentile of the intervals between its game ticks (the timer asks for 50 ms).
#
#   tools/measure_ticks.sh [SECONDS] [COLLECTION]
#
# SECONDS defaults to 10 (the first second, start-up, is not counted). COLLECTION is a ".cav" file to play instead of the built-in maze
# (copied, never written). The rocket is flown with a held thrust key and a few turns and shots
# so that the figures include a run in progress, explosions and restarts. GRAVONAUT_BUILD names
# the build directory (default: build); the game is built there when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-10}
collection=${2:-}
build=${GRAVONAUT_BUILD:-build}
for tool in xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "measure_ticks: $tool is missing (GRAVONAUT_DESKTOP_TOOLS=1 tools/install-deps.sh)" >&2; exit 2; }
done
if [ ! -x "$build/app/gravonaut" ]; then
  cmake -S . -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target gravonaut
fi
game="$root/$build/app/gravonaut"
work=$(mktemp -d)
trap '[ -n "${KEEP_TICKS:-}" ] && cp "$work/ticks.txt" "$KEEP_TICKS"; rm -rf "$work"' EXIT
if [ -n "$collection" ]; then cp "$collection" "$work/gravonaut.cav"; fi

# Inside the virtual display: start the game, then play it with the keyboard.
cat >"$work/play.sh" <<'PLAY'
#!/usr/bin/env bash
set -u
"$1" --tick-log "$2" --quit-after "$3" &
pid=$!
sleep 1
end=$((SECONDS + $3))
while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$end" ]; do
  xdotool keydown Control_L; sleep 0.4
  xdotool key Left Left Up; sleep 0.2
  xdotool keyup Control_L; sleep 0.6
  xdotool key Right Up; sleep 0.3
done
wait "$pid"
PLAY
chmod +x "$work/play.sh"
(cd "$work" && xvfb-run -a -s "-screen 0 1920x1080x24" "$work/play.sh" "$game" "$work/ticks.txt" "$seconds")

# The first second (window mapped, fonts loaded, first paint) is start-up, not the game loop.
awk 'NR == 1 { t0 = $1 } $1 >= t0 + 1e9 { if (seen) printf "%.6f\n", ($1 - prev) / 1e6; seen = 1 }
     { prev = $1 }' "$work/ticks.txt" | sort -n >"$work/intervals.txt"
count=$(wc -l <"$work/intervals.txt")
if [ "$count" -lt 2 ]; then echo "measure_ticks: too few ticks ($count)" >&2; exit 1; fi
mean=$(awk '{ s += $1 } END { printf "%.2f", s / NR }' "$work/intervals.txt")
rank=$(( (count * 95 + 99) / 100 ))
p95=$(sed -n "${rank}p" "$work/intervals.txt")
max=$(tail -n 1 "$work/intervals.txt")
printf 'ticks: %d intervals over %s s (after 1 s of start-up)\nload average: %s\nmean interval: %s ms\n95th percentile: %.2f ms\nlongest: %.2f ms\n' \
  "$count" "$seconds" "$(cut -d' ' -f1-3 /proc/loadavg)" "$mean" "$p95" "$max"
awk -v m="$mean" -v p="$p95" 'BEGIN { ok = (m >= 45 && m <= 55 && p >= 45 && p <= 55);
  print (ok ? "within 10 % of 50 ms" : "NOT within 10 % of 50 ms"); exit !ok }'
