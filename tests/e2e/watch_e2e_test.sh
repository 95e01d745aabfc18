#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# varnex-cli watch in the test LAN: started before a simulated device, it sees
# the device appear; a device whose address another computer changes with
# set-ip is reported changed (from and to); a simulator that is stopped is
# reported gone after two silent probes. The JSON lines are read back; SIGINT
# and SIGTERM end a watch with status 0, and bad option values with status 2.
# Exits 77 (skip) without root or 'ip netns'.
set -euo pipefail

cli=${1:?usage: watch_e2e_test.sh VARNEX_CLI VARNEX_SIM TESTLAN_SH}
sim=${2:?usage: watch_e2e_test.sh VARNEX_CLI VARNEX_SIM TESTLAN_SH}
testlan=${3:?usage: watch_e2e_test.sh VARNEX_CLI VARNEX_SIM TESTLAN_SH}

# shellcheck source=lan_test_common.sh
. "$(dirname "$0")/lan_test_common.sh"
require_test_lan
[ -x "$cli" ] || fail "no varnex-cli at $cli"
[ -x "$sim" ] || fail "no simulator at $sim"
unset VARNEX_PASSWORD

prefix=vw$$
pids=()
extra_cleanup='for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true'
# dev1 and dev2 hold the simulated devices; dev3 is another technician's computer.
start_test_lan "$testlan" "$prefix" 3

run_in() {
    local host=$1
    shift
    "$testlan" exec --prefix "$prefix" "$host" -- "$@"
}

# start_sim HOST NAME DEF: a simulator with one device in HOST; its pid in $sim_pid.
# (testlan.sh execs the program, so that the pid is the program's own.)
start_sim() {
    "$testlan" exec --prefix "$prefix" "$1" -- "$sim" --device "$3" 2>"$work/$2.err" &
    sim_pid=$!
    pids+=("$sim_pid")
    wait_listening "$1" 36 "$sim_pid" "$work/$2.err"
}

# start_watch OUT ARGS...: varnex-cli watch in the app host; its pid in $watch_pid.
start_watch() {
    local out=$1
    shift
    "$testlan" exec --prefix "$prefix" app -- "$cli" watch "$@" </dev/null >"$out" 2>"$out.err" &
    watch_pid=$!
    pids+=("$watch_pid")
    wait_listening app 4000 "$watch_pid" "$out.err"
}

# event_seen FILE EVENT MAC: a JSON line of FILE reports EVENT for MAC.
event_seen() {
    python3 - "$@" <<'PY'
import json, sys
path, event, mac = sys.argv[1:]
for line in open(path, encoding="utf-8"):
    if line.endswith("\n"):  # a line still being written is not read yet
        e = json.loads(line)
        if e["event"] == event and e["mac"] == mac:
            sys.exit(0)
sys.exit(1)
PY
}

# stop_watch SIGNAL: ends the watch and checks its status.
stop_watch() {
    local status=0
    kill "-$1" "$watch_pid"
    wait "$watch_pid" || status=$?
    [ "$status" -eq 0 ] || fail "watch ended by SIG$1 with status $status: $(cat "$work"/*.err)"
}

cam_a=00-0A-1B-2C-3D-4E
cam_b=00-0A-1B-2C-3D-4F
start_sim dev1 a "name=Cam-A ip=192.168.1.20 gateway=192.168.1.1 mac=$cam_a version=1.20 model=31"
start_watch "$work/watch.json" --format json --interval 1
wait_until "watch to report $cam_a appeared" event_seen "$work/watch.json" appeared "$cam_a" ||
    fail "no appeared event for $cam_a: $(cat "$work/watch.json" "$work/watch.json.err")"

# A device that comes later.
start_sim dev2 b "name=Cam-B ip=192.168.1.21 gateway=192.168.1.1 mac=$cam_b version=1.20 model=32"
sim_b_pid=$sim_pid
wait_until "watch to report $cam_b appeared" event_seen "$work/watch.json" appeared "$cam_b" ||
    fail "no appeared event for $cam_b: $(cat "$work/watch.json")"

# Another computer on the segment gives Cam-A a new address.
run_in dev3 env VARNEX_PASSWORD= XDG_STATE_HOME="$work/state" "$cli" set-ip "$cam_a" \
    --ip 192.168.1.50 --wait 0.5 </dev/null >"$work/set-ip.out" 2>&1 || fail "set-ip: $(cat "$work/set-ip.out")"
wait_until "watch to report $cam_a changed" event_seen "$work/watch.json" changed "$cam_a" ||
    fail "no changed event for $cam_a: $(cat "$work/watch.json")"

# Cam-B's simulator stops: after two probes without its answer it is gone.
kill -TERM "$sim_b_pid"
wait "$sim_b_pid" || true
wait_until "watch to report $cam_b gone" event_seen "$work/watch.json" gone "$cam_b" ||
    fail "no gone event for $cam_b: $(cat "$work/watch.json")"
stop_watch INT

python3 - "$work/watch.json" "$cam_a" "$cam_b" <<'PY' || fail "watch json:"$'\n'"$(cat "$work/watch.json")"
import json, sys
path, cam_a, cam_b = sys.argv[1:]
events = [json.loads(line) for line in open(path, encoding="utf-8")]
def of(mac, kind):
    return [e for e in events if e["mac"] == mac and e["event"] == kind]
for e in events:
    assert e["time"].endswith("Z") and e["interface"] == "eth0", e
a, = of(cam_a, "appeared")
assert (a["name"], a["ip"], a["gateway"], a["version"], a["model"], a["returned"]) == \
    ("Cam-A", "192.168.1.20", "192.168.1.1", "1.20", 31, False), a
b, = of(cam_b, "appeared")
assert (b["name"], b["ip"], b["model"], b["returned"]) == ("Cam-B", "192.168.1.21", 32, False), b
changed, = of(cam_a, "changed")
assert changed["changes"] == {"ip": {"from": "192.168.1.20", "to": "192.168.1.50"}}, changed
assert changed["ip"] == "192.168.1.50" and changed["name"] == "Cam-A", changed
gone, = of(cam_b, "gone")
assert gone["ip"] == "192.168.1.21" and gone["last_seen"].endswith("Z") and gone["last_seen"] <= gone["time"], gone
# Cam-A answered all along; nothing else happened.
assert not of(cam_a, "gone") and len(events) == 4, events
assert events.index(b) < events.index(gone)
PY

# Text, ended by SIGTERM: Cam-A at its new address.
start_watch "$work/watch.txt" --interval 1
wait_until "a text line for $cam_a" grep -q " appeared eth0 $cam_a ip=192.168.1.50 " "$work/watch.txt" ||
    fail "watch text: $(cat "$work/watch.txt" "$work/watch.txt.err")"
stop_watch TERM
grep -q 'name="Cam-A"' "$work/watch.txt" || fail "watch text: $(cat "$work/watch.txt")"

# Bad option values: a message and status 2, nothing watched.
for bad in "--interval 0.5" "--interval 3601" "--interval x" "--format csv" "--wait 1" "extra"; do
    status=0
    # shellcheck disable=SC2086  # the words are the arguments
    run_in app "$cli" watch $bad </dev/null >"$work/bad.out" 2>"$work/bad.err" || status=$?
    [ "$status" -eq 2 ] || fail "watch $bad: status $status"
    grep -q "varnex-cli: " "$work/bad.err" || fail "watch $bad: no message"
    [ ! -s "$work/bad.out" ] || fail "watch $bad printed: $(cat "$work/bad.out")"
done
echo "PASS: watch reports appeared, changed and gone in the test LAN and ends cleanly on SIGINT and SIGTERM"
