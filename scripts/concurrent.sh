#!/usr/bin/env bash
# The long form of the concurrency check: three writers of each kind on one album at
# once, ROUNDS rounds of WRITES writes each (default 20 x 300). Ends with
# "concurrent writes=N lost=0 failed=0".
#   scripts/concurrent.sh [ROUNDS] [WRITES] [KIND]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" >/dev/null
build=${PIXOLUDA_BUILD:-$root/build}
QT_QPA_PLATFORM=offscreen "$build/pixoluda-concurrent" "${1:-20}" "${2:-300}" ${3:+"$3"} 2> >(grep -v XDG_RUNTIME_DIR >&2)
