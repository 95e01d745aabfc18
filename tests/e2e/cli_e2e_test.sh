#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# varnex-cli against varnex-sim in the test LAN: discover in csv and json, and
# every command's datagram compared byte for byte in the simulator's log, plus
# the refusals that must send nothing and the port that cannot be bound.
# Exits 77 (skip) without root or 'ip netns'.
set -euo pipefail

cli=${1:?usage: cli_e2e_test.sh VARNEX_CLI VARNEX_SIM [TESTLAN_SH]}
sim=${2:?usage: cli_e2e_test.sh VARNEX_CLI VARNEX_SIM [TESTLAN_SH]}
testlan=${3:-$(dirname "$0")/../../scripts/testlan.sh}

# shellcheck source=lan_test_common.sh
. "$(dirname "$0")/lan_test_common.sh"
require_test_lan
[ -x "$cli" ] || fail "no varnex-cli at $cli"
[ -x "$sim" ] || fail "no simulator at $sim"
unset VARNEX_PASSWORD BROWSER

prefix=vc$$
start_test_lan "$testlan" "$prefix" 1

in_app() { "$testlan" exec --prefix "$prefix" app -- "$@"; }
# varnex-cli in the app host; standard input is never a terminal here.
vx() { in_app env XDG_STATE_HOME="$work/state" "$cli" "$@" </dev/null; }

# Three devices; the second's name holds a comma, quotes, a percent sign and the
# Latin-1 byte E9; the third is of an unknown model and has an 8-byte password.
cat >"$work/devices.txt" <<'DEV'
name=Cam-Lobby ip=192.168.1.20 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-4E version=1.20 model=31
name="Dr %E9, %2250%25%22" ip=192.168.1.21 gateway=192.168.1.1 mac=00-1A-2B-3C-4D-5E version=A.05 model=32
name=Mystery ip=192.168.1.22 mac=00-0A-1B-2C-3D-50 version=2.01 model=5 password=12345678
DEV
log=$work/sim.log
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" --reset-silence 0.2 \
    --log "$log" 2>"$work/sim.err" &
sim_pid=$!
wait_listening dev1 36 "$sim_pid" "$work/sim.err"
touch "$log"

# The 52 bytes in hex from "offset:hex" pieces, every other byte zero.
frame() {
    python3 - "$@" <<'PY'
import sys
b = bytearray(52)
for piece in sys.argv[1:]:
    at, hexbytes = piece.split(":")
    data = bytes.fromhex(hexbytes)
    b[int(at):int(at) + len(data)] = data
print(b.hex())
PY
}

# The lines the simulator logged after line $1 that are neither probes nor markers.
logged_since() { tail -n +"$(($1 + 1))" "$log" | grep -v -e ' probe (' -e " $MARK_HEX" || true; }

# Runs varnex-cli and waits until the simulator has logged everything it sent;
# prints the datagrams that are not probes; what varnex-cli printed is left in
# $work/cmd.out. Arguments: how many at least, then the command line.
commands_logged() {
    local want=$1 before
    shift
    before=$(wc -l <"$log")
    "$@" >"$work/cmd.out" || fail "exit status $?: $*"
    log_settled "$log"
    [ "$(logged_since "$before" | grep -c .)" -ge "$want" ] || fail "expected $want datagram(s) from: $*"
    logged_since "$before"
}

# The simulator's log writes the password bytes (42-49) of a command as **.
masked() { echo "${1:0:84}****************${1:100}"; }

# One command datagram from the app's port 4000 to the broadcast address and port 36.
expect_one() {  # label, lines, expected hex, verdict
    local label=$1 lines=$2 hex verdict=$4
    hex=$(masked "$3" | sed 's/\*/\\*/g')
    [ "$(grep -c . <<<"$lines")" -eq 1 ] || fail "$label: expected one datagram, the log has:"$'\n'"$lines"
    grep -qx "10\.77\.0\.1:4000 -> 255\.255\.255\.255:36 len=52 $hex $verdict" <<<"$lines" ||
        fail "$label: expected $hex ($verdict), the log has:"$'\n'"$lines"
}

