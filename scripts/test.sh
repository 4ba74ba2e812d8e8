#!/usr/bin/env bash
# Installs what the game needs, then builds everything with warnings as errors
# and runs the tests on a virtual display (they open real windows and load real
# textures), twice:
# - in build/, as the game ships: every test, valgrind's memory check of the
#   headless city, the monkey and the start loop among them;
# - in build-asan/, built with AddressSanitizer, LeakSanitizer and
#   UndefinedBehaviorSanitizer: the tests labelled `sanitize`, which drive all
#   of the game's own code (rules, street life, waves, deaths, the window's
#   frames, input, drawing, images gone wrong). The real-program tests (the
#   monkey, the start loop, end to end) run the same code again through the
#   binary and check what the normal build checks, at several times the cost.
# Between the two, the installed game is checked and each fuzz target (fuzz/)
# runs for 30 s from its seeds (scripts/fuzz.sh), so the suite's count closes the run.
# Any run failing fails the whole. Each test has its own timeout (60 s, the
# long ones more, three times that under the sanitizers), so a hang costs minutes,
# not the whole run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$root/scripts/install-deps.sh"

# build_and_test FOLDER CTEST-LABEL-OPTIONS [CMAKE OPTION...]
build_and_test() {
  local folder="$root/$1"
  local labels="$2"
  shift 2
  cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMROW_WERROR=ON "$@"
  cmake --build "$folder" -j"$(nproc)"
  # shellcheck disable=SC2086
  xvfb-run -a -s "-screen 0 1920x1080x24" \
    ctest --test-dir "$folder" --output-on-failure -j"$(nproc)" --timeout 60 $labels
}

build_and_test build "" -DTAMROW_SANITIZE=OFF
# The game as a player installs it: cmake --install and the .deb, each started from /.
xvfb-run -a -s "-screen 0 1920x1080x24" bash "$root/scripts/check-install.sh" "$root/build"
# The readers of what people hand the game, fuzzed.
bash "$root/scripts/fuzz.sh"
build_and_test build-asan "-L sanitize" -DTAMROW_SANITIZE=ON -DTAMROW_BUILD_TOOLS=OFF -DTAMROW_BUILD_BENCHMARK=OFF
