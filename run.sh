#!/usr/bin/env bash
# Builds and opens the album in edit mode: on the folder given, or on a demo album
# generated into the build folder. With --viewer it opens in viewer mode instead.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/build.sh"
build=${PIXOLUDA_BUILD:-$root/build}
modus=(/Edit)
if [ "${1:-}" = "--viewer" ]; then
  modus=()
  shift
fi
if [ $# -ge 1 ]; then
  album=$(cd "$1" && pwd)
  shift
else
  album="$build/demo-album"
  [ -d "$album" ] || "$build/demoalbum" "$album"
fi
exec "$build/Pixolud" ${modus[@]+"${modus[@]}"} "/Grundpfad=$album" "$@"
