#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# varnex-cli apply against varnex-sim in the test LAN: a plan with a line that
# does not parse, two devices given one address and a MAC that did not answer
# sends nothing at all and names the three problems by line; --dry-run sends
# nothing; the corrected plan moves the devices, which then answer from their
# new addresses, each confirmed, and the log of changes has one line per
# packet with that verdict and no password. A device that drops its command
# is named, with status 3.
# Exits 77 (skip) without root or 'ip netns'.
set -euo pipefail

cli=${1:?usage: apply_e2e_test.sh VARNEX_CLI VARNEX_SIM [TESTLAN_SH]}
sim=${2:?usage: apply_e2e_test.sh VARNEX_CLI VARNEX_SIM [TESTLAN_SH]}
testlan=${3:-$(dirname "$0")/../../scripts/testlan.sh}

# shellcheck source=lan_test_common.sh
. "$(dirname "$0")/lan_test_common.sh"
require_test_lan
[ -x "$cli" ] || fail "no varnex-cli at $cli"
[ -x "$sim" ] || fail "no simulator at $sim"
unset VARNEX_PASSWORD BROWSER

prefix=va$$
start_test_lan "$testlan" "$prefix" 1

cat >"$work/devices.txt" <<'DEV'
name=Cam-A ip=10.77.0.20 mask=255.255.0.0 gateway=10.77.0.1 mac=00-0A-1B-2C-3D-01 version=1.20 model=31 password=s3cr3tpw
name=Cam-B ip=10.77.0.21 mask=255.255.0.0 gateway=10.77.0.1 mac=00-0A-1B-2C-3D-02 version=1.20 model=31 password=s3cr3tpw
DEV
log=$work/sim.log
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" --log "$log" 2>"$work/sim.err" &
sim_pid=$!
wait_listening dev1 36 "$sim_pid" "$work/sim.err"
touch "$log"

# varnex-cli in the app host, with a log of changes of its own.
vx() {
    "$testlan" exec --prefix "$prefix" app -- env XDG_STATE_HOME="$work/state" VARNEX_PASSWORD=s3cr3tpw "$cli" "$@" \
        </dev/null
}
# Whatever the simulator logged after line $1 other than probes and markers.
commands_since() { tail -n +"$(($1 + 1))" "$log" | grep -v -e ' probe (' -e " $MARK_HEX" || true; }

cat >"$work/bad.csv" <<'PLAN'
mac,ip,mask,gateway
00-0A-1B-2C-3D-01,10.77.0.50,,
00-0A-1B-2C-3D-02,10.77.0.50,,
00-0A-1B-2C-3D-99,10.77.0.60,,
00-0A-1B-2C-3D-02,10.77.0.300,,
PLAN
before=$(wc -l <"$log")
status=0
vx apply "$work/bad.csv" --wait 0.5 >"$work/out" 2>"$work/err" || status=$?
log_settled "$log"
[ "$status" -eq 2 ] || fail "a bad plan: status $status, expected 2: $(cat "$work/err")"
[ -z "$(commands_since "$before")" ] || fail "a bad plan sent:"$'\n'"$(commands_since "$before")"
[ ! -s "$work/out" ] || fail "a bad plan wrote results: $(cat "$work/out")"
for problem in "line 3: 10.77.0.50 is also given to the device on line 2" \
    "line 4: no device with MAC 00-0A-1B-2C-3D-99 answered the discovery" \
    "line 5: IP '10.77.0.300': not four dotted numbers 0-255"; do
    grep -qF "$problem" "$work/err" || fail "not named: $problem; stderr:"$'\n'"$(cat "$work/err")"
done
grep -q "3 problems in the plan; nothing sent" "$work/err" || fail "no summary: $(cat "$work/err")"

