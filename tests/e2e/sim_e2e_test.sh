#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# varnex-sim in the test LAN: a probe broadcast from the app host is answered by
# every simulated device with the exact reply bytes, a set-ip command with the
# right password shows in the next answers, and the log records where each
# datagram came from and went to, with the password bytes of commands masked.
# Exits 77 (skip) without root or 'ip netns'.
set -euo pipefail

sim=${1:?usage: sim_e2e_test.sh VARNEX_SIM [TESTLAN_SH]}
testlan=${2:-$(dirname "$0")/../../scripts/testlan.sh}

# shellcheck source=lan_test_common.sh
. "$(dirname "$0")/lan_test_common.sh"
require_test_lan
[ -x "$sim" ] || fail "no simulator at $sim"

prefix=vx$$
start_test_lan "$testlan" "$prefix" 1

in_app() { "$testlan" exec --prefix "$prefix" app -- "$@"; }

# The client side, written from the documented layout (not from the program's code).
cat >"$work/client.py" <<'PY'
import socket, sys, time

def frame(code, ip="0.0.0.0", mask="0.0.0.0", mac="00-00-00-00-00-00", name=b"",
          gateway="0.0.0.0", version=(0, 0), model=0, password=b""):
    b = bytearray(52)
    b[0:4] = b"QZR" + bytes([code])
    b[4:8] = socket.inet_aton(ip)
    b[8:12] = socket.inet_aton(mask)
    b[12:18] = bytes(int(g, 16) for g in mac.split("-"))
    b[18:18 + len(name)] = name
    b[35:39] = socket.inet_aton(gateway)
    b[39], b[40], b[41] = version[0], version[1], model
    b[42:42 + len(password)] = password
    return bytes(b)

def sock():
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    s.bind(("0.0.0.0", 4000))
    return s

def send(data, expect=0):
    s = sock()
    s.sendto(data, ("255.255.255.255", 36))
    # The replies expected, for up to 30 s on a busy machine; then whatever
    # more arrives while the line stays quiet for half a second.
    got, end = 0, time.monotonic() + 30
    while expect and time.monotonic() < end:
        s.settimeout(max(0.01, end - time.monotonic()) if got < expect else 0.5)
        try:
            d, (ip, port) = s.recvfrom(2048)
        except socket.timeout:
            break
        got += 1
        print(f"{ip}:{port} {len(d)} {d.hex()}")

cmd, args = sys.argv[1], sys.argv[2:]
if cmd == "probe":  # how many replies to expect
    send(frame(0x39), expect=int(args[0]))
elif cmd == "reply":  # name ip mask gateway mac major.minor(hex) model
    major, minor = (int(x, 16) for x in args[5].split("."))
    print(frame(0x39, ip=args[1], mask=args[2], mac=args[4], name=args[0].encode(),
                gateway=args[3], version=(major, minor), model=int(args[6])).hex())
elif cmd == "set-ip":  # mac password ip mask gateway
    send(frame(0x3A, mac=args[0], password=args[1].encode(), ip=args[2], mask=args[3], gateway=args[4]))
PY
client() { python3 "$work/client.py" "$@"; }

cat >"$work/devices.txt" <<'DEV'
# two known models; the third device comes from --device
name=Cam-Lobby ip=192.168.1.20 mask=255.255.255.0 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-4E version=1.20 model=31 password=secret
name="Door 2, East 50%25" ip=192.168.1.21 gateway=192.168.1.1 mac=00-0A-1B-2C-3D-4F version=A.05 model=32 password=12345678
DEV

"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" \
    --device 'name=Mystery ip=192.168.1.22 mac=00:0a:1b:2c:3d:50 version=2.01 model=5' \
    --log "$work/sim.log" 2>"$work/sim.err" &
sim_pid=$!
wait_listening dev1 36 "$sim_pid" "$work/sim.err"

expect_replies() {  # label, then the expected reply hex of each device
    local label=$1 got want
    shift
    got=$(in_app python3 "$work/client.py" probe $#)
    [ "$(grep -c . <<<"$got")" -eq $# ] || fail "$label: expected $# replies, got:"$'\n'"$got"
    for want in "$@"; do
        grep -qx "10.77.0.11:36 52 $want" <<<"$got" || fail "$label: no reply $want in:"$'\n'"$got"
    done
}

cam=$(client reply Cam-Lobby 192.168.1.20 255.255.255.0 192.168.1.1 00-0A-1B-2C-3D-4E 1.20 31)
door=$(client reply "Door 2, East 50%" 192.168.1.21 255.255.255.0 192.168.1.1 00-0A-1B-2C-3D-4F A.05 32)
mystery=$(client reply Mystery 192.168.1.22 255.255.255.0 0.0.0.0 00-0A-1B-2C-3D-50 2.01 5)
expect_replies "first probe" "$cam" "$door" "$mystery"

in_app python3 "$work/client.py" set-ip 00-0A-1B-2C-3D-4E secret 10.77.0.50 255.255.0.0 10.77.0.1
in_app python3 "$work/client.py" set-ip 00-0A-1B-2C-3D-4F wrong 10.77.0.51 255.255.0.0 10.77.0.1
cam_moved=$(client reply Cam-Lobby 10.77.0.50 255.255.0.0 10.77.0.1 00-0A-1B-2C-3D-4E 1.20 31)
expect_replies "probe after set-ip" "$cam_moved" "$door" "$mystery"

probe_line="^10\.77\.0\.1:4000 -> 255\.255\.255\.255:36 len=52 515a5239(00){48} probe \(3 replies\)$"
[ "$(grep -cE "$probe_line" "$work/sim.log")" -eq 2 ] || fail "log lacks the two probes:"$'\n'"$(cat "$work/sim.log")"
# The password bytes (42-49) of a command are written as ** each.
grep -qE "^10\.77\.0\.1:4000 -> 255\.255\.255\.255:36 len=52 515a523a[0-9a-f]{76}\*{16}0000 applied set-ip to 00-0A-1B-2C-3D-4E" \
    "$work/sim.log" || fail "log lacks the applied set-ip with its password masked:"$'\n'"$(cat "$work/sim.log")"
grep -q "rejected: bad password for 00-0A-1B-2C-3D-4F$" "$work/sim.log" || fail "log lacks the rejected set-ip"
! grep -qE "secret|wrong|736563726574|77726f6e67" "$work/sim.log" || fail "the log shows a password"

kill -TERM "$sim_pid"
status=0
wait "$sim_pid" || status=$?
[ "$status" -eq 0 ] || fail "varnex-sim ended with status $status after SIGTERM: $(cat "$work/sim.err")"
echo "PASS: varnex-sim answers, applies set-ip and logs in the test LAN"