nothing_logged() {  # label, then the command line, which must exit 2
    local label=$1 before status=0
    shift
    before=$(wc -l <"$log")
    "$@" 2>"$work/err" || status=$?
    [ "$status" -eq 2 ] || fail "$label: exit status $status, expected 2"
    grep -q . "$work/err" || fail "$label: no message on stderr"
    log_settled "$log"
    ! tail -n +"$((before + 1))" "$log" | grep -v " $MARK_HEX" | grep -q . ||
        fail "$label: a datagram was sent:"$'\n'"$(tail -n +"$((before + 1))" "$log")"
}

# discover, csv: the exact header, one row per device, RFC 4180 quoting and
# CRLF line ends, UTF-8 (the Latin-1 byte E9 as the window shows it, U+00E9).
vx discover --wait 0.5 --format csv >"$work/out.csv"
printf '%b' 'Device Name,IP Address,Subnet Mask,Gateway IP,MAC,Version\r\n' \
    'Cam-Lobby,192.168.1.20,255.255.255.0,192.168.1.1,00-0A-1B-2C-3D-4E,1.20\r\n' \
    '"Dr \xc3\xa9, ""50%""",192.168.1.21,255.255.255.0,192.168.1.1,00-1A-2B-3C-4D-5E,A.05\r\n' \
    'Unknown,192.168.1.22,255.255.255.0,0.0.0.0,00-0A-1B-2C-3D-50,0.00\r\n' >"$work/want.csv"
LC_ALL=C sort "$work/out.csv" | cmp -s - <(LC_ALL=C sort "$work/want.csv") ||
    fail "discover csv:"$'\n'"$(cat -v "$work/out.csv")"
head -n 1 "$work/out.csv" | cmp -s - <(head -n 1 "$work/want.csv") || fail "csv header is not the first line"

# discover, json: valid JSON whatever the name's bytes, model as a number, the
# interface each answer came in on, no shared address; none of them is in the
# test LAN's 10.77.0.0/24, so none is reachable.
vx discover --wait 0.5 --format json >"$work/out.json"
python3 - "$work/out.json" <<'PY' || fail "discover json:"$'\n'"$(cat "$work/out.json")"
import json, sys
raw = open(sys.argv[1], "rb").read()
raw.decode("utf-8")  # strict: the output is UTF-8 throughout
rows = sorted(json.loads(raw), key=lambda r: r["ip"])
want = [
    {"name": "Cam-Lobby", "ip": "192.168.1.20", "mask": "255.255.255.0", "gateway": "192.168.1.1",
     "mac": "00-0A-1B-2C-3D-4E", "version": "1.20", "model": 31, "interface": "eth0",
     "duplicate_ip": False, "reachable": False},
    {"name": "Dr \u00e9, \"50%\"", "ip": "192.168.1.21", "mask": "255.255.255.0", "gateway": "192.168.1.1",
     "mac": "00-1A-2B-3C-4D-5E", "version": "A.05", "model": 32, "interface": "eth0",
     "duplicate_ip": False, "reachable": False},
    {"name": "Unknown", "ip": "192.168.1.22", "mask": "255.255.255.0", "gateway": "0.0.0.0",
     "mac": "00-0A-1B-2C-3D-50", "version": "0.00", "model": 5, "interface": "eth0",
     "duplicate_ip": False, "reachable": False},
]
assert rows == want, rows
assert b"\\u00e9" in raw, raw
PY

# --with-model: the model code as a last column "Model"; the other columns as before.
vx discover --wait 0.5 --format csv --with-model >"$work/model.csv"
tr -d '\r' <"$work/model.csv" >"$work/model.lf"
head -n 1 "$work/model.lf" | grep -qx 'Device Name,IP Address,Subnet Mask,Gateway IP,MAC,Version,Model' ||
    fail "csv --with-model header: $(head -n 1 "$work/model.lf")"
