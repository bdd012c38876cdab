#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS each (default 60), starting from the committed
# seed corpus (copied, so the repository stays as it is). Builds with clang into
# ./build-fuzz. A finding stops its target and is left in build-fuzz/funde/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sekunden=${1:-60}
"$root/scripts/install-deps.sh"
command -v clang++ >/dev/null || { echo "clang++ fehlt (apt-get install clang libclang-rt-14-dev)" >&2; exit 1; }
build=$root/build-fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DPIXOLUDA_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
fi
ziele=(profil bigini bildtext brennliste namen exif jpeg heif)
cmake --build "$build" -j"$(nproc)" --target "${ziele[@]/#/fuzz_}"
mkdir -p "$build/funde"
for ziel in "${ziele[@]}"; do
  korpus="$build/korpus/$ziel"
  mkdir -p "$korpus"
  cp -n "$root/fuzz/korpus/$ziel/"* "$korpus/" 2>/dev/null || true
  ausgabe=$(QT_QPA_PLATFORM=offscreen "$build/fuzz_$ziel" -max_total_time="$sekunden" \
    -artifact_prefix="$build/funde/$ziel-" -print_final_stats=1 "$korpus" 2>&1) || { echo "$ausgabe" | tail -30; exit 1; }
  echo "fuzz_$ziel $(echo "$ausgabe" | grep -o 'stat::number_of_executed_units: *[0-9]*' | grep -o '[0-9]*$') executions"
done
