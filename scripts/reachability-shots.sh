#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Pictures of devices this computer cannot reach directly, on a virtual display
# inside the test LAN: the list with their overlay beside a shared address, the
# tip over such a row, and what Web Browser says about one. Writes to
# out/shots/site/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
command -v xdotool >/dev/null || { echo "reachability-shots: needs xdotool (apt-get install xdotool)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "reachability-shots: needs root for the test LAN" >&2; exit 1; }
prefix=vxreach$$
out=out/shots/site
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
# The LAN is 10.77.0.0/24: two devices on it, one set to another network, and
# two that share an address outside it (the shared mark wins).
cat >"$work/devices.txt" <<'DEV'
name=Cam-Lobby ip=10.77.0.20 mask=255.255.255.0 gateway=10.77.0.1 mac=00-0A-1B-2C-3D-4E version=1.20 model=31
name=Cam-Gate ip=10.77.0.21 mask=255.255.255.0 gateway=10.77.0.1 mac=00-0A-1B-2C-3D-4F version=1.18 model=32
name=Cam-Factory ip=192.168.1.20 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-50 version=1.20 model=31
name=New-1 ip=192.168.0.100 mask=255.255.255.0 gateway=192.168.0.1 mac=00-0A-1B-2C-3D-61 version=2.01 model=32
name=New-2 ip=192.168.0.100 mask=255.255.255.0 gateway=192.168.0.1 mac=00-0A-1B-2C-3D-62 version=2.01 model=32
DEV
scripts/testlan.sh up --prefix "$prefix" --devices 1 >/dev/null
on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
on dev1 -- build/varnex-sim --devices "$work/devices.txt" & pids+=($!)
wait_until "the simulator" udp_bound "$prefix-dev1" 36
start_xvfb "$prefix-app" 900x420x24
pids+=("$xvfb_pid")
x() { on app -- env DISPLAY="$display" "$@"; }
shot() { x import -window root "$out/$1.png"; }
shown() { wait_until "the window" window_shown "$prefix-app" "$display" Varnex && screen_settled "$prefix-app" "$display"; }

x build/varnex & app=$!; pids+=($app)
shown
shot unreachable-rows
# The pointer resting on Cam-Factory's name: its tip.
after_input "$prefix-app" "$display" x xdotool mousemove 60 136
wait_until "the tip" screen_settled "$prefix-app" "$display"
shot unreachable-tip
kill "$app"; wait "$app" 2>/dev/null || true

# Web Browser on Cam-Factory (the third row in answer order): the question first.
list_sum=$(screen_sum "$prefix-app" "$display")
x build/varnex --select 2 --command 32782 & app=$!; pids+=($app)
wait_until "the question" screen_differs "$prefix-app" "$display" "$list_sum"
shown
shot unreachable-web-browser
kill "$app"; wait "$app" 2>/dev/null || true
ls "$out"
