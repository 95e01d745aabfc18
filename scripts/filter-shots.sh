#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Pictures of the tool bar's filter field, for looking at: five simulated
# devices on the test LAN, then a MAC typed with colons after Ctrl+F, then Esc.
# Writes out/shots/filter/. Needs root (the test LAN) and xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
. scripts/lib/demo_shots.sh
demo_shots_start filter-shots vxflt$$ out/shots/filter

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
