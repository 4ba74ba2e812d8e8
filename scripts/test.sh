#!/usr/bin/env bash
# Installs what the game needs, builds everything and runs the whole test suite
# on a virtual display (the tests open real windows and load real textures).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"$(nproc)"
xvfb-run -a -s "-screen 0 1920x1080x24" \
  ctest --test-dir "$root/build" --output-on-failure --timeout 600
