#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks what a desktop gets: the desktop
# entry and the AppStream metainfo pass Debian's validators, the icon exists at every hicolor
# size, the man page renders, and the installed program finds its starter collection.
#   tools/check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: check-install.sh BUILD_DIR}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
desktop=$share/applications/org.gravonaut.Gravonaut.desktop
metainfo=$share/metainfo/org.gravonaut.Gravonaut.metainfo.xml

desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
grep -qx 'Exec=gravonaut --data-folder' "$desktop" || fail "the desktop entry's Exec line"
grep -q '^Categories=.*Game;' "$desktop" || fail "the desktop entry's category"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"

[ -s "$share/icons/hicolor/scalable/apps/gravonaut.svg" ] || fail "the scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/gravonaut.png
  [ -s "$png" ] || fail "missing $png"
  file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not $size x $size"
done

page=$(MANWIDTH=80 man -P cat -l "$share/man/man6/gravonaut.6" 2>&1) || fail "man -l: $page"
for word in NAME SYNOPSIS OPTIONS KEYS --data-folder --collection --maze --help --version \
  Escape; do
  grep -q -- "$word" <<<"$page" || fail "the man page lacks '$word'"
done

program=$prefix/bin/gravonaut
[ -x "$program" ] || fail "the program is not installed"
"$program" --help | grep -q -- --data-folder || fail "--help does not name --data-folder"
[ "$(cmp "$share/gravonaut/starter.cav" "$(dirname "$0")/starter.cav" && echo same)" = same ] ||
  fail "the installed starter collection"

# The installed program started as the menu entry starts it, in an empty home.
home=$work/home
mkdir -p "$home"
(cd "$work" && env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
  "$program" --data-folder --quit-after 0.5) || fail "the installed program did not run"
cmp -s "$home/.local/share/gravonaut/gravonaut.cav" "$share/gravonaut/starter.cav" ||
  fail "the starter collection was not copied into the data folder"
# The starter mazes' best runs: installed, copied with them, and still playing back.
ls "$share/gravonaut/starter.cav.replays/"*.gxrun >/dev/null 2>&1 ||
  fail "the starter mazes' best runs are not installed"
for run in "$share/gravonaut/starter.cav.replays/"*.gxrun; do
  [ -f "$home/.local/share/gravonaut/replays/$(basename "$run")" ] ||
    fail "the best run $(basename "$run") was not copied into the data folder"
done
env -u XDG_DATA_HOME HOME="$home" "$program" --verify-replays --data-folder >/dev/null ||
  fail "the starter mazes' best runs do not play back"
echo "install tree: ok"
