#!/usr/bin/env bash
# The desktop program itself in the test LAN (on Qt's offscreen platform):
# three simulated devices, one of an unknown model, become three rows and the
# count "Online : 3"; the probe leaves port 4000 for 255.255.255.255:36; and
# with port 4000 taken the program says so and sends nothing.
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
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" --log "$work/sim.log" &
pids+=($!)
sleep 0.5

run_varnex() {
    local name=$1
    mkdir -p "$work/cfg-$name"
    "$testlan" exec --prefix "$prefix" app -- env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/cfg-$name" \
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

# --- port 4000 taken ---------------------------------------------------------
"$testlan" exec --prefix "$prefix" app -- python3 -c '
import socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("0.0.0.0", 4000))
time.sleep(30)' &
pids+=($!)
sleep 0.5
run_varnex taken
grep -qx $'rows\t0' "$work/report-taken.txt" || fail "rows with the port taken: $(cat "$work/report-taken.txt")"
grep -qx "MessageBox|Varnex|Socket port '4000' Open fail ！|48" "$work/ui-taken.log" ||
    fail "no port failure message: $(cat "$work/ui-taken.log" 2>/dev/null)"
probes_after=$(grep -c "$probe" "$work/sim.log")
[ "$probes_after" -eq "$probes_before" ] || fail "a probe was sent although the port was taken"
echo "PASS"
