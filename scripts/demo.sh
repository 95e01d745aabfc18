#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Builds Varnex and runs it on a simulated LAN: a test LAN of network namespaces
# with five simulated devices in two namespaces, and the program in its own.
# With a display ($DISPLAY) the window opens there until you close it; without
# one it runs on a virtual display and saves a screenshot to out/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEX_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)" --target varnex varnex-sim varnex-cli

if [ "$(id -u)" -ne 0 ]; then
  echo "demo: the test LAN is made of network namespaces and needs root (run with sudo)" >&2
  exit 1
fi

prefix="vxdemo"
mkdir -p out
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
}
trap cleanup EXIT INT TERM

scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
scripts/testlan.sh up --prefix "$prefix" --devices 2
scripts/testlan.sh exec --prefix "$prefix" dev1 -- build/varnex-sim --devices demo/devices-lobby.txt --log out/demo-sim1.log &
pids+=($!)
scripts/testlan.sh exec --prefix "$prefix" dev2 -- build/varnex-sim --devices demo/devices-plant.txt --log out/demo-sim2.log &
pids+=($!)
sleep 0.5

if [ -n "${DISPLAY:-}" ]; then
  echo "demo: Varnex opens on $DISPLAY; close its window to end the demo"
  scripts/testlan.sh exec --prefix "$prefix" app -- env DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" build/varnex
else
  echo "demo: no display; running on a virtual display and saving out/demo.png"
  scripts/testlan.sh exec --prefix "$prefix" app -- Xvfb :77 -screen 0 1024x700x24 -nolisten tcp &
  pids+=($!)
  sleep 1
  scripts/testlan.sh exec --prefix "$prefix" app -- env DISPLAY=:77 build/varnex --report out/demo-report.txt --report-after 4000 &
  app=$!
  sleep 3
  import -display :77 -window root out/demo.png
  wait "$app" || true
  echo "demo: screenshot out/demo.png; what the window showed:"
  cat out/demo-report.txt
fi
