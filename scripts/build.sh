#!/usr/bin/env bash
# Shared build step of run.sh, test.sh and bench.sh: installs what is missing,
# configures once and builds into ./build (or $PIXOLUDA_BUILD).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${PIXOLUDA_BUILD:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${PIXOLUDA_BUILD_TYPE:-RelWithDebInfo}"
fi
cmake --build "$build" -j"$(nproc)"