grep -qx 'Cam-Lobby,192.168.1.20,255.255.255.0,192.168.1.1,00-0A-1B-2C-3D-4E,1.20,31' "$work/model.lf" &&
    grep -qx 'Unknown,192.168.1.22,255.255.255.0,0.0.0.0,00-0A-1B-2C-3D-50,0.00,5' "$work/model.lf" ||
    fail "csv --with-model rows:"$'\n'"$(cat -v "$work/model.csv")"

# set-ip, only the IP changed, empty password from the environment.
got=$(commands_logged 1 env VARNEX_PASSWORD= "$testlan" exec --prefix "$prefix" app -- \
    "$cli" set-ip 00-0a-1b-2c-3d-4e --ip 192.168.1.50 --wait 0.5 </dev/null)
expect_one "set-ip" "$got" "$(frame 0:515a523a 4:c0a80132 8:ffffff00 12:000a1b2c3d4e 35:c0a80101)" \
    "applied set-ip to 00-0A-1B-2C-3D-4E .*"
grep -qx "Confirmed: 00-0A-1B-2C-3D-4E answers at 192.168.1.50 mask 255.255.255.0 gateway 192.168.1.1 on eth0" \
    "$work/cmd.out" || fail "set-ip confirmation: $(cat "$work/cmd.out")"
vx discover --wait 0.5 --format csv | tr -d '\r' | grep -qx 'Cam-Lobby,192.168.1.50,255.255.255.0,192.168.1.1,00-0A-1B-2C-3D-4E,1.20' ||
    fail "the device does not answer with its new address"

# Nothing to change: nothing sent, exit 0. An absent device: exit 1.
got=$(commands_logged 0 vx set-ip 00:0A:1B:2C:3D:4E --ip 192.168.1.50 --gateway 192.168.1.1 --wait 0.5 \
    2>"$work/err")
[ -z "$got" ] || fail "set-ip without a change sent:"$'\n'"$got"
grep -q "nothing sent" "$work/err" || fail "set-ip without a change: $(cat "$work/err")"
status=0
vx set-ip 00-0A-1B-2C-3D-99 --ip 192.168.1.60 --wait 0.5 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && grep -q "00-0A-1B-2C-3D-99" "$work/err" || fail "absent device: status $status"

# Back to 192.168.1.20 (colon form), then the set-mac example on that address.
got=$(commands_logged 1 vx set-ip 00:0A:1B:2C:3D:4E --ip 192.168.1.20 --wait 0.5)
expect_one "set-ip back" "$got" "$(frame 0:515a523a 4:c0a80114 8:ffffff00 12:000a1b2c3d4e 35:c0a80101)" \
    "applied set-ip to 00-0A-1B-2C-3D-4E .*"
got=$(commands_logged 1 vx set-mac 192.168.1.20 00-0A-1B-2C-3D-4F)
expect_one "set-mac" "$got" "$(frame 0:515a523c 4:c0a80114 12:000a1b2c3d4f)" "applied set-mac.*"
grep -qx "Confirmed: 00-0A-1B-2C-3D-4F answers at 192.168.1.20 on eth0" "$work/cmd.out" ||
    fail "set-mac confirmation: $(cat "$work/cmd.out")"
vx discover --wait 0.5 --format csv | tr -d '\r' | grep -q '^Cam-Lobby,192.168.1.20,.*,00-0A-1B-2C-3D-4F,1.20$' ||
    fail "the device does not answer with its new MAC"

# reset and update-firmware of 00-1A-2B-3C-4D-5E with an empty password.
got=$(commands_logged 1 vx reset 00-1A-2B-3C-4D-5E)
expect_one "reset" "$got" "$(frame 0:515a523d 12:001a2b3c4d5e)" "applied reset.*"
grep -qx "Confirmed: 00-1A-2B-3C-4D-5E answers at 192.168.1.21 on eth0" "$work/cmd.out" ||
    fail "reset confirmation: $(cat "$work/cmd.out")"
