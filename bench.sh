#!/usr/bin/env bash
# Builds and runs the benchmarks; prints their figures and ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/build.sh"
build=${PIXOLUDA_BUILD:-$root/build}
shopt -s nullglob
benches=("$build"/bench/bench_*)
if [ ${#benches[@]} -eq 0 ]; then
  echo "no benchmarks yet"
  exit 0
fi
for b in "${benches[@]}"; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b"
done
