#!/usr/bin/env bash
# Installs every Debian package the game, its tools and its tests need.
# Safe to run again: when everything is already there it does nothing.
set -euo pipefail

packages=(
  g++ make cmake pkg-config ccache   # the build, and a compiler cache that rebuilds only what changed
  libsfml-dev libbox2d-dev           # drawing, window, keyboard, sound; physics
  libopenal-dev                      # the game asks OpenAL once whether it has an audio device
  libgtest-dev                       # the test suites
  libx11-dev                         # the game asks Xlib for a display; X helpers of the tests
  xvfb xauth libgl1-mesa-dri         # a virtual display with software OpenGL for the tests
  xdotool x11-utils imagemagick      # key injection, window lookup, screenshots
  x11-xkb-utils xkb-data             # setxkbmap: a French layout loaded into a test's own server
  valgrind                           # memory check of the headless city
  fonts-dejavu-core libfontconfig-dev # the status panel's lettering, found through fontconfig
  zlib1g-dev                         # screenshots compressed in memory, so that their writing is checked
  clang libclang-rt-14-dev           # libFuzzer and the sanitizers for the fuzz targets (scripts/fuzz.sh)
  libinih-dev                        # reads the settings file
  openbox                            # a real window manager for the window tests
  dpkg-dev lintian appstream desktop-file-utils man-db # the .deb's dependencies and checks of what it ships
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ "${#missing[@]}" -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