answers() { vx discover --wait 0.2 --format csv | grep -q "$1"; }
wait_until "00-1A-2B-3C-4D-5E to answer again after its reset" answers 00-1A-2B-3C-4D-5E
got=$(commands_logged 1 vx update-firmware 00-1a-2b-3c-4d-5e)
expect_one "update-firmware" "$got" "$(frame 0:515a523f 12:001a2b3c4d5e)" "applied update-firmware.*"

# An 8-byte password from standard input fills bytes 42-49.
got=$(commands_logged 1 bash -c 'printf "12345678\n" | "$@"' - "$testlan" exec --prefix "$prefix" app -- \
    "$cli" reset 00:0A:1B:2C:3D:50 --password-stdin)
expect_one "8-byte password" "$got" "$(frame 0:515a523d 12:000a1b2c3d50 42:3132333435363738)" "applied reset.*"

# Asked with --log-passwords, a second simulator's log shows them as sent.
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" --port 37 --log-passwords \
    --log "$work/sim-pw.log" 2>"$work/sim-pw.err" &
sim_pw_pid=$!
wait_listening dev1 37 "$sim_pw_pid" "$work/sim-pw.err"
printf '12345678\n' | "$testlan" exec --prefix "$prefix" app -- "$cli" reset 00:0A:1B:2C:3D:50 --device-port 37 \
    --password-stdin || fail "reset to port 37"
wait_until "the reset in the second simulator's log" grep -q ' applied reset' "$work/sim-pw.log"
grep -q "len=52 $(frame 0:515a523d 12:000a1b2c3d50 42:3132333435363738) applied reset" "$work/sim-pw.log" ||
    fail "--log-passwords: $(cat "$work/sim-pw.log")"
kill -TERM "$sim_pw_pid"
wait "$sim_pw_pid" || true
! grep -q 3132333435363738 "$log" || fail "the default log shows a password"

# Devices whose changes never take: the same bytes go out, the confirmation
# finds no device as the command said, and the status is 3; --no-verify does not look.
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" --port 39 --ignore-commands \
    --log "$work/sim-deaf.log" 2>"$work/sim-deaf.err" &
sim_deaf_pid=$!
wait_listening dev1 39 "$sim_deaf_pid" "$work/sim-deaf.err"
deaf() { vx "$@" --device-port 39 --wait 0.3 --verify-wait 1.5 >"$work/out" 2>"$work/err"; }
status=0
deaf set-ip 00-0A-1B-2C-3D-4E --ip 192.168.1.51 || status=$?
[ "$status" -eq 3 ] || fail "set-ip to a device that drops it: status $status, $(cat "$work/err")"
grep -qx "No answer from 00-0A-1B-2C-3D-4E at 192.168.1.51 mask 255.255.255.0 gateway 192.168.1.1 on eth0" \
    "$work/out" || fail "set-ip dropped: $(cat "$work/out")"
wait_until "the dropped set-ip in the log" grep -q ' drops commands' "$work/sim-deaf.log"
grep -q "len=52 $(masked "$(frame 0:515a523a 4:c0a80133 8:ffffff00 12:000a1b2c3d4e 35:c0a80101)" |
    sed 's/\*/\\*/g') ignored: 00-0A-1B-2C-3D-4E drops commands" "$work/sim-deaf.log" ||
    fail "set-ip dropped, on the wire: $(cat "$work/sim-deaf.log")"
status=0
deaf set-mac 192.168.1.20 00-0A-1B-2C-3D-77 || status=$?
[ "$status" -eq 3 ] && grep -qx "No answer from 00-0A-1B-2C-3D-77 at 192.168.1.20 on eth0" "$work/out" ||
    fail "set-mac dropped: status $status, $(cat "$work/out")"
