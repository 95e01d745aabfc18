#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Takes screenshots of Varnex on a virtual display inside the test LAN, for
# looking at what users see: the list with rows selected, the context menu,
# the icon modes, and a printout as PNG pages. Writes to out/shots/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
command -v xdotool >/dev/null || { echo "screenshots: needs xdotool (apt-get install xdotool)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "screenshots: needs root for the test LAN" >&2; exit 1; }
prefix=vxshot$$
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
scripts/testlan.sh up --prefix "$prefix" --devices 2 >/dev/null
on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
on dev1 -- build/varnex-sim --devices demo/devices-lobby.txt & pids+=($!)
on dev2 -- build/varnex-sim --devices demo/devices-plant.txt & pids+=($!)
for k in 1 2; do wait_until "the simulator in dev$k" udp_bound "$prefix-dev$k" 36; done
start_xvfb "$prefix-app" 900x600x24
pids+=("$xvfb_pid")
x() { on app -- env DISPLAY="$display" "$@"; }
shot() { x import -window root "$out/$1.png"; }
shown() { wait_until "the window" window_shown "$prefix-app" "$display" Varnex && screen_settled "$prefix-app" "$display"; }
act() { after_input "$prefix-app" "$display" x "$@"; }

# Report mode with rows selected, then the context menu on a row.
x build/varnex & app=$!; pids+=($app)
shown
list_sum=$(screen_sum "$prefix-app" "$display") # the list as it starts, in report mode
act xdotool mousemove 60 118 click 1 mousemove 60 154 keydown ctrl click 1 keyup ctrl
shot report-selected
act xdotool mousemove 200 136 click 3
shot context-menu
x xdotool key Escape
running=$(ip netns pids "$prefix-app" | while read -r pid; do
  if grep -q varnex "/proc/$pid/cmdline" 2>/dev/null; then echo "$pid"; fi
done)
# shellcheck disable=SC2086
[ -z "$running" ] || { kill $running; wait_until "the program to end" gone $running; }
wait "$app" 2>/dev/null || true

# The icon modes are reached by command only; the command comes a second after the start.
for mode in 59409:large-icons 59408:small-icons; do
  x build/varnex --command "${mode%%:*}" --report "$out/${mode##*:}.txt" --report-after 8000 & app=$!
  shown
  wait_until "the ${mode##*:} view" screen_differs "$prefix-app" "$display" "$list_sum"
  screen_settled "$prefix-app" "$display"
  shot "${mode##*:}"
  wait "$app" || true
done

# A printout to PDF, turned into PNG pages.
x env VARNEX_PRINT_TO_PDF="$PWD/$out/printout.pdf" build/varnex --command 57607 --report "$out/print-report.txt" --report-after 4000
pdftoppm -r 60 -png "$out/printout.pdf" "$out/printout"
ls "$out"
