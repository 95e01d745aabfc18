#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Takes screenshots of Varnex on a virtual display inside the test LAN, for
# looking at what users see: the list with rows selected, the context menu,
# the icon modes, and a printout as PNG pages. Writes to out/shots/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
. scripts/lib/demo_shots.sh
demo_shots_start screenshots vxshot$$ out/shots
shown() { wait_until "the window" window_shown "$prefix-app" "$display" Varnex && screen_settled "$prefix-app" "$display"; }

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
