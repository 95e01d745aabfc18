#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Pictures of the list as users see it, for looking at: the device list on a
# virtual display inside the test LAN (the header's column menu, a column
# hidden and shown again, the list sorted by MAC descending with its tint and
# arrow, then reversed, in the default and a dark palette), a row whose address
# another device shares with its tip, the export dialog, and the owner-drawn
# demo list with a hot item and check boxes. Writes out/shots/list/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
[ "$(id -u)" -eq 0 ] || { echo "list-shots: needs root for the test LAN" >&2; exit 1; }
for tool in Xvfb import xdotool; do
    command -v "$tool" >/dev/null || { echo "list-shots: needs $tool (apt-get install xvfb imagemagick xdotool)" >&2; exit 1; }
done
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platformthemes/libqt6ct.so ] ||
    { echo "list-shots: needs qt6ct for the dark palette (apt-get install qt6ct)" >&2; exit 1; }
for program in varnex varnex-sim varnex-listdemo; do
    [ -x "build/$program" ] || { echo "list-shots: build first (scripts/test.sh)" >&2; exit 1; }
done

prefix=vxls$$
out=out/shots/list
work=$(mktemp -d)
mkdir -p "$out"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
scripts/testlan.sh up --prefix "$prefix" --devices 2 >/dev/null
on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
cat >"$work/more.txt" <<DEVICES
name=Meter-A ip=192.168.1.51 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-4D-51 version=1.03 model=31
name=Meter-B ip=192.168.1.52 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-4D-52 version=1.03 model=31
name=Door-West ip=192.168.1.100 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-4D-64 version=2.10 model=32
name=Door-East ip=192.168.1.9 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-4D-09 version=2.10 model=32
name=Door-Spare ip=192.168.1.100 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-4D-65 version=2.10 model=32
name=Pump-2 ip=192.168.1.77 mask=255.255.0.0 gateway=192.168.1.254 mac=00-0A-1B-2C-4D-77 version=0.98 model=7
DEVICES
on dev1 -- build/varnex-sim --devices demo/devices-lobby.txt & pids+=($!)
on dev2 -- build/varnex-sim --devices demo/devices-plant.txt --devices "$work/more.txt" & pids+=($!)
for k in 1 2; do wait_until "the simulator in dev$k" udp_bound "$prefix-dev$k" 36; done
start_xvfb "$prefix-app" 1000x600x24
pids+=("$xvfb_pid")
mkdir -p "$work/dark/qt6ct"
cat >"$work/dark/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
CONF

x() { on app -- env DISPLAY="$display" "$@"; }
settled() { screen_settled "$prefix-app" "$display"; }
act() { after_input "$prefix-app" "$display" x "$@"; }
shown() { wait_until "the window $1" window_shown "$prefix-app" "$display" "$1" && settled; }
shot() { x xdotool mousemove 990 590; settled; x import -window root "$out/$1.png"; }
stop_app() {
    local running
    running=$(ip netns pids "$prefix-app" | while read -r pid; do
        if grep -q varnex "/proc/$pid/cmdline" 2>/dev/null; then echo "$pid"; fi
    done)
    # shellcheck disable=SC2086
    [ -z "$running" ] || { kill $running 2>/dev/null || true; wait_until "the program to end" gone $running; }
    wait "$app" 2>/dev/null || true
}

# The header sits at y 77 with the columns 120, 120, 120, 120, 130, 95 wide.
device_list() {  # name suffix, then environment settings
    local suffix=$1
    shift
    x env "$@" build/varnex & app=$!
    pids+=("$app")
    shown Varnex
    shot "list-$suffix"
    # Hide Gateway IP from the header's menu, then look at the menu again.
    act xdotool mousemove 420 77 click 3
    x import -window root "$out/header-menu-$suffix.png"
    act xdotool mousemove 480 153 click 1
    shot "gateway-hidden-$suffix"
    act xdotool mousemove 300 77 click 3
    x import -window root "$out/header-menu-one-hidden-$suffix.png"
    act xdotool mousemove 360 153 click 1
    shot "gateway-shown-again-$suffix"
    # MAC: the first click sorts ascending, the second descending, the third ascending again.
    act xdotool mousemove 545 77 click 1
    act xdotool click 1
    shot "mac-descending-$suffix"
    act xdotool mousemove 545 77 click 1
    shot "mac-ascending-$suffix"
    stop_app
}
device_list default QT_QPA_PLATFORMTHEME= XDG_CONFIG_HOME="$work/light"
device_list dark QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/dark"

# Door-Spare and Door-West answer from 192.168.1.100: the third and fourth rows
# carry the warning, and the mouse resting on one shows the tip.
x env XDG_CONFIG_HOME="$work/tip" QT_QPA_PLATFORMTHEME= build/varnex & app=$!
pids+=("$app")
shown Varnex
# Qt shows tips in the active window only: a click on the list's empty part
# makes it active without a window manager. The tip shows a moment after the
# pointer rests.
x xdotool mousemove 400 450 click 1
settled
x xdotool mousemove 60 130
settled
act xdotool mousemove 62 131
x import -window root "$out/duplicate-address-tip.png"
stop_app

# File > Export List... (command 32840): the save dialog with its two file types.
x env XDG_CONFIG_HOME="$work/export" QT_QPA_PLATFORMTHEME= build/varnex --command 32840 & app=$!
pids+=("$app")
shown "Export"
x import -window root "$out/export-dialog.png"
x xdotool key Escape
stop_app

# The owner-drawn demo: the mouse over a row makes it hot (underline, hand cursor).
demo_list() {  # name suffix, then environment settings
    local suffix=$1
    shift
    x env "$@" build/varnex-listdemo & app=$!
    pids+=("$app")
    shown ""
    act xdotool mousemove 60 100
    x import -window root "$out/demo-$suffix.png"
    stop_app
}
demo_list default QT_QPA_PLATFORMTHEME= XDG_CONFIG_HOME="$work/light"
demo_list dark QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/dark"
ls "$out"
