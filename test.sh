#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test offscreen.
#   ./test.sh        the normal build in ./build
#   ./test.sh asan   the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer
#                    (leak checking on), built into ./build-asan
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" = "asan" ]; then
  export PIXOLUDA_BUILD=${PIXOLUDA_BUILD:-$root/build-asan}
  export PIXOLUDA_CMAKE_ARGS="-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined\ -fno-omit-frame-pointer\ -fno-sanitize-recover=undefined"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$root/tests/lsan-x265.supp:print_suppressions=0
  # The fault injection measures files, not memory; ten times slower here, it stays in the normal run.
  ausser=(-E Fehlerinjektion)
fi
"$root/scripts/build.sh"
build=${PIXOLUDA_BUILD:-$root/build}
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" ${ausser[@]+"${ausser[@]}"}
