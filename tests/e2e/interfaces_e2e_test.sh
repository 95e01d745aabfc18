#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Two network segments in the test LAN: the app host has eth0 (10.77.0.1) and
# eth1 (10.88.0.1), with one simulated device behind each. varnex-cli and the
# window find both, one probe per interface; one interface chosen finds one
# device; set-ip from the command line and Modify IP from the window reach the
# device on the second segment by eth1 only, and a discovery afterwards lists
# its new address. Exits 77 (skip) without root or 'ip netns'.
set -euo pipefail

cli=${1:?usage: interfaces_e2e_test.sh VARNEX_CLI VARNEX VARNEX_SIM TESTLAN_SH}
varnex=${2:?}
sim=${3:?}
testlan=${4:?}

# shellcheck source=lan_test_common.sh
. "$(dirname "$0")/lan_test_common.sh"
require_test_lan
unset VARNEX_PASSWORD BROWSER

prefix=vi$$
pids=()
extra_cleanup='for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true'
start_test_lan "$testlan" "$prefix" 1 --segments 2

in_app() { "$testlan" exec --prefix "$prefix" app -- "$@"; }
vx() { in_app "$cli" "$@" </dev/null; }

# dev1 is on eth0's segment, dev2 on eth1's.
cat >"$work/lobby.txt" <<'DEV'
name=Cam-Lobby ip=192.168.1.20 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-4E version=1.20 model=31
DEV
cat >"$work/bench.txt" <<'DEV'
name=Bench-2 ip=192.168.1.30 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-77 version=A.05 model=32 password=pw
DEV
for k in 1 2; do
    file=$work/lobby.txt
    [ "$k" -eq 2 ] && file=$work/bench.txt
    "$testlan" exec --prefix "$prefix" "dev$k" -- "$sim" --devices "$file" --log "$work/sim$k.log" \
        2>"$work/sim$k.err" &
    pids+=($!)
done
for k in 1 2; do
    wait_listening "dev$k" 36 "${pids[$((k - 1))]}" "$work/sim$k.err"
    touch "$work/sim$k.log"
done

