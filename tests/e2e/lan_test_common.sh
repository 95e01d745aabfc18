# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Shared by the end-to-end tests: the skip and fail conventions, the checks
# that the test LAN can be made here, making it with a prefix of its own, and
# waiting for events themselves (a port bound, a line logged) with a deadline,
# never for a fixed time: the suite runs on busy machines.
# Source it; then call start_test_lan PREFIX DEVICES. The LAN goes down on exit.

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

require_test_lan() {
    [ "$(id -u)" -eq 0 ] || skip "needs root for network namespaces"
    if ! command -v ip >/dev/null 2>&1 || ! ip netns list >/dev/null 2>&1; then
        skip "'ip netns' is not available"
    fi
    command -v python3 >/dev/null 2>&1 || skip "python3 is not installed"
}

# start_test_lan TESTLAN_SH PREFIX DEVICES [UP_OPTION...]: makes the LAN (the
# options go to 'testlan.sh up', e.g. --segments 2) and a work folder ($work);
# both go when the script exits, after any command in $extra_cleanup.
start_test_lan() {
    testlan_sh=$1
    lan_prefix=$2
    local devices=$3
    shift 3
    work=$(mktemp -d)
    trap 'eval "${extra_cleanup:-true}"; "$testlan_sh" down --prefix "$lan_prefix" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
    ip netns add "${lan_prefix}probe" 2>/dev/null || skip "network namespaces cannot be made here"
    ip netns del "${lan_prefix}probe"
    "$testlan_sh" up --prefix "$lan_prefix" --devices "$devices" "$@" >/dev/null
}

# wait_until, udp_bound and WAIT_SECONDS: waiting for events with a deadline.
# shellcheck source=../../scripts/lib/waits.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/waits.sh"

# wait_listening HOST PORT PID ERRFILE: the program PID listens on PORT in HOST;
# fails at once with its messages when it ends first.
wait_listening() {
    local host=$1 port=$2 pid=$3 errfile=$4 end=$((SECONDS + WAIT_SECONDS))
    until udp_bound "$lan_prefix-$host" "$port"; do
        kill -0 "$pid" 2>/dev/null || fail "the program meant to listen on port $port in $host ended: $(cat "$errfile")"
        [ $SECONDS -lt $end ] || fail "waited $WAIT_SECONDS s for port $port in $host"
        sleep 0.1
    done
}

# hold_port HOST PORT OUTFILE: python holds the UDP port in HOST until killed;
# returns once the port is held, with the holder's pid in $holder_pid. Run as
# a plain command (not in $(...)) so that the holder stays this shell's child.
hold_port() {
    # Emptied first: a "bound" left by an earlier holder must not pass for this one's.
    : >"$3"
    "$testlan_sh" exec --prefix "$lan_prefix" "$1" -- python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("0.0.0.0", int(sys.argv[1])))
print("bound", flush=True)
time.sleep(600)' "$2" >"$3" 2>&1 &
    holder_pid=$!
    local end=$((SECONDS + WAIT_SECONDS))
    until grep -qx bound "$3"; do
        kill -0 "$holder_pid" 2>/dev/null || fail "cannot hold port $2 in $1: $(cat "$3")"
        [ $SECONDS -lt $end ] || fail "waited $WAIT_SECONDS s for python to hold port $2 in $1"
        sleep 0.1
    done
}

# The hex of every marker's first bytes, for leaving the markers out of a log.
MARK_HEX=$(printf 'e2e-mark-' | od -An -tx1 | tr -d ' \n')

# log_settled LOG [PORT]: sends a marker datagram from the app host to the
# simulator on PORT (36) and waits until LOG shows it. A simulator handles its
# datagrams in order, so whatever reached it before is in the log by then: the
# way to know that nothing more is coming.
log_settled() {
    local log=$1 port=${2:-36} marker
    marker="e2e-mark-$RANDOM$RANDOM"
    "$testlan_sh" exec --prefix "$lan_prefix" app -- python3 -c 'import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
s.bind(("0.0.0.0", 0))
s.sendto(sys.argv[1].encode(), ("255.255.255.255", int(sys.argv[2])))' "$marker" "$port"
    wait_until "the simulator to log a marker datagram" grep -q "$(printf '%s' "$marker" | od -An -tx1 | tr -d ' \n')" "$log"
}
