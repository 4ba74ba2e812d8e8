#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it. A build finds the
# images of its own sources, whatever the working directory.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" --target tamrow -j"$(nproc)"
exec "$root/build/tamrow"
