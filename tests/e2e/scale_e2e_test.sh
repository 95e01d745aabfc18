#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# A thousand simulated devices answering one probe in one burst, in the test
# LAN: varnex-cli lists all 1,000 and the desktop program shows 1,000 rows and
# "Online : 1000"; varnex-cli watch reports each one appeared once, none gone
# while they answer, and every one gone once the simulator stops; no answer
# may be lost, neither by the kernel (the app host's UDP receive buffer
# errors) nor by the programs, and none reports a loss.
# Exits 77 (skip) without root or 'ip netns'.
set -euo pipefail

cli=${1:?usage: scale_e2e_test.sh VARNEX_CLI VARNEX VARNEX_SIM TESTLAN_SH}
varnex=${2:?}
sim=${3:?}
testlan=${4:?}
devices=${VARNEX_SCALE_DEVICES:-1000} # more on demand: VARNEX_SCALE_DEVICES=5000

# shellcheck source=lan_test_common.sh
. "$(dirname "$0")/lan_test_common.sh"
require_test_lan

prefix=vs$$
sim_pid=
watch_pid=
extra_cleanup='for pid in $sim_pid $watch_pid; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true'
start_test_lan "$testlan" "$prefix" 1

python3 - "$devices" >"$work/devices.txt" <<'PY'
import sys
for i in range(int(sys.argv[1])):
    print(f"name=Cam-{i:04d} ip=10.{i // 250 // 250 + 1}.{i // 250 % 250}.{i % 250 + 1} mask=255.0.0.0 "
          f"gateway=10.0.0.1 mac=00-1A-00-00-{i >> 8:02X}-{i & 255:02X} version=1.20 model=31")
PY
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" --log "$work/sim.log" \
    2>"$work/sim.err" &
sim_pid=$!
wait_listening dev1 36 "$sim_pid" "$work/sim.err"

# The app host's UDP counters: datagrams dropped because a receive buffer was full.
rcvbuf_errors() {
    "$testlan" exec --prefix "$prefix" "$1" -- awk '/^Udp:/ { n++; if (n == 2) print $6 }' /proc/net/snmp
}
sndbuf_errors() {
    "$testlan" exec --prefix "$prefix" "$1" -- awk '/^Udp:/ { n++; if (n == 2) print $7 }' /proc/net/snmp
}

# --- varnex-cli ----------------------------------------------------------------
"$testlan" exec --prefix "$prefix" app -- "$cli" discover --format csv </dev/null >"$work/cli.csv" 2>"$work/cli.err" ||
    fail "varnex-cli discover: $(cat "$work/cli.err")"
rows=$(($(wc -l <"$work/cli.csv") - 1))
[ "$rows" -eq "$devices" ] || fail "varnex-cli listed $rows of $devices devices: $(cat "$work/cli.err")"
[ "$(cut -d, -f5 "$work/cli.csv" | tail -n +2 | sort -u | wc -l)" -eq "$devices" ] ||
    fail "varnex-cli listed a device twice"
! grep -q "lost" "$work/cli.err" || fail "varnex-cli reports a loss: $(cat "$work/cli.err")"
grep -q "probe ($devices replies)" "$work/sim.log" || fail "the simulator did not answer with $devices replies"

# --- the desktop program ---------------------------------------------------------
# set-ip confirms by probing again: among every device's answer it finds its
# one at the new address, and the others' stay where they were.
"$testlan" exec --prefix "$prefix" app -- env VARNEX_PASSWORD= "$cli" set-ip 00-1A-00-00-03-E7 --ip 10.9.9.9 \
    </dev/null >"$work/confirm.out" 2>"$work/confirm.err" || fail "set-ip: status $?: $(cat "$work/confirm.err")"
grep -qx "Confirmed: 00-1A-00-00-03-E7 answers at 10.9.9.9 mask 255.0.0.0 gateway 10.0.0.1 on eth0" \
    "$work/confirm.out" || fail "set-ip confirmation: $(cat "$work/confirm.out" "$work/confirm.err")"
! grep -q "lost" "$work/confirm.err" || fail "set-ip reports a loss: $(cat "$work/confirm.err")"

mkdir -p "$work/cfg"
"$testlan" exec --prefix "$prefix" app -- env QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/cfg" \
    XDG_RUNTIME_DIR="$work" VARNEX_AUTO_ANSWER=1 "$varnex" --report "$work/report.txt" --report-after 4000 \
    >"$work/varnex.out" 2>&1 || fail "varnex ended with an error: $(cat "$work/varnex.out")"
grep -qx $'rows\t'"$devices" "$work/report.txt" || fail "the window shows $(grep $'^rows\t' "$work/report.txt")"
grep -qx $'pane4\tOnline : '"$devices" "$work/report.txt" || fail "count: $(grep $'^pane4\t' "$work/report.txt")"
grep -qx $'pane0\tSearching on all interfaces... '"$devices"' found' "$work/report.txt" ||
    fail "message pane: $(grep $'^pane0\t' "$work/report.txt")"
