#!/usr/bin/env bash
# Installs what the game needs, then builds everything and runs the whole test
# suite twice on a virtual display (the tests open real windows and load real
# textures): once as the game ships, in build/ (valgrind's memory check of the
# headless city is one of its tests), then built with AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer, in build-asan/ (the sanitizer
# options are compiled into those programs). Either run failing fails the whole.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$root/scripts/install-deps.sh"

# build_and_test FOLDER [CMAKE OPTION...]
build_and_test() {
  local folder="$root/$1"
  shift
  cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$folder" -j"$(nproc)"
  xvfb-run -a -s "-screen 0 1920x1080x24" \
    ctest --test-dir "$folder" --output-on-failure --timeout 600
}

build_and_test build -DTAMROW_SANITIZE=OFF
# The game as a player installs it: cmake --install and the .deb, each started from /.
xvfb-run -a -s "-screen 0 1920x1080x24" bash "$root/scripts/check-install.sh" "$root/build"
build_and_test build-asan -DTAMROW_SANITIZE=ON
