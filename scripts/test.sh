#!/usr/bin/env bash
# Installs what the game needs, then builds with warnings as errors and runs the
# tests on a virtual display (they open real windows and load real textures):
# - in build/, as the game ships: every test, valgrind's memory check of the
#   headless city, the monkey, the start loop and the image and sound tools'
#   output against what is committed among them;
# - the installed game (scripts/check-install.sh), then each fuzz target
#   (fuzz/) from its seeds (scripts/fuzz.sh);
# - in build-asan/, built with AddressSanitizer, LeakSanitizer and
#   UndefinedBehaviorSanitizer: the tests labelled `sanitize`, which drive all
#   of the game's own code (rules, street life, waves, deaths, the window's
#   frames, input, drawing, images gone wrong). The real-program tests (the
#   monkey, the start loop, end to end) run the same code again through the
#   binary and check what the normal build checks, at several times the cost.
# Each pass builds only what it runs (the benchmark is none of it), through the
# compiler cache when there is one, so a second run, in any clone, compiles
# little. Any run failing fails the whole; the suite's count closes the run,
# then each phase's time. Each test has its own timeout (60 s, the long ones
# more, three times that under the sanitizers), so a hang costs minutes, not
# the whole run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"

# phase NAME COMMAND...: runs the command and keeps its time for the summary.
timings=()
phase() {
  local name="$1" start="$SECONDS"
  shift
  "$@"
  timings+=("$(printf '%5d s  %s' "$((SECONDS - start))" "$name")")
}
summary() { printf 'test.sh: %s\n' "${timings[@]}" "$(printf '%5d s  in all' "$SECONDS")" >&2; }
trap summary EXIT

# configure FOLDER CMAKE-OPTION...: debug information of lines alone (-g1), all
# that valgrind's and the sanitizers' reports read, for a third less compiling.
configure() {
  local folder="$root/$1"
  shift
  cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
    -DTAMROW_WERROR=ON -DTAMROW_BUILD_BENCHMARK=OFF "$@"
}
# run_tests FOLDER [CTEST OPTION...]
run_tests() {
  local folder="$root/$1"
  shift
  xvfb-run -a -s "-screen 0 1920x1080x24" \
    ctest --test-dir "$folder" --output-on-failure -j"$jobs" --timeout 60 "$@"
}

phase "packages" bash "$root/scripts/install-deps.sh"

phase "build/: configure" configure build -DTAMROW_SANITIZE=OFF
phase "build/: build" cmake --build "$root/build" -j"$jobs"
phase "build/: tests" run_tests build
# The game as a player installs it: cmake --install and the .deb, each started from /.
phase "installed game" xvfb-run -a -s "-screen 0 1920x1080x24" bash "$root/scripts/check-install.sh" "$root/build"
# The readers of what people hand the game, fuzzed.
phase "fuzzing" bash "$root/scripts/fuzz.sh"

phase "build-asan/: configure" configure build-asan -DTAMROW_SANITIZE=ON -DTAMROW_BUILD_TOOLS=OFF
# The suites' programs alone, with the game and the headless tool they start.
phase "build-asan/: build" cmake --build "$root/build-asan" -j"$jobs" --target tamrow_suites
phase "build-asan/: tests" run_tests build-asan -L sanitize
