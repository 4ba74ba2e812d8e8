#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it. The game reads its
# images relative to the working directory, so it is started from the repository root.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" --target tamrow -j"$(nproc)"
cd "$root"
exec ./build/tamrow
