#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Takes screenshots of Varnex on a virtual display inside the test LAN, for
# looking at what users see: the list with rows selected, the context menu,
# the icon modes, and a printout as PNG pages. Writes to out/shots/.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v xdotool >/dev/null || { echo "screenshots: needs xdotool (apt-get install xdotool)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "screenshots: needs root for the test LAN" >&2; exit 1; }
prefix=vxshot
out=out/shots
mkdir -p "$out"
pids=()
# A profile of its own, so that the layout a run leaves behind is not the next run's.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
  rm -rf "$XDG_CONFIG_HOME"
}
trap cleanup EXIT
scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
scripts/testlan.sh up --prefix "$prefix" --devices 2 >/dev/null
on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
on dev1 -- build/varnex-sim --devices demo/devices-lobby.txt & pids+=($!)
on dev2 -- build/varnex-sim --devices demo/devices-plant.txt & pids+=($!)
on app -- Xvfb :78 -screen 0 900x600x24 -nolisten tcp & pids+=($!)
sleep 1
x() { on app -- env DISPLAY=:78 "$@"; }
shot() { x import -window root "$out/$1.png"; }

# Report mode with rows selected, then the context menu on a row.
x build/varnex & app=$!; pids+=($app)
sleep 3
x xdotool mousemove 60 118 click 1 mousemove 60 154 keydown ctrl click 1 keyup ctrl
sleep 0.5; shot report-selected
x xdotool mousemove 200 136 click 3
sleep 0.7; shot context-menu
x xdotool key Escape
x xdotool key alt+F4 2>/dev/null || true
sleep 0.5
ip netns pids "$prefix-app" | while read -r pid; do
  if grep -q varnex "/proc/$pid/cmdline" 2>/dev/null; then kill "$pid"; fi
done
wait "$app" 2>/dev/null || true

# The icon modes are reached by command only.
for mode in 59409:large-icons 59408:small-icons; do
  x build/varnex --command "${mode%%:*}" --report "$out/${mode##*:}.txt" --report-after 3500 & app=$!
  sleep 3; shot "${mode##*:}"
  wait "$app" || true
done

# A printout to PDF, turned into PNG pages.
x env VARNEX_PRINT_TO_PDF="$PWD/$out/printout.pdf" build/varnex --command 57607 --report "$out/print-report.txt" --report-after 4000
pdftoppm -r 60 -png "$out/printout.pdf" "$out/printout"
ls "$out"
