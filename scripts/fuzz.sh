#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang++ in build-fuzz/ and runs
# them side by side, each for FUZZ_SECONDS (default 30) from the real files of
# its seed corpus, fuzz/corpus/NAME/, which it leaves untouched (what a run
# learns stays in build-fuzz/corpus/NAME/). A crash, a sanitizer's report or a
# broken promise of the reader fails the script; the input is kept as
# build-fuzz/finds/NAME-*, to be fixed and added to the normal tests
# (tests/LIBRARY/fuzz-finds/), and the target's log is shown.
# A new target is one line in fuzz/CMakeLists.txt and a folder of seeds here.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${FUZZ_SECONDS:-30}"
build="$root/build-fuzz"

# Lines alone in the debug information (-g1): what a report's stack needs.
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DTAMROW_BUILD_FUZZERS=ON \
  -DTAMROW_BUILD_TESTS=OFF -DTAMROW_BUILD_TOOLS=OFF -DTAMROW_BUILD_BENCHMARK=OFF
cmake --build "$build" -j"$(nproc)" --target tamrow_fuzzers

mkdir -p "$build/finds"
pids=()
names=()
for seeds in "$root"/fuzz/corpus/*/; do
  name="$(basename "$seeds")"
  mkdir -p "$build/corpus/$name"
  echo "fuzz_$name: $seconds s from $(find -L "$seeds" -type f | wc -l) seeds" >&2
  "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/finds/$name-" \
    "$build/corpus/$name" "$seeds" > "$build/$name.log" 2>&1 &
  pids+=("$!")
  names+=("$name")
done
failed=0
for k in "${!pids[@]}"; do
  name="${names[$k]}"
  if wait "${pids[$k]}"; then
    grep "^stat::number_of_executed_units" "$build/$name.log" | sed "s/^/fuzz_$name: /" >&2
  else
    cat "$build/$name.log" >&2
    echo "fuzz_$name failed: its input is in $build/finds/" >&2
    failed=1
  fi
done
exit "$failed"
