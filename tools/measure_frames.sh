#!/usr/bin/env bash
# Flies the game under a virtual X display with a frame log and prints how its pictures were
# paced: the intervals between pictures against the display period, and the simulated time
# drawn against the wall clock.
#
#   tools/measure_frames.sh [SECONDS] [COLLECTION] [MAZE] [-- GAME OPTIONS...]
#
# SECONDS (whole seconds, default 10) of flight are measured after one second of start-up. COLLECTION is a
# ".cav" file to play instead of the built-in maze (copied, never written), MAZE its maze
# number (from 1). Options after "--" go to the game (for example --fps 0, --no-smooth-edges).
# GRAVONAUT_BUILD names the build directory (default: build). DISPLAY_HZ is the display's rate
# (default 60, what Xvfb reports). KEEP_FRAMES=FILE keeps the frame log.
#
# Goals: mean interval within 5 % of the period, 99th percentile at most 1.5 periods, no
# interval over 3 periods, the drawn time never backwards, and the drawn time falling behind
# the wall clock (since the first picture measured) by at most one tick at the 99th percentile.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
pos=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do pos+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
seconds=${pos[0]:-10}
collection=${pos[1]:-}
maze=${pos[2]:-}
build=${GRAVONAUT_BUILD:-build}
hz=${DISPLAY_HZ:-60}
for tool in xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "measure_frames: $tool is missing (GRAVONAUT_DESKTOP_TOOLS=1 tools/install-deps.sh)" >&2; exit 2; }
done
if [ ! -x "$build/app/gravonaut" ]; then
  cmake -S . -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target gravonaut
fi
game="$root/$build/app/gravonaut"
work=$(mktemp -d)
trap '[ -n "${KEEP_FRAMES:-}" ] && cp "$work/frames.txt" "$KEEP_FRAMES"; rm -rf "$work"' EXIT
args=()
if [ -n "$collection" ]; then cp "$collection" "$work/gravonaut.cav"; fi
if [ -n "$maze" ]; then args+=(--maze "$maze"); fi
args+=("$@")

# Inside the virtual display: start the game, then fly it with the keyboard.
cat >"$work/play.sh" <<'PLAY'
#!/usr/bin/env bash
set -u
game=$1 log=$2 secs=$3
shift 3
"$game" --frame-log "$log" --quit-after "$secs" "$@" &
pid=$!
sleep 1
end=$((SECONDS + $secs))
while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$end" ]; do
  xdotool keydown Control_L; sleep 0.4
  xdotool key Left Left Up; sleep 0.2
  xdotool keyup Control_L; sleep 0.6
  xdotool key Right Up; sleep 0.3
done
wait "$pid"
PLAY
chmod +x "$work/play.sh"
# One second of start-up before the flight, and one after it for closing.
total=$((seconds + 2))
(cd "$work" && xvfb-run -a -s "-screen 0 1920x1080x24" "$work/play.sh" "$game" "$work/frames.txt" "$total" "${args[@]}")

# The first second is start-up (window mapped, fonts loaded); then SECONDS of flight.
awk -v hz="$hz" -v secs="$seconds" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" '
  NR == 1 { start = $1 }
  $1 < start + 1000 || $1 > start + 1000 + secs * 1000 { next }
  {
    if (n == 0) { t0 = $1; d0 = $2 }
    if (n > 0) {
      iv[n] = $1 - pt; sum += $1 - pt
      if ($2 < pd) back++
    }
    lag[n] = ($1 - t0) / 50 - ($2 - d0)
    pt = $1; pd = $2; n++
  }
  END {
    if (n < 3) { print "measure_frames: too few pictures (" n ")" > "/dev/stderr"; exit 1 }
    period = 1000 / hz
    m = n - 1
    mean = sum / m
    # Sort the intervals and the lags (insertion sort is plenty for a few thousand).
    for (i = 1; i <= m; i++) { s[i] = iv[i] }
    for (i = 2; i <= m; i++) { v = s[i]; j = i - 1; while (j >= 1 && s[j] > v) { s[j + 1] = s[j]; j-- } s[j + 1] = v }
    p99 = s[int((m * 99 + 99) / 100)]; if (p99 == "") p99 = s[m]
    over3 = 0; for (i = 1; i <= m; i++) if (s[i] > 3 * period) over3++
    for (i = 0; i < n; i++) { l[i + 1] = lag[i] }
    for (i = 2; i <= n; i++) { v = l[i]; j = i - 1; while (j >= 1 && l[j] > v) { l[j + 1] = l[j]; j-- } l[j + 1] = v }
    lag99 = l[int((n * 99 + 99) / 100)]; if (lag99 == "") lag99 = l[n]
    printf "pictures: %d over %s s of flight (after 1 s of start-up)\nload average: %s\n", n, secs, load
    printf "display period: %.3f ms\nmean interval: %.3f ms (%.2f %% off)\n", period, mean, (mean - period) / period * 100
    printf "99th percentile: %.3f ms (%.2f periods)\nlongest: %.3f ms (%.2f periods), %d over 3 periods\n", p99, p99 / period, s[m], s[m] / period, over3
    printf "drawn time backwards: %d times\n", back + 0
    printf "drawn time behind the wall clock since the first picture, 99th percentile: %.3f ticks\n", lag99
    ok = (mean >= period * 0.95 && mean <= period * 1.05 && p99 <= 1.5 * period && over3 == 0 && back == 0 && lag99 <= 1)
    print (ok ? "all goals met" : "NOT all goals met")
    exit !ok
  }' "$work/frames.txt"
