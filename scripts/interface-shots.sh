#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Pictures of the window on a machine with two network segments, for looking
# at: a test LAN whose app host has eth0 and eth1 with simulated devices behind
# each, the list with the devices of both, and View > Network Interface open.
# Writes out/shots/interfaces/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
[ "$(id -u)" -eq 0 ] || { echo "interface-shots: needs root for the test LAN" >&2; exit 1; }
for tool in Xvfb import xdotool; do
    command -v "$tool" >/dev/null || { echo "interface-shots: needs $tool (apt-get install xvfb imagemagick xdotool)" >&2; exit 1; }
done
for program in varnex varnex-sim; do
    [ -x "build/$program" ] || { echo "interface-shots: build first (scripts/test.sh)" >&2; exit 1; }
done

prefix=vxif$$
out=out/shots/interfaces
work=$(mktemp -d)
mkdir -p "$out"
pids=()
cleanup() {
    # The program before its display.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait_until "a process to end" gone "${pids[i]}" || true
    done
    wait 2>/dev/null || true
    scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
scripts/testlan.sh up --prefix "$prefix" --devices 1 --segments 2 >/dev/null
on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
# dev1 behind eth0, dev2 behind eth1.
on dev1 -- build/varnex-sim --devices demo/devices-lobby.txt & pids+=($!)
on dev2 -- build/varnex-sim --devices demo/devices-plant.txt & pids+=($!)
for k in 1 2; do wait_until "the simulator in dev$k" udp_bound "$prefix-dev$k" 36; done
start_xvfb "$prefix-app" 900x560x24
pids+=("$xvfb_pid")

x() { on app -- env DISPLAY="$display" XDG_CONFIG_HOME="$work" QT_QPA_PLATFORMTHEME= "$@"; }
shot() { x import -window root "$out/$1.png"; }
settled() { screen_settled "$prefix-app" "$display"; }
act() { after_input "$prefix-app" "$display" x "$@"; }

x build/varnex & pids+=($!)
wait_until "the window" window_shown "$prefix-app" "$display" Varnex
settled
x xdotool mousemove 880 550
settled
shot list-both-segments
# View (Alt+V), then Network Interface by its mnemonic.
x xdotool mousemove 400 300 click 1
settled
act xdotool key alt+v
act xdotool key i
shot view-network-interface-menu
# Choose eth1 (the second entry after All Interfaces): the list refreshes with its devices only.
act xdotool key Down Down Return
shot list-eth1-only
# The menu again: eth1 is checked now.
act xdotool key alt+v
act xdotool key i
shot view-network-interface-eth1-chosen
x xdotool key Escape Escape
ls "$out"
