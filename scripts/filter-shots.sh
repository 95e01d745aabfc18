#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Pictures of the tool bar's filter field, for looking at: five simulated
# devices on the test LAN, then a MAC typed with colons after Ctrl+F, then Esc.
# Writes out/shots/filter/. Needs root (the test LAN) and xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
command -v xdotool >/dev/null || { echo "filter-shots: needs xdotool (apt-get install xdotool)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "filter-shots: needs root for the test LAN" >&2; exit 1; }
prefix=vxflt$$
out=out/shots/filter
mkdir -p "$out"
pids=()
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
  rm -rf "$XDG_CONFIG_HOME"
}
trap cleanup EXIT
scripts/testlan.sh up --prefix "$prefix" --devices 2 >/dev/null
on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
on dev1 -- build/varnex-sim --devices demo/devices-lobby.txt & pids+=($!)
on dev2 -- build/varnex-sim --devices demo/devices-plant.txt & pids+=($!)
for k in 1 2; do wait_until "the simulator in dev$k" udp_bound "$prefix-dev$k" 36; done
start_xvfb "$prefix-app" 900x600x24
pids+=("$xvfb_pid")
x() { on app -- env DISPLAY="$display" "$@"; }
shot() { x import -window root "$out/$1.png"; }
act() { after_input "$prefix-app" "$display" x "$@"; }

x build/varnex & pids+=($!)
wait_until "the window" window_shown "$prefix-app" "$display" Varnex
screen_settled "$prefix-app" "$display"
shot unfiltered
# A click on the first row gives the window the keyboard (Xvfb has no window manager).
act xdotool mousemove 60 98 click 1
act xdotool key ctrl+f type --delay 30 "0a:1b:2c"
shot filtered-by-mac
act xdotool key Escape
shot cleared
ls "$out"
