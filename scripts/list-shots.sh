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
display=:$((60 + $$ % 30))
on app -- Xvfb "$display" -screen 0 1000x600x24 -nolisten tcp & pids+=($!)
for _ in $(seq 1 50); do
    on app -- env DISPLAY="$display" xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.2
done
mkdir -p "$work/dark/qt6ct"
cat >"$work/dark/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
CONF

x() { on app -- env DISPLAY="$display" "$@"; }
shot() { x xdotool mousemove 990 590; sleep 0.4; x import -window root "$out/$1.png"; }
stop_app() {
    x xdotool key alt+F4 2>/dev/null || true
    sleep 0.5
    ip netns pids "$prefix-app" | while read -r pid; do
        if grep -q varnex "/proc/$pid/cmdline" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
    done
    sleep 0.3
}

# The header sits at y 77 with the columns 120, 120, 120, 120, 130, 95 wide.
device_list() {  # name suffix, then environment settings
    local suffix=$1
    shift
    x env "$@" build/varnex & pids+=($!)
    sleep 4
    shot "list-$suffix"
    # Hide Gateway IP from the header's menu, then look at the menu again.
    x xdotool mousemove 420 77 click 3
    sleep 0.8
    x import -window root "$out/header-menu-$suffix.png"
    x xdotool mousemove 480 153 click 1
    sleep 0.5
    shot "gateway-hidden-$suffix"
    x xdotool mousemove 300 77 click 3
    sleep 0.8
    x import -window root "$out/header-menu-one-hidden-$suffix.png"
    x xdotool mousemove 360 153 click 1
    sleep 0.5
    shot "gateway-shown-again-$suffix"
    # MAC: the first click sorts ascending, the second descending, the third ascending again.
    x xdotool mousemove 545 77 click 1
    sleep 0.4
    x xdotool click 1
    sleep 0.5
    shot "mac-descending-$suffix"
    x xdotool mousemove 545 77 click 1
    sleep 0.5
    shot "mac-ascending-$suffix"
    stop_app
}
device_list default QT_QPA_PLATFORMTHEME= XDG_CONFIG_HOME="$work/light"
device_list dark QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/dark"

# Door-Spare and Door-West answer from 192.168.1.100: the third and fourth rows
# carry the warning, and the mouse resting on one shows the tip.
x env XDG_CONFIG_HOME="$work/tip" QT_QPA_PLATFORMTHEME= build/varnex & pids+=($!)
sleep 4
# Qt shows tips in the active window only: a click on the list's empty part
# makes it active without a window manager.
x xdotool mousemove 400 450 click 1
sleep 0.3
x xdotool mousemove 60 130
sleep 0.3
x xdotool mousemove 62 131
sleep 2
x import -window root "$out/duplicate-address-tip.png"
stop_app

# File > Export List... (command 32840): the save dialog with its two file types.
x env XDG_CONFIG_HOME="$work/export" QT_QPA_PLATFORMTHEME= build/varnex --command 32840 & pids+=($!)
sleep 3
x import -window root "$out/export-dialog.png"
x xdotool key Escape
stop_app

# The owner-drawn demo: the mouse over a row makes it hot (underline, hand cursor).
demo_list() {  # name suffix, then environment settings
    local suffix=$1
    shift
    x env "$@" build/varnex-listdemo & pids+=($!)
    sleep 2.5
    x xdotool mousemove 60 100
    sleep 0.5
    x import -window root "$out/demo-$suffix.png"
    stop_app
}
demo_list default QT_QPA_PLATFORMTHEME= XDG_CONFIG_HOME="$work/light"
demo_list dark QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/dark"
ls "$out"