cat >"$work/good.csv" <<'PLAN'
mac,ip,mask,gateway
00-0A-1B-2C-3D-01,10.77.0.50,,
00-0A-1B-2C-3D-02,10.77.0.51,,10.77.0.254
PLAN
before=$(wc -l <"$log")
vx apply "$work/good.csv" --dry-run --wait 0.5 >"$work/out" 2>"$work/err" || fail "dry run: $(cat "$work/err")"
log_settled "$log"
[ -z "$(commands_since "$before")" ] || fail "a dry run sent:"$'\n'"$(commands_since "$before")"
[ "$(grep -c ',would send' "$work/out")" -eq 2 ] || fail "dry run results: $(cat "$work/out")"

vx apply "$work/good.csv" --format json --wait 0.5 >"$work/out" 2>"$work/err" || fail "apply: $(cat "$work/err")"
log_settled "$log"
python3 - "$work/out" <<'PY' || fail "apply results: $(cat "$work/out")"
import json, sys
rows = json.load(open(sys.argv[1]))
assert [(r["line"], r["ip"], r["gateway"], r["result"], r["confirmed"]) for r in rows] == [
    (2, "10.77.0.50", "10.77.0.1", "confirmed", True),
    (3, "10.77.0.51", "10.77.0.254", "confirmed", True)], rows
PY
# Exactly the packets of the plan went out: one per value that changes.
[ "$(commands_since "$before" | grep -c ' applied set-ip ')" -eq 2 ] &&
    [ "$(commands_since "$before" | grep -c ' applied set-gateway ')" -eq 1 ] &&
    [ "$(commands_since "$before" | grep -vc ' applied set-')" -eq 0 ] ||
    fail "apply sent:"$'\n'"$(commands_since "$before")"
# The devices answer from their new addresses.
wait_until "the devices to answer from their new addresses" \
    bash -c '"$0" exec --prefix "$1" app -- "$2" discover --format csv --wait 0.5 </dev/null 2>/dev/null |
             grep -q "10\.77\.0\.51,255\.255\.0\.0,10\.77\.0\.254,00-0A-1B-2C-3D-02"' "$testlan" "$prefix" "$cli"
changes=$work/state/varnex/commands.log
[ "$(grep -c '"command": "set-ip".*"confirmed": true}$' "$changes")" -eq 2 ] &&
    [ "$(wc -l <"$changes")" -eq 3 ] || fail "log of changes: $(cat "$changes")"
grep -q '"command": "set-gateway", "before": {"gateway": "10.77.0.1"}, "after": {"gateway": "10.77.0.254"}, "confirmed": true}' \
    "$changes" || fail "log of changes: $(cat "$changes")"
! grep -q s3cr3tpw "$changes" || fail "the password is in the log of changes"
[ "$(stat -c %a "$changes")" = 600 ] || fail "the log of changes is not private"

# A device that drops its command: sent, not confirmed, named; status 3.
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" --port 39 --ignore-commands \
    2>"$work/sim-deaf.err" &
deaf_pid=$!
extra_cleanup="kill $deaf_pid 2>/dev/null || true"
wait_listening dev1 39 "$deaf_pid" "$work/sim-deaf.err"
status=0
vx apply "$work/good.csv" --device-port 39 --wait 0.5 --verify-wait 1.5 >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 3 ] || fail "apply to devices that drop it: status $status, $(cat "$work/err")"
tr -d '\r' <"$work/out" | grep -qx '2,00-0A-1B-2C-3D-01,10.77.0.50,255.255.0.0,10.77.0.1,not confirmed: No answer from 00-0A-1B-2C-3D-01 at 10.77.0.50 mask 255.255.0.0 gateway 10.77.0.1 on eth0' ||
    fail "apply dropped: $(cat "$work/out")"
[ "$(grep -c '"confirmed": false}$' "$changes")" -eq 3 ] || fail "log of changes: $(cat "$changes")"
! grep -q s3cr3tpw "$changes" || fail "the password is in the log of changes"
echo "apply_e2e: passed"
