#!/usr/bin/env bash
# Shared build step of run.sh, test.sh and bench.sh: installs what is missing,
# configures once and builds into ./build (or $PIXOLUDA_BUILD).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${PIXOLUDA_BUILD:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  # PIXOLUDA_CMAKE_ARGS: further settings for a build of its own (the sanitizer build).
  eval "extra=(${PIXOLUDA_CMAKE_ARGS:-})"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${PIXOLUDA_BUILD_TYPE:-RelWithDebInfo}" "${extra[@]}"
fi
cmake --build "$build" -j"$(nproc)"
