#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Pictures of Address N devices on a virtual display inside the test LAN:
# twenty devices fresh from the factory, all at 192.168.0.100 outside the
# LAN's 10.77.0.0/24, marked and with a tip that says why; the dialog with its
# plan; the progress; the results; and the list afterwards. The password is
# typed as a user types it. Writes to out/shots/batch/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
for tool in Xvfb import xdotool; do
    command -v "$tool" >/dev/null || { echo "batch-shots: needs $tool (apt-get install xvfb imagemagick xdotool)" >&2; exit 1; }
done
[ "$(id -u)" -eq 0 ] || { echo "batch-shots: needs root for the test LAN" >&2; exit 1; }
prefix=vxbatch$$
out=out/shots/batch
mkdir -p "$out"
pids=()
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/cfg XDG_STATE_HOME=$work/state
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
for k in $(seq 1 20); do
    printf 'name=Cam-%02d ip=192.168.0.100 mask=255.255.255.0 gateway=0.0.0.0 mac=00-0A-1B-2C-3D-%02X version=1.20 model=31 password=site1234\n' "$k" "$k"
done >"$work/devices.txt"
scripts/testlan.sh up --prefix "$prefix" --devices 1 >/dev/null
on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
on dev1 -- build/varnex-sim --devices "$work/devices.txt" & pids+=($!)
wait_until "the simulator" udp_bound "$prefix-dev1" 36
start_xvfb "$prefix-app" 1000x640x24
pids+=("$xvfb_pid")
x() { on app -- env DISPLAY="$display" "$@"; }
shot() { x import -window root "$out/$1.png"; }
settled() { screen_settled "$prefix-app" "$display"; }
act() { after_input "$prefix-app" "$display" x "$@"; }
shown() { wait_until "the window '$1'" window_shown "$prefix-app" "$display" "$1" && settled; }
# The program started as one process (testlan.sh execs into it), so that $app is its id.
start_app() {
    scripts/testlan.sh exec --prefix "$prefix" app -- env DISPLAY="$display" build/varnex "$@" &
    app=$!
    pids+=("$app")
}
stop_app() { kill "$app"; wait "$app" 2>/dev/null || true; }

# The list as it comes, and the tip over Cam-01's name.
start_app
shown Varnex
shot batch-unreachable
# A click below the rows makes the window the active one, which Qt shows tips for.
x xdotool mousemove 400 470 click 1
settled
act xdotool mousemove 60 118
shot batch-unreachable-tip
stop_app

# All twenty selected, Modify IP: the dialog proposes the subnet's first free addresses.
start_app --select 0-19 --command 32780
shown "Address 20 devices"
# The focus is in the start address: past the mask and the gateway to the password.
act xdotool key Tab Tab Tab
act xdotool type --delay 30 site1234
shot batch-plan
before=$(screen_sum "$prefix-app" "$display")
x xdotool key Return
wait_until "the progress" screen_differs "$prefix-app" "$display" "$before"
shot batch-progress
shown "Address 20 devices: results"
shot batch-results
act xdotool key Escape
settled
shot batch-after
x xdotool mousemove 400 470 click 1
settled
act xdotool mousemove 60 118
shot batch-after-tip
stop_app
ls "$out"
