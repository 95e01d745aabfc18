#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Builds Varnex and runs it on a simulated LAN: a test LAN of network namespaces
# with five simulated devices in two namespaces, and the program in its own.
# With a display ($DISPLAY) the window opens there until you close it; without
# one it runs on a virtual display and saves a screenshot to out/demo.png.
# Each run has a test LAN and a virtual display of its own, so runs side by
# side do not collide.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/build.sh
. scripts/lib/waits.sh
scripts/install-deps.sh
configure_build build
cmake --build build -j"$(nproc)" --target varnex varnex-sim varnex-cli

if [ "$(id -u)" -ne 0 ]; then
  echo "demo: the test LAN is made of network namespaces and needs root (run with sudo)" >&2
  exit 1
fi

prefix="vxd$$"
work=$(mktemp -d)
mkdir -p out
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

scripts/testlan.sh up --prefix "$prefix" --devices 2
on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
on dev1 -- build/varnex-sim --devices demo/devices-lobby.txt --log out/demo-sim1.log 2>"$work/sim1.err" &
pids+=($!)
on dev2 -- build/varnex-sim --devices demo/devices-plant.txt --log out/demo-sim2.log 2>"$work/sim2.err" &
pids+=($!)
for k in 1 2; do
  wait_until "the simulator in $prefix-dev$k to listen" udp_bound "$prefix-dev$k" 36 ||
    { cat "$work/sim$k.err" >&2; exit 1; }
done

if [ -n "${DISPLAY:-}" ]; then
  echo "demo: Varnex opens on $DISPLAY; close its window to end the demo"
  on app -- env DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" build/varnex
else
  echo "demo: no display; running on a virtual display and saving out/demo.png"
  start_xvfb "$prefix-app" 1024x700x24
  pids+=("$xvfb_pid")
  on app -- env DISPLAY="$display" build/varnex --report "$work/report.txt" --report-after 8000 &
  app=$!
  pids+=("$app")
  wait_until "the window on $display" window_shown "$prefix-app" "$display" Varnex
  screen_settled "$prefix-app" "$display"
  kill -0 "$app" 2>/dev/null || { echo "demo: the window closed before its picture was taken" >&2; exit 1; }
  on app -- import -display "$display" -window root "$work/demo.png"
  wait "$app" || { echo "demo: varnex ended with an error" >&2; exit 1; }
  mv "$work/demo.png" out/demo.png
  echo "demo: screenshot out/demo.png; what the window showed:"
  cat "$work/report.txt"
fi
