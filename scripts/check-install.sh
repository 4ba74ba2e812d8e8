#!/usr/bin/env bash
# Checks the installed game, as a player gets it, from the build folder $1:
# `cmake --install` into a scratch prefix and the .deb of `cpack -G DEB`
# unpacked into a scratch root, each with its program in games/, images, sounds, menu
# entry (desktop-file-validate), AppStream data (appstreamcli validate), icons
# at every size the image tool draws (each the size its folder says) and
# manual page (man's warnings), and each program started from / finds the
# images beside its games/; the .deb passes lintian without an error.
# Needs an X display for the real start.
set -euo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$(dirname "$0")/.." && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# The game started here keeps its settings in the scratch folder, not the user's.
export XDG_CONFIG_HOME="$scratch/config"
source="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

fail() { echo "check-install: $*" >&2; exit 1; }

# expect_installed ROOT: the installed tree under ROOT/usr is whole and its game finds its images.
expect_installed() {
  local usr="$1/usr"
  for file in games/tamrow share/applications/tamrow.desktop share/man/man6/tamrow.6.gz; do
    [ -f "$usr/$file" ] || fail "$usr/$file is missing"
  done
  desktop-file-validate "$usr/share/applications/tamrow.desktop" || fail "the menu entry is not valid"
  local metainfo
  metainfo="$(ls "$usr"/share/metainfo/*.metainfo.xml)" || fail "no AppStream data"
  appstreamcli validate --no-net "$metainfo" > /dev/null || { appstreamcli validate --no-net "$metainfo"; fail "$metainfo is not valid"; }
  # Every size the image tool draws, installed, each as large as its folder says.
  local icon size
  for icon in "$source"/resources/icon/hicolor/*/apps/tamrow.png; do
    size="$(basename "$(dirname "$(dirname "$icon")")")"
    [ "$(identify -format '%wx%h' "$usr/share/icons/hicolor/$size/apps/tamrow.png")" = "$size" ] ||
      fail "no $size icon in $usr/share/icons/hicolor"
  done
  # The manual page (its controls are written from the game's table) renders without a warning.
  local page
  page="$(MANWIDTH=80 man --warnings -l "$usr/share/man/man6/tamrow.6.gz" 2>&1 > /dev/null)"
  [ -z "$page" ] || fail "the manual page: $page"
  # The program's help names its image count and the map file by which it knows its image folder.
  local help map count
  help="$(cd / && "$usr/games/tamrow" --help)"
  map="$(sed -n 's/^Files: .* holds \(.*\):$/\1/p' <<< "$help")"
  count="$(sed -n "s/^  TAMROW_DATA_DIR  a folder of the game's \([0-9]*\) images.*/\1/p" <<< "$help")"
  [ -n "$map" ] && [ -n "$count" ] || { echo "check-install: the help names no map file or image count" >&2; exit 1; }
  [ -f "$usr/share/tamrow/image/$map" ] || { echo "check-install: $usr/share/tamrow/image/$map is missing" >&2; exit 1; }
  [ "$(ls "$usr/share/tamrow/image" | wc -l)" -eq "$count" ] || { echo "check-install: not $count images" >&2; exit 1; }
  # The sounds beside the images, every one of the sources'.
  [ "$(ls "$usr/share/tamrow/sound")" = "$(ls "$source/resources/sound")" ] ||
    { echo "check-install: the sounds in $usr/share/tamrow/sound are not the game's" >&2; exit 1; }
  grep -qxF "  $usr/share/tamrow/image/  (used)" <<< "$help" ||
    { echo "check-install: $usr/games/tamrow does not use its own images" >&2; exit 1; }
  # A real start from /: two seconds of play without a word about missing images or sounds.
  local status=0
  (cd / && timeout -s TERM 2 "$usr/games/tamrow" 2> "$scratch/stderr.txt") || status=$?
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
grep -q "Depends: .*libsfml-graphics2.5" <<< "$info" || fail "no SFML dependency"
grep -q "Depends: .*libsfml-audio2.5" <<< "$info" || fail "no SFML audio dependency"
grep -q "Depends: .*libc6" <<< "$info" || fail "no dependencies worked out by dpkg-shlibdeps"
grep -q "Depends: .*fonts-dejavu-core" <<< "$info" || fail "no font dependency"
# lintian says it runs as root on every run; its findings are the other lines.
findings="$(lintian --display-info "$deb" 2>&1 | grep -v "running with root privileges")" || true
echo "$findings" >&2
if grep -q "^E: " <<< "$findings"; then fail "lintian found errors in $(basename "$deb")"; fi
dpkg-deb -x "$deb" "$scratch/root"
expect_installed "$scratch/root"
echo "check-install: the installed tree and $(basename "$deb") both run from / with their images; lintian finds no error"
