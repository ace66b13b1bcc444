#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it without installing it: the
# dependencies were computed from the program's libraries, and the program unpacked from it
# runs.
#   tools/check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$(dirname "$0")/package.sh" "$build" "$work/out" >/dev/null
deb=$(ls "$work"/out/gravonaut_*.deb) || fail "no package was made"
info=$(dpkg-deb -I "$deb")
echo "$info" | grep -E '^ (Package|Version|Depends):'
depends=$(echo "$info" | sed -n 's/^ Depends: //p')
for lib in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6 libpugixml1v5 libsdl2-2.0-0; do
  grep -q "$lib" <<<"$depends" || fail "the dependencies lack $lib: $depends"
done
dpkg-deb -x "$deb" "$work/root"
version=$("$work/root/usr/bin/gravonaut" --version) || fail "the unpacked program did not run"
[ "$version" = "Gravonaut 2.7" ] || fail "unexpected version: $version"
for f in usr/share/applications/org.gravonaut.Gravonaut.desktop usr/share/gravonaut/starter.cav \
  usr/share/man/man6/gravonaut.6 usr/share/icons/hicolor/48x48/apps/gravonaut.png; do
  [ -e "$work/root/$f" ] || fail "the package lacks /$f"
done
echo "package: ok ($(basename "$deb"))"
