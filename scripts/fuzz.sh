#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time.
#   scripts/fuzz.sh [--seconds N]   (default 60 per target)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=60
if [ "${1:-}" = "--seconds" ]; then seconds="${2:?}"; fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARNEX_WERROR=ON -DVARNEX_FUZZ=ON -DVARNEX_GUI=OFF -DVARNEX_BENCH=OFF -DVARNEX_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)"
for target in build-fuzz/*_fuzz; do
  name=$(basename "$target" _fuzz)
  corpus="build-fuzz/corpus-$name"
  mkdir -p "$corpus"
  seeds="fuzz/corpus/$name"
  echo "fuzz: $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 "$corpus" ${seeds:+$( [ -d "$seeds" ] && echo "$seeds")} 2>&1 | tail -n 12
done
echo "fuzz: done"
