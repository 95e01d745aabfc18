#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Builds the fuzz targets with clang and runs each for a bounded time, then
# prints a line per target: runs, coverage (edges) and corpus size.
#   scripts/fuzz.sh [--seconds N] [--only NAME]   (N seconds per target, default 60)
# It says how many targets it runs and how long that takes: every *_fuzz.cpp in
# fuzz/ is one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=60
only=
while [ $# -gt 0 ]; do
  case $1 in
  --seconds) seconds=${2:?--seconds needs a number}; shift 2 ;;
  --only) only=${2:?--only needs a target name}; shift 2 ;;
  *) echo "fuzz: unknown option '$1'" >&2; exit 2 ;;
  esac
done

# Options of each target beside the time: the reply parser reads 52 bytes and
# no more, so longer inputs would only waste runs.
options_for() {
  case $1 in
  reply) echo "-max_len=52" ;;
  cli_args | sim_device | sim_options | start_options | profile | plan_reader | change_log_reader | batch_dialog) echo "-max_len=4096" ;;
  sim_command) echo "-max_len=300" ;;
  cli_password) echo "-max_len=64" ;;
  *) echo "" ;;
  esac
}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARNEX_WERROR=ON -DVARNEX_FUZZ=ON -DVARNEX_GUI=OFF -DVARNEX_BENCH=OFF -DVARNEX_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)"
# The targets are the sources (fuzz/CMakeLists.txt builds one from each), not
# whatever an older build left in build-fuzz/.
targets=()
for source in fuzz/*_fuzz.cpp; do
  name=$(basename "$source" _fuzz.cpp)
  [ -z "$only" ] || [ "$only" = "$name" ] || continue
  [ -x "build-fuzz/${name}_fuzz" ] || { echo "fuzz: build-fuzz/${name}_fuzz was not built" >&2; exit 1; }
  targets+=("build-fuzz/${name}_fuzz")
done
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: no target${only:+ named '$only'}" >&2; exit 2; }
echo "fuzz: ${#targets[@]} target(s), ${seconds}s each: about $(( ${#targets[@]} * seconds / 60 )) min $(( ${#targets[@]} * seconds % 60 )) s"
summary=()
status=0
for target in "${targets[@]}"; do
  name=$(basename "$target" _fuzz)
  corpus="build-fuzz/corpus-$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  log="build-fuzz/fuzz-$name.log"
  echo "fuzz: $name for ${seconds}s $(options_for "$name")"
  # shellcheck disable=SC2046
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      $(options_for "$name") "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    status=1
    tail -n 40 "$log"
    summary+=("$name: FAILED (see $log)")
    continue
  fi
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{print $2}' | tail -n 1 || true)
  cov=$(grep -oE 'DONE[[:space:]]+cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[0-9a-zA-Z]+' "$log" | tail -n 1 || true)
  summary+=("$name: ${runs:-?} runs in ${seconds}s; ${cov#DONE}")
done
echo "fuzz: done, ${#targets[@]} target(s)"
for line in "${summary[@]}"; do echo "  $line"; done
exit $status
