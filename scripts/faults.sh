#!/usr/bin/env bash
# The long form of the fault injection: N kills with SIGKILL per writer (200 or more for
# the proof), plus a full file system for each. Needs root for the small file systems.
#   scripts/faults.sh N [WRITER|alle] [P]   (P: at most P crash points per writer; default all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" >/dev/null
build=${PIXOLUDA_BUILD:-$root/build}
QT_QPA_PLATFORM=offscreen "$build/pixoluda-faults" "${1:-200}" "${2:-alle}" ${3:+"$3"} 2> >(grep -v XDG_RUNTIME_DIR >&2)