deaf set-ip 00-0A-1B-2C-3D-4E --ip 192.168.1.52 --no-verify || fail "--no-verify: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "--no-verify printed $(cat "$work/out")"
# The log of changes: each command's line with its verdict, null when not looked for.
changes=$work/state/varnex/commands.log
tail -n 3 "$changes" | sed 's/.*"after": //' >"$work/verdicts"
printf '%s\n' '{"ip": "192.168.1.51"}, "confirmed": false}' '{"mac": "00-0A-1B-2C-3D-77"}, "confirmed": false}' \
    '{"ip": "192.168.1.52"}, "confirmed": null}' | cmp -s - "$work/verdicts" ||
    fail "log of changes: $(tail -n 3 "$changes")"
# Ended by a signal while it looks: its line is written all the same, not checked.
before=$(wc -l <"$changes")
"$testlan" exec --prefix "$prefix" app -- env XDG_STATE_HOME="$work/state" "$cli" set-ip 00-0A-1B-2C-3D-4E \
    --ip 192.168.1.53 --device-port 39 --wait 0.3 --verify-wait 600 </dev/null >"$work/out" 2>"$work/err" &
looking_pid=$!
wait_until "the set-ip to 192.168.1.53 to reach the device" grep -q '515a523ac0a80135.* drops commands' "$work/sim-deaf.log"
kill -TERM "$looking_pid"
status=0
wait "$looking_pid" || status=$?
[ "$status" -eq 143 ] || fail "set-ip ended by SIGTERM: status $status, $(cat "$work/err")"
[ "$(wc -l <"$changes")" -eq $((before + 1)) ] &&
    tail -n 1 "$changes" | grep -q '"after": {"ip": "192.168.1.53"}, "confirmed": null}$' ||
    fail "set-ip ended by SIGTERM, log of changes: $(tail -n 2 "$changes")"
kill -TERM "$sim_deaf_pid"
wait "$sim_deaf_pid" || true

# Two devices on one address (a third with its own): json marks both, the other
# formats warn once on standard error and keep the list as it is.
cat >"$work/shared.txt" <<'DEV'
name=Spare-A ip=192.168.1.100 mac=00-0A-00-00-00-0A version=1.00 model=31
name=Spare-B ip=192.168.1.100 mac=00-0A-00-00-00-0B version=1.00 model=31
name=Other ip=192.168.1.101 mac=00-0A-00-00-00-0C version=1.00 model=31
DEV
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/shared.txt" --port 38 2>"$work/sim-shared.err" &
sim_shared_pid=$!
wait_listening dev1 38 "$sim_shared_pid" "$work/sim-shared.err"
vx discover --wait 0.5 --device-port 38 --format json >"$work/shared.json" 2>"$work/shared-json.err"
python3 - "$work/shared.json" <<'PY' || fail "shared address, json:"$'\n'"$(cat "$work/shared.json")"
import json, sys
rows = {r["name"]: r["duplicate_ip"] for r in json.load(open(sys.argv[1]))}
assert rows == {"Spare-A": True, "Spare-B": True, "Other": False}, rows
PY
[ ! -s "$work/shared-json.err" ] || fail "shared address, json warned: $(cat "$work/shared-json.err")"
vx discover --wait 0.5 --device-port 38 >"$work/shared.txt.out" 2>"$work/shared.err"
# One line for the shared address, and one per device outside the LAN's subnet.
[ "$(grep -c 'devices answer from' "$work/shared.err")" -eq 1 ] &&
    grep -qx 'varnex-cli: warning: 2 devices answer from 192.168.1.100 on eth0: 00-0A-00-00-00-0A, 00-0A-00-00-00-0B' \
        "$work/shared.err" || fail "shared address warning: $(cat "$work/shared.err")"
