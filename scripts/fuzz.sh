#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang++ in build-fuzz/ and runs each
# for FUZZ_SECONDS (default 30) from the real files of its seed corpus,
# fuzz/corpus/NAME/, which it leaves untouched (what a run learns stays in
# build-fuzz/corpus/NAME/). A crash, a sanitizer's report or a broken promise
# of the reader fails the script; the input is kept as build-fuzz/finds/NAME-*,
# to be fixed and added to the normal tests (tests/FLOOR/fuzz-finds/).
# A new target is one line in fuzz/CMakeLists.txt and a folder of seeds here.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${FUZZ_SECONDS:-30}"
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMROW_BUILD_FUZZERS=ON \
  -DTAMROW_BUILD_TESTS=OFF -DTAMROW_BUILD_TOOLS=OFF -DTAMROW_BUILD_BENCHMARK=OFF
cmake --build "$build" -j"$(nproc)" --target tamrow_fuzzers

mkdir -p "$build/finds"
for seeds in "$root"/fuzz/corpus/*/; do
  name="$(basename "$seeds")"
  mkdir -p "$build/corpus/$name"
  echo "fuzz_$name: $seconds s from $(find -L "$seeds" -type f | wc -l) seeds" >&2
  "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/finds/$name-" \
    "$build/corpus/$name" "$seeds"
done
