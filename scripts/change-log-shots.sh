#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# A picture of File > Change Log on a virtual display inside the test LAN,
# after commands from varnex-cli (confirmed, not looked for, dropped by the
# device), one from the window itself and a torn line. Writes to
# out/shots/site/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
command -v xdotool >/dev/null || { echo "change-log-shots: needs xdotool (apt-get install xdotool)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "change-log-shots: needs root for the test LAN" >&2; exit 1; }
prefix=vxlog$$
out=out/shots/site
mkdir -p "$out"
pids=()
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/cfg XDG_STATE_HOME=$work/state
changes=$XDG_STATE_HOME/varnex/commands.log
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
cat >"$work/devices.txt" <<'DEV'
name=Cam-Lobby ip=10.77.0.20 mask=255.255.255.0 gateway=10.77.0.1 mac=00-0A-1B-2C-3D-4E version=1.20 model=31
name=Cam-Gate ip=10.77.0.21 mask=255.255.255.0 gateway=10.77.0.1 mac=00-0A-1B-2C-3D-4F version=1.18 model=32
name=Panel-3 ip=10.77.0.35 mask=255.255.255.0 gateway=10.77.0.1 mac=00-0A-1B-2C-3D-60 version=2.01 model=5
DEV
scripts/testlan.sh up --prefix "$prefix" --devices 1 >/dev/null
on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
on dev1 -- build/varnex-sim --devices "$work/devices.txt" --reset-silence 0.5 & pids+=($!)
# The same devices again on port 39, dropping every command.
on dev1 -- build/varnex-sim --devices "$work/devices.txt" --port 39 --ignore-commands & pids+=($!)
wait_until "the simulator" udp_bound "$prefix-dev1" 36
wait_until "the simulator that drops commands" udp_bound "$prefix-dev1" 39
cli() { on app -- env "$@" </dev/null >/dev/null || true; }

# From varnex-cli: confirmed; sent without looking; dropped by the device.
cli build/varnex-cli set-ip 00-0A-1B-2C-3D-4E --ip 10.77.0.50 --wait 0.5
printf 'mac,ip,mask,gateway\n00-0A-1B-2C-3D-4F,10.77.0.51,,10.77.0.254\n' >"$work/plan.csv"
cli build/varnex-cli apply "$work/plan.csv" --wait 0.5 --no-verify
# The devices that drop commands are still at their first addresses.
cli build/varnex-cli set-mac 10.77.0.20 00-0A-1B-2C-3D-77 --device-port 39 --wait 0.5 --verify-wait 1

start_xvfb "$prefix-app" 1040x560x24
pids+=("$xvfb_pid")
x() { on app -- env DISPLAY="$display" "$@"; }
shot() { x import -window root "$out/$1.png"; }
# Ends the programs in the app's namespace: the job started in the background
# is a subshell, not the program.
stop_varnex() {
  local running
  running=$(ip netns pids "$prefix-app" | while read -r pid; do
    if grep -q 'build/varnex' "/proc/$pid/cmdline" 2>/dev/null; then echo "$pid"; fi
  done)
  # shellcheck disable=SC2086
  [ -z "$running" ] || { kill $running; wait_until "the program to end" gone $running; }
  wait "$1" 2>/dev/null || true
}

# From the window: Soft Reset of the third row, with the empty password the
# devices have here. Its line is written once the search after the command
# has judged it.
x build/varnex --select 2 --command 32783 & app=$!; pids+=($app)
wait_until "the password dialog" window_shown "$prefix-app" "$display" "Dialog Frame"
screen_settled "$prefix-app" "$display"
x xdotool key Return
wait_until "the window's reset in the log" grep -q '"program": "varnex",.*"command": "reset"' "$changes"
stop_varnex "$app"

# A line torn by a crash while it was written: counted in the note, left in the file.
printf '{"time": "2024-05-01T14:0' >>"$changes"

# File > Change Log, opened by its command at the start.
x build/varnex --command 32850 & app=$!; pids+=($app)
wait_until "the Change Log dialog" window_shown "$prefix-app" "$display" "Change Log"
screen_settled "$prefix-app" "$display"
shot change-log
cp "$changes" "$out/change-log-commands.log"
stop_varnex "$app"
ls "$out"
