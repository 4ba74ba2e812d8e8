#!/usr/bin/env bash
# Checks the installed game, as a player gets it, from the build folder $1:
# `cmake --install` into a scratch prefix and the .deb of `cpack -G DEB`
# unpacked into a scratch root, each with its program, images, sounds, menu entry
# and icon, and each program started from / finds the images beside its bin/.
# Needs an X display for the real start.
set -euo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$(dirname "$0")/.." && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# expect_installed ROOT: the installed tree under ROOT/usr is whole and its game finds its images.
expect_installed() {
  local usr="$1/usr"
  for file in bin/tamrow share/applications/tamrow.desktop share/icons/hicolor/128x128/apps/tamrow.png; do
    [ -f "$usr/$file" ] || { echo "check-install: $usr/$file is missing" >&2; exit 1; }
  done
  # The program's help names its image count and the map file by which it knows its image folder.
  local help map count
  help="$(cd / && "$usr/bin/tamrow" --help)"
  map="$(sed -n 's/^Files: .* holds \(.*\):$/\1/p' <<< "$help")"
  count="$(sed -n "s/^  TAMROW_DATA_DIR  a folder of the game's \([0-9]*\) images.*/\1/p" <<< "$help")"
  [ -n "$map" ] && [ -n "$count" ] || { echo "check-install: the help names no map file or image count" >&2; exit 1; }
  [ -f "$usr/share/tamrow/image/$map" ] || { echo "check-install: $usr/share/tamrow/image/$map is missing" >&2; exit 1; }
  [ "$(ls "$usr/share/tamrow/image" | wc -l)" -eq "$count" ] || { echo "check-install: not $count images" >&2; exit 1; }
  # The sounds beside the images, every one of the sources'.
  [ "$(ls "$usr/share/tamrow/sound")" = "$(ls "$source/resources/sound")" ] ||
    { echo "check-install: the sounds in $usr/share/tamrow/sound are not the game's" >&2; exit 1; }
  grep -qxF "  $usr/share/tamrow/image/  (used)" <<< "$help" ||
    { echo "check-install: $usr/bin/tamrow does not use its own images" >&2; exit 1; }
  # A real start from /: two seconds of play without a word about missing images or sounds.
  local status=0
  (cd / && timeout -s TERM 2 "$usr/bin/tamrow" 2> "$scratch/stderr.txt") || status=$?
  [ "$status" -eq 124 ] || { echo "check-install: the game ended with $status" >&2; cat "$scratch/stderr.txt" >&2; exit 1; }
  if grep -q "no images found\|no sounds found" "$scratch/stderr.txt"; then cat "$scratch/stderr.txt" >&2; exit 1; fi
}

cmake --install "$build" --prefix "$scratch/prefix/usr" > /dev/null
expect_installed "$scratch/prefix"

(cd "$build" && cpack -G DEB -B "$scratch/package" > /dev/null)
deb="$(ls "$scratch"/package/*.deb)"
# Read whole before grep looks: grep -q stops at the first match, and under
# pipefail a writer cut off by that counts as a failure.
info="$(dpkg-deb -I "$deb")"
grep -q "Depends: .*libsfml-graphics2.5" <<< "$info" || { echo "check-install: no SFML dependency" >&2; exit 1; }
grep -q "Depends: .*libsfml-audio2.5" <<< "$info" || { echo "check-install: no SFML audio dependency" >&2; exit 1; }
grep -q "Depends: .*fonts-dejavu-core" <<< "$info" || { echo "check-install: no font dependency" >&2; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"
expect_installed "$scratch/root"
echo "check-install: the installed tree and $(basename "$deb") both run from / with their images"