[ "$(grep -c "is outside eth0's 10.77.0.0/24: this computer cannot reach it directly" "$work/shared.err")" -eq 3 ] ||
    fail "reachability warnings: $(cat "$work/shared.err")"
[ "$(grep -c . "$work/shared.txt.out")" -eq 4 ] || fail "shared address table: $(cat "$work/shared.txt.out")"
kill -TERM "$sim_shared_pid"
wait "$sim_shared_pid" || true

# Refusals that send nothing: a ninth password byte, bad MACs, a bad address.
nothing_logged "9-byte password" env VARNEX_PASSWORD=123456789 "$testlan" exec --prefix "$prefix" app -- \
    "$cli" reset 00-1A-2B-3C-4D-5E
grep -qx "varnex-cli: Please enter no more than 8 characters." "$work/err" ||
    fail "9-byte password: $(cat "$work/err")"
! grep -q 123456789 "$work/err" || fail "the password was printed"
nothing_logged "bad new MAC" vx set-mac 192.168.1.20 00-0A-1B-2C-3D
grep -q "NEW_MAC '00-0A-1B-2C-3D'" "$work/err" || fail "bad new MAC: $(cat "$work/err")"
nothing_logged "colons in a new MAC" vx set-mac 192.168.1.20 00:0A:1B:2C:3D:4F
nothing_logged "bad device MAC" vx reset 00-1A-2B-3C-4D-5G
nothing_logged "bad IP" vx set-ip 00-0A-1B-2C-3D-4F --ip 192.168.1.256
nothing_logged "set-ip without a value" vx set-ip 00-0A-1B-2C-3D-4F
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "set-ip without a value: $(cat "$work/err")"

# A local port held by another program: the desktop program's text with that port, exit 1.
port_taken() {  # port, then varnex-cli's arguments
    local port=$1 status=0
    shift
    hold_port app "$port" "$work/holder"
    vx "$@" >"$work/out" 2>"$work/err" || status=$?
    kill "$holder_pid"
    wait "$holder_pid" 2>/dev/null || true
    [ "$status" -eq 1 ] || fail "port $port taken: exit status $status"
    grep -qx "varnex-cli: Socket port '$port' Open fail ！" "$work/err" || fail "port $port taken: $(cat "$work/err")"
    [ ! -s "$work/out" ] || fail "port $port taken: output $(cat "$work/out")"
}
port_taken 4000 discover --wait 0.5
port_taken 4000 update-firmware 00-1A-2B-3C-4D-5E
port_taken 4100 discover --local-port 4100

kill -TERM "$sim_pid"
wait "$sim_pid" || true

# web: the browser from $BROWSER gets the address unchanged and is not waited
# for: it stays until the test lets it go, and varnex-cli has ended before.
cat >"$work/fake-browser" <<SH
#!/bin/sh
printf '%s\n' "\$@" >"$work/browser-args"
i=0
while [ ! -e "$work/browser-release" ] && [ \$i -lt 600 ]; do sleep 0.1; i=\$((i + 1)); done
touch "$work/browser-ended"
SH
chmod +x "$work/fake-browser"
BROWSER="/nonexistent/browser:$work/fake-browser --new %s" in_app "$cli" web 192.168.1.20 </dev/null ||
    fail "web: the browser from BROWSER was not started"
[ ! -e "$work/browser-ended" ] || fail "web waited for the browser"
wait_until "the browser to be started" test -s "$work/browser-args"
touch "$work/browser-release"
[ "$(cat "$work/browser-args")" = $'--new\n192.168.1.20' ] || fail "web: browser got $(cat "$work/browser-args")"
status=0
in_app env -i BROWSER=/nonexistent PATH=/nonexistent HOME="$work" "$cli" web 192.168.1.20 </dev/null \
    2>"$work/err" || status=$?
[ "$status" -eq 1 ] && grep -q "cannot open 192.168.1.20" "$work/err" || fail "web without a browser: $status"

echo "PASS: varnex-cli discovers and sends the exact packets in the test LAN"
