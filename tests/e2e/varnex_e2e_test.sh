#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# The desktop program itself in the test LAN (on Qt's offscreen platform):
# three simulated devices, one of an unknown model, become three rows and the
# count "Online : 3"; the probe leaves port 4000 for 255.255.255.255:36; a
# report into a missing folder is refused before anything is sent; with port
# 4000 taken the program says so and sends nothing; and Modify IP chosen in the
# window, its dialogs answered from a file, moves a device, which the delayed
# refresh then lists at its new address.
# Exits 77 (skip) without root or 'ip netns'.
set -euo pipefail

varnex=${1:?usage: varnex_e2e_test.sh VARNEX VARNEX_SIM TESTLAN_SH}
sim=${2:?}
testlan=${3:?}

# shellcheck source=lan_test_common.sh
. "$(dirname "$0")/lan_test_common.sh"
require_test_lan

prefix=vg$$
pids=()
extra_cleanup='for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true'
start_test_lan "$testlan" "$prefix" 1

cat >"$work/devices.txt" <<'DEV'
name=Cam-Lobby ip=192.168.1.20 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-4E version=1.20 model=31 password=x
name="Gate, North" ip=192.168.1.21 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-4F version=A.05 model=32
name=Panel-3 ip=192.168.1.35 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-60 version=2.01 model=5
DEV
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" --log "$work/sim.log" \
    2>"$work/sim.err" &
pids+=($!)
wait_listening dev1 36 "${pids[0]}" "$work/sim.err"

run_varnex() {
    local name=$1
    mkdir -p "$work/cfg-$name"
    "$testlan" exec --prefix "$prefix" app -- env QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/cfg-$name" \
        XDG_RUNTIME_DIR="$work" VARNEX_AUTO_ANSWER=1 VARNEX_UI_LOG="$work/ui-$name.log" \
        "$varnex" --report "$work/report-$name.txt" --report-after 2500 >"$work/out-$name.txt" 2>&1 ||
        fail "varnex ended with an error: $(cat "$work/out-$name.txt")"
}

# --- three devices answer --------------------------------------------------
run_varnex found
report="$work/report-found.txt"
grep -qx $'caption\tVarnex V1.20' "$report" || fail "caption: $(head -1 "$report")"
grep -qx $'rows\t3' "$report" || fail "expected three rows: $(cat "$report")"
grep -qx $'pane4\tOnline : 3' "$report" || fail "expected the count Online : 3: $(cat "$report")"
# Rows are sorted by IP address in ascending text order, the start-up sort.
expected=$(printf 'row\t%s\n' \
    $'Cam-Lobby\t192.168.1.20\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-4E\t1.20' \
    $'Gate, North\t192.168.1.21\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-4F\tA.05' \
    $'Unknown\t192.168.1.35\t255.255.255.0\t0.0.0.0\t00-0A-1B-2C-3D-60\t0.00')
actual=$(grep $'^row\t' "$report")
[ "$actual" = "$expected" ] || fail "rows differ:
$actual
expected:
$expected"
probe="515a5239$(printf '0%.0s' $(seq 1 96))"
grep -q "10.77.0.1:4000 -> 255.255.255.255:36 len=52 $probe" "$work/sim.log" ||
    fail "no probe from port 4000 to 255.255.255.255:36 in the simulator's log: $(cat "$work/sim.log")"
probes_before=$(grep -c "$probe" "$work/sim.log")

# --- --report into a folder that does not exist ------------------------------
status=0
"$testlan" exec --prefix "$prefix" app -- env QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/cfg-found" \
    XDG_RUNTIME_DIR="$work" VARNEX_AUTO_ANSWER=1 "$varnex" --report "$work/no/such/folder/r.txt" \
    >"$work/out-nofolder.txt" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "--report into a missing folder: exit status $status"
grep -q "folder '$work/no/such/folder' does not exist" "$work/out-nofolder.txt" ||
    fail "--report into a missing folder: $(cat "$work/out-nofolder.txt")"
[ "$(grep -c "$probe" "$work/sim.log")" -eq "$probes_before" ] || fail "a probe was sent before the report check"

# --- port 4000 taken ---------------------------------------------------------
hold_port app 4000 "$work/holder"
pids+=("$holder_pid")
run_varnex taken
grep -qx $'rows\t0' "$work/report-taken.txt" || fail "rows with the port taken: $(cat "$work/report-taken.txt")"
grep -qx "MessageBox|Varnex|Socket port '4000' Open fail ！|48" "$work/ui-taken.log" ||
    fail "no port failure message: $(cat "$work/ui-taken.log" 2>/dev/null)"
probes_after=$(grep -c "$probe" "$work/sim.log")
[ "$probes_after" -eq "$probes_before" ] || fail "a probe was sent although the port was taken"
kill "${pids[1]}" 2>/dev/null || true
wait "${pids[1]}" 2>/dev/null || true

# --- Modify IP from the window, with the dialogs answered from a file ---------
# Rows in the order shown: .20, .21, .35; Cam-Lobby (.20, password x) is row 0.
printf '%s\n' "# Modify IP of Cam-Lobby" "9 OK 1000=192.168.1.50" "146 OK 1001=x" >"$work/answers.txt"
mkdir -p "$work/cfg-modify"
"$testlan" exec --prefix "$prefix" app -- env QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/cfg-modify" \
    XDG_RUNTIME_DIR="$work" VARNEX_DIALOG_ANSWERS="$work/answers.txt" VARNEX_UI_LOG="$work/ui-modify.log" \
    "$varnex" --select 0 --command 32780 --report "$work/report-modify.txt" --report-after 14500 \
    >"$work/out-modify.txt" 2>&1 || fail "varnex (Modify IP) ended with an error: $(cat "$work/out-modify.txt")"
grep -qx "Dialog|9|OK" "$work/ui-modify.log" && grep -qx "Dialog|146|OK" "$work/ui-modify.log" ||
    fail "the dialogs were not answered from the file: $(cat "$work/ui-modify.log")"
set_ip="515a523ac0a80132ffffff00000a1b2c3d4e$(printf '0%.0s' $(seq 1 34))c0a80101000000$(printf '*%.0s' $(seq 1 16))0000"
grep -qF "10.77.0.1:4000 -> 255.255.255.255:36 len=52 $set_ip applied set-ip to 00-0A-1B-2C-3D-4E" "$work/sim.log" ||
    fail "no Modify IP packet in the simulator's log: $(tail -n 5 "$work/sim.log")"
grep -qx $'row\tCam-Lobby\t192.168.1.50\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-4E\t1.20' \
    "$work/report-modify.txt" || fail "the refreshed list lacks Cam-Lobby at 192.168.1.50: $(cat "$work/report-modify.txt")"
grep -qx $'rows\t3' "$work/report-modify.txt" || fail "rows after the refresh: $(cat "$work/report-modify.txt")"
# The search after the command has ended (a window with answers, then a quiet
# one): the message pane says the change took.
grep -qx $'pane0\tConfirmed: 00-0A-1B-2C-3D-4E answers at 192.168.1.50 mask 255.255.255.0 gateway 192.168.1.1 on eth0' \
    "$work/report-modify.txt" || fail "no confirmation in the message pane: $(grep pane0 "$work/report-modify.txt")"
echo "PASS"