probe="515a5239$(printf '0%.0s' $(seq 1 96))"
# Lines of a simulator's log after a mark: mark K, then since K.
mark() { wc -l <"$work/sim$1.log"; }
since() { tail -n +"$(($2 + 1))" "$work/sim$1.log"; }
# The probes in those lines, each from the address given, exactly as many as given.
expect_probes() {  # label, device, mark, count, from
    local lines
    lines=$(since "$2" "$3" | grep " $probe probe" || true)
    [ "$(grep -c . <<<"$lines")" -eq "$4" ] || fail "$1: dev$2 saw $(grep -c . <<<"$lines") probes, not $4:"$'\n'"$(since "$2" "$3")"
    [ "$4" -eq 0 ] || ! grep -qv "^$5:4000 -> 255\.255\.255\.255:36 len=52 " <<<"$lines" ||
        fail "$1: a probe to dev$2 did not come from $5:4000 to 255.255.255.255:36:"$'\n'"$lines"
}
no_commands() {  # label, device, mark
    ! since "$2" "$3" | grep -v " probe (" | grep -q . || fail "$1: dev$2 got a command:"$'\n'"$(since "$2" "$3")"
}
wait_for() {  # device, pattern: the line is logged within WAIT_SECONDS
    local end=$((SECONDS + WAIT_SECONDS))
    until grep -q "$2" "$work/sim$1.log"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

# --- varnex-cli, every interface: both devices, one probe on each segment ------
m1=$(mark 1) m2=$(mark 2)
vx discover --wait 0.5 --format json >"$work/all.json"
python3 - "$work/all.json" <<'PY' || fail "discover json:"$'\n'"$(cat "$work/all.json")"
import json, sys
rows = {r["name"]: r for r in json.load(open(sys.argv[1]))}
assert sorted(rows) == ["Bench-2", "Cam-Lobby"], rows
assert rows["Cam-Lobby"]["interface"] == "eth0" and rows["Cam-Lobby"]["ip"] == "192.168.1.20", rows
assert rows["Bench-2"]["interface"] == "eth1" and rows["Bench-2"]["ip"] == "192.168.1.30", rows
PY
expect_probes "discover" 1 "$m1" 1 10.77.0.1
expect_probes "discover" 2 "$m2" 1 10.88.0.1
# csv keeps its columns: no interface there.
vx discover --wait 0.5 --format csv | tr -d '\r' >"$work/all.csv"
head -n 1 "$work/all.csv" | grep -qx 'Device Name,IP Address,Subnet Mask,Gateway IP,MAC,Version' ||
    fail "csv header: $(head -n 1 "$work/all.csv")"
[ "$(grep -c . "$work/all.csv")" -eq 3 ] || fail "csv rows: $(cat "$work/all.csv")"

# --- one interface: one device, one probe on that segment only ---------------
m1=$(mark 1) m2=$(mark 2)
vx discover --wait 0.5 --format csv --interface eth0 | tr -d '\r' >"$work/eth0.csv"
[ "$(tail -n +2 "$work/eth0.csv")" = "Cam-Lobby,192.168.1.20,255.255.255.0,192.168.1.1,00-0A-1B-2C-3D-4E,1.20" ] ||
    fail "--interface eth0: $(cat "$work/eth0.csv")"
expect_probes "--interface eth0" 1 "$m1" 1 10.77.0.1
expect_probes "--interface eth0" 2 "$m2" 0 -
status=0
vx discover --wait 0.5 --interface eth7 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && grep -q "no network interface 'eth7'.*there are: eth0, eth1" "$work/err" ||
    fail "--interface eth7: status $status, $(cat "$work/err")"

# --- set-ip of the device on the second segment: by eth1 only ----------------
m1=$(mark 1) m2=$(mark 2)
env VARNEX_PASSWORD=pw "$testlan" exec --prefix "$prefix" app -- "$cli" set-ip 00-0A-1B-2C-3D-77 \
    --ip 192.168.1.31 --wait 0.5 </dev/null >"$work/set-ip.out" || fail "set-ip ended with status $?"
grep -qx "Confirmed: 00-0A-1B-2C-3D-77 answers at 192.168.1.31 mask 255.255.255.0 gateway 192.168.1.1 on eth1" \
    "$work/set-ip.out" || fail "set-ip confirmation: $(cat "$work/set-ip.out")"
wait_for 2 "applied set-ip to 00-0A-1B-2C-3D-77" || fail "set-ip did not reach dev2: $(since 2 "$m2")"
since 2 "$m2" | grep -q "^10\.88\.0\.1:4000 -> 255\.255\.255\.255:36 len=52 515a523ac0a8011f.* applied set-ip" ||
    fail "set-ip did not come by eth1: $(since 2 "$m2")"
# Two probes on each segment: the discovery's, then the confirmation's (the
# device has taken the change before that probe reaches it).
expect_probes "set-ip" 1 "$m1" 2 10.77.0.1
expect_probes "set-ip" 2 "$m2" 2 10.88.0.1
no_commands "set-ip" 1 "$m1"
vx discover --wait 0.5 --format csv --interface eth1 | tr -d '\r' | grep -qx 'Bench-2,192.168.1.31,255.255.255.0,192.168.1.1,00-0A-1B-2C-3D-77,A.05' ||
    fail "Bench-2 does not answer at 192.168.1.31"

# --- the window, every interface: both rows, one probe on each segment -------
run_window() {  # name, then more arguments of varnex; environment in $window_env
    local name=$1
    shift
    mkdir -p "$work/cfg-$name"
    [ -z "${profile_interface+x}" ] || {
        mkdir -p "$work/cfg-$name/本機 AppWizard 所產生的應用程式"
        printf '[Settings]\nInterface=%s\n' "$profile_interface" >"$work/cfg-$name/本機 AppWizard 所產生的應用程式/Varnex.ini"
    }
    in_app env QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/cfg-$name" XDG_RUNTIME_DIR="$work" \
        VARNEX_UI_LOG="$work/ui-$name.log" ${window_env:-} "$varnex" --report "$work/report-$name.txt" "$@" \
        >"$work/out-$name.txt" 2>&1 || fail "varnex ($name) ended with an error: $(cat "$work/out-$name.txt")"
}
m1=$(mark 1) m2=$(mark 2)
window_env="VARNEX_AUTO_ANSWER=1" run_window all --report-after 2500
report=$work/report-all.txt
grep -qx $'rows\t2' "$report" || fail "window rows: $(cat "$report")"
grep -qx $'pane4\tOnline : 2' "$report" || fail "window count: $(cat "$report")"
grep -qx $'row\tCam-Lobby\t192.168.1.20\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-4E\t1.20' "$report" &&
    grep -qx $'row\tBench-2\t192.168.1.31\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-77\tA.05' "$report" ||
    fail "window rows: $(cat "$report")"
expect_probes "window" 1 "$m1" 1 10.77.0.1
expect_probes "window" 2 "$m2" 1 10.88.0.1

# --- the window, Modify IP of the device on the second segment ---------------
# Rows by IP text: .20 then .31; Bench-2 is row 1.
printf '%s\n' "9 OK 1000=192.168.1.40" "146 OK 1001=pw" >"$work/answers.txt"
m1=$(mark 1) m2=$(mark 2)
window_env="VARNEX_DIALOG_ANSWERS=$work/answers.txt" run_window modify --select 1 --command 32780 --report-after 5500
grep -q "^10\.88\.0\.1:4000 -> 255\.255\.255\.255:36 len=52 515a523ac0a80128.* applied set-ip to 00-0A-1B-2C-3D-77" \
    "$work/sim2.log" || fail "Modify IP did not reach dev2 by eth1: $(since 2 "$m2")"
no_commands "Modify IP" 1 "$m1"
# The start and the delayed refresh: two probes on each segment.
expect_probes "Modify IP" 1 "$m1" 2 10.77.0.1
expect_probes "Modify IP" 2 "$m2" 2 10.88.0.1
grep -qx $'row\tBench-2\t192.168.1.40\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-77\tA.05' \
    "$work/report-modify.txt" || fail "the refreshed list lacks Bench-2 at .40: $(cat "$work/report-modify.txt")"
grep -qx $'rows\t2' "$work/report-modify.txt" || fail "rows after the refresh: $(cat "$work/report-modify.txt")"

# --- the window with eth1 chosen in the profile: one row ---------------------
m1=$(mark 1) m2=$(mark 2)
profile_interface=eth1 window_env="VARNEX_AUTO_ANSWER=1" run_window eth1 --report-after 2500
grep -qx $'rows\t1' "$work/report-eth1.txt" &&
    grep -qx $'row\tBench-2\t192.168.1.40\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-77\tA.05' "$work/report-eth1.txt" ||
    fail "window with eth1: $(cat "$work/report-eth1.txt")"
expect_probes "window eth1" 1 "$m1" 0 -
expect_probes "window eth1" 2 "$m2" 1 10.88.0.1

# --- a chosen interface that is not there: nothing sent, and the pane says so --
m1=$(mark 1) m2=$(mark 2)
profile_interface=usb0 window_env="VARNEX_AUTO_ANSWER=1" run_window usb0 --report-after 2000
grep -qx $'rows\t0' "$work/report-usb0.txt" || fail "window with usb0: $(cat "$work/report-usb0.txt")"
grep -q $'^pane0\tThe network interface usb0 is not available' "$work/report-usb0.txt" ||
    fail "window with usb0 does not say why: $(cat "$work/report-usb0.txt")"
expect_probes "window usb0" 1 "$m1" 0 -
expect_probes "window usb0" 2 "$m2" 0 -

echo "PASS: both segments found, one probe per interface, commands by the device's interface"