[ "$(grep $'^row\t' "$work/report.txt" | cut -f6 | sort -u | wc -l)" -eq "$devices" ] ||
    fail "the window lists a device twice"

# The window watching: every device keeps its one row probe after probe.
mkdir -p "$work/cfg-watch/本機 AppWizard 所產生的應用程式"
printf '[Settings]\nWatchDevices=1\n' >"$work/cfg-watch/本機 AppWizard 所產生的應用程式/Varnex.ini"
answered=$(grep -c "probe ($devices replies)" "$work/sim.log" || true)
"$testlan" exec --prefix "$prefix" app -- env QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$work/state" \
    XDG_CONFIG_HOME="$work/cfg-watch" XDG_RUNTIME_DIR="$work" VARNEX_AUTO_ANSWER=1 "$varnex" --watch-interval 2 \
    --report "$work/report-watch.txt" --report-after 17000 >"$work/varnex-watch.out" 2>&1 ||
    fail "varnex watching ended with an error: $(cat "$work/varnex-watch.out")"
probes=$(($(grep -c "probe ($devices replies)" "$work/sim.log" || true) - answered))
[ "$probes" -ge 3 ] || fail "the window sent $probes probes while watching"
grep -qx $'rows\t'"$devices" "$work/report-watch.txt" ||
    fail "watching, the window shows $(grep $'^rows\t' "$work/report-watch.txt")"
grep -qx $'pane4\tOnline : '"$devices" "$work/report-watch.txt" ||
    fail "watching, count: $(grep $'^pane4\t' "$work/report-watch.txt")"
grep -q $'^pane0\tWatching: '"$devices"' answered the probe at ' "$work/report-watch.txt" ||
    fail "watching, message pane: $(grep $'^pane0\t' "$work/report-watch.txt")"
[ "$(grep $'^row\t' "$work/report-watch.txt" | cut -f6 | sort -u | wc -l)" -eq "$devices" ] ||
    fail "watching, the window lists a device twice"

# --- varnex-cli watch --------------------------------------------------------------
"$testlan" exec --prefix "$prefix" app -- "$cli" watch --format json --interval 2 </dev/null >"$work/watch.json" \
    2>"$work/watch.err" &
watch_pid=$!
# events KIND: how many lines report KIND; probes_answered: probes the simulator answered in full.
events() { grep -c "\"event\": \"$1\"" "$work/watch.json" || true; }
probes_answered() { grep -c "probe ($devices replies)" "$work/sim.log" || true; }
at_least() { [ "$("$1" "${@:3}")" -ge "$2" ]; }
wait_until "watch to report $devices devices appeared" at_least events "$devices" appeared ||
    fail "watch reported $(events appeared) of $devices devices: $(cat "$work/watch.err")"
# Three more probes, every device answering each: nobody goes.
answered=$(probes_answered)
wait_until "three more probes" at_least probes_answered $((answered + 3)) ||
    fail "the simulator answered $(($(probes_answered) - answered)) more probes"
log_settled "$work/sim.log"
[ "$(events gone)" -eq 0 ] && [ "$(events changed)" -eq 0 ] && [ "$(events appeared)" -eq "$devices" ] ||
    fail "while every device answered, watch reported $(events appeared) appeared, $(events changed) changed," \
        "$(events gone) gone: $(cat "$work/watch.err")"
kill -TERM "$sim_pid"
wait "$sim_pid" || true
sim_pid=
wait_until "watch to report $devices devices gone" at_least events "$devices" gone ||
    fail "watch reported $(events gone) of $devices devices gone"
kill -INT "$watch_pid"
status=0
wait "$watch_pid" || status=$?
watch_pid=
[ "$status" -eq 0 ] || fail "watch ended by SIGINT with status $status"
python3 - "$work/watch.json" "$devices" <<'PY' || fail "watch json"
import json, sys
events = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
macs = {kind: [e["mac"] for e in events if e["event"] == kind] for kind in ("appeared", "gone")}
for kind, seen in macs.items():
    assert len(seen) == len(set(seen)) == int(sys.argv[2]), (kind, len(seen), len(set(seen)))
assert set(macs["appeared"]) == set(macs["gone"])
PY
! grep -q "lost" "$work/watch.err" || fail "watch reports a loss: $(cat "$work/watch.err")"

[ "$(rcvbuf_errors app)" -eq 0 ] || fail "the kernel dropped $(rcvbuf_errors app) answers in the app host"
[ "$(sndbuf_errors dev1)" -eq 0 ] || fail "the simulator's host could not send $(sndbuf_errors dev1) replies"
echo "PASS: $devices devices in one burst, all of them listed by varnex-cli, shown by varnex, watched by varnex and varnex-cli"
