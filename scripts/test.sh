#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Builds everything and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   address and undefined-behaviour build in build-asan/
# The end-to-end tests make their own test LAN of network namespaces; they need
# root and are skipped (reported as skipped) without it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/build.sh
scripts/install-deps.sh

build=build
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNEX_WERROR=ON -DVARNEX_SANITIZE=ON -DVARNEX_BENCH=OFF
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
else
  configure_build "$build"
fi
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
