#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Pictures of View > Watch Devices, for looking at: the demo's devices on the
# test LAN, watched every 3 seconds; then the plant's simulator stops, a new
# device starts in another namespace and the lobby camera is given another
# address. Writes out/shots/watch/. Needs root (the test LAN) and xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
. scripts/lib/demo_shots.sh
demo_shots_start watch-shots vxwat$$ out/shots/watch 4

# Watching on in the profile; the interval for this run only.
profile="$XDG_CONFIG_HOME/本機 AppWizard 所產生的應用程式"
mkdir -p "$profile"
printf '[Settings]\nWatchDevices=1\n' >"$profile/Varnex.ini"
probes_seen() { grep -c ' len=52 ' "$XDG_CONFIG_HOME/dev1.log" 2>/dev/null || echo 0; }
# Waits until the lobby's simulator has had n more probes: the window has
# then ended the probes before the last one.
probes_after() {
  local target=$(($(probes_seen) + $1))
  # shellcheck disable=SC2317
  seen_enough() { [ "$(probes_seen)" -ge "$target" ]; }
  wait_until "$1 more probes" seen_enough
}

x build/varnex --watch-interval 3 & pids+=($!)
wait_until "the window" window_shown "$prefix-app" "$display" Varnex
probes_after 2
screen_settled "$prefix-app" "$display"
shot watching

# The plant's devices stop answering; a new one starts; Cam-Lobby moves.
kill "$dev2_pid"
on dev3 -- build/varnex-sim --device "name=Cam-Annex ip=192.168.1.25 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-70 version=1.20 model=31" & pids+=($!)
wait_until "the new simulator" udp_bound "$prefix-dev3" 36
on dev4 -- env VARNEX_PASSWORD=lobby XDG_STATE_HOME="$XDG_CONFIG_HOME" build/varnex-cli set-ip 00-0A-1B-2C-3D-4E \
  --ip 192.168.1.60 --no-verify </dev/null >/dev/null
probes_after 4
screen_settled "$prefix-app" "$display"
shot came-and-went
ls "$out"
