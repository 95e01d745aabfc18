#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Runs the benchmarks (build/varnex_bench) in a network namespace of their own
# with nothing but loopback: the desktop program's ingest benchmark starts the
# real program, whose probe goes to the limited broadcast address and must not
# reach a real network. Needs root for the namespace; the figures are printed.
#   scripts/bench.sh [--build DIR] [Google Benchmark options, e.g. --benchmark_filter=Ingest]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
if [ "${1:-}" = "--build" ]; then
    build=${2:?--build needs a folder}
    shift 2
fi
[ -x "$build/varnex_bench" ] || { echo "bench: no $build/varnex_bench (build with -DVARNEX_BENCH=ON)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "bench: needs root for a private network namespace (try: sudo $0)" >&2; exit 1; }
exec unshare --net -- sh -c 'ip link set lo up && exec "$0" "$@"' "$build/varnex_bench" "$@"
