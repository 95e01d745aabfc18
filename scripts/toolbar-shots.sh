#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Pictures of the tool bar in the default palette and in a dark one, for looking
# at what users see: the program runs on a virtual display inside the test LAN
# (two simulated devices answer), once as it starts on a bare X display and
# once with the dark "darker" colour scheme of qt6ct, the Qt settings tool
# desktops without their own Qt theme use. Writes out/shots/toolbar-*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/waits.sh
[ "$(id -u)" -eq 0 ] || { echo "toolbar-shots: needs root for the test LAN" >&2; exit 1; }
for tool in Xvfb import convert; do
    command -v "$tool" >/dev/null || { echo "toolbar-shots: needs $tool (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platformthemes/libqt6ct.so ] ||
    { echo "toolbar-shots: needs qt6ct for the dark palette (apt-get install qt6ct)" >&2; exit 1; }
[ -x build/varnex ] && [ -x build/varnex-sim ] || { echo "toolbar-shots: build first (scripts/test.sh)" >&2; exit 1; }

prefix=vxtb$$
out=out/shots
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
on dev1 -- build/varnex-sim --devices demo/devices-lobby.txt & pids+=($!)
on dev2 -- build/varnex-sim --devices demo/devices-plant.txt & pids+=($!)
for k in 1 2; do wait_until "the simulator in dev$k" udp_bound "$prefix-dev$k" 36; done
start_xvfb "$prefix-app" 900x600x24
pids+=("$xvfb_pid")

mkdir -p "$work/dark/qt6ct"
cat >"$work/dark/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
CONF

# One run of the program: the whole screen after the list has filled, then the
# frame's top (menu and tool bar) cut out of it.
shot() {  # name, then environment settings
    local name=$1
    shift
    on app -- env DISPLAY="$display" "$@" build/varnex --report "$work/$name.txt" --report-after 8000 &
    local app=$!
    wait_until "the window" window_shown "$prefix-app" "$display" Varnex
    screen_settled "$prefix-app" "$display"
    on app -- env DISPLAY="$display" import -window root "$out/toolbar-$name-screen.png"
    wait "$app" || true
    # The frame sits at the screen's top left on a bare X server.
    convert "$out/toolbar-$name-screen.png" -crop 420x80+0+0 +repage "$out/toolbar-$name.png"
}
shot default QT_QPA_PLATFORMTHEME= XDG_CONFIG_HOME="$work/light"
shot dark QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/dark"
ls "$out"/toolbar-*
