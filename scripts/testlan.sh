#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# The project's test LAN, made only of network namespaces: P-hub holds a bridge,
# and each host (P-app, P-dev1..P-devN) is joined to it by a veth pair whose ends
# are created directly inside the hub and the host. With two segments the hub
# holds a second bridge, the app host a second interface on it, and more device
# hosts sit behind it. Nothing is made in or attached to the machine's own
# namespace, so broadcasts sent in the LAN stay in it.
set -euo pipefail

readonly SUBNET=10.77.0
readonly SUBNET2=10.88.0
readonly CHECK_PORT=4999
readonly CHECK_SECONDS=30

usage() {
    cat <<EOF
Usage: testlan.sh up     [--prefix P] [--devices N] [--segments S] [--devices2 M]
                                                      make P-hub, P-app, P-dev1..P-devN (N: 1, at most 50)
       testlan.sh down   [--prefix P]                 remove them (no error when absent)
       testlan.sh exec   [--prefix P] HOST -- CMD...  run CMD in P-HOST (HOST: app, dev1, ..., hub)
       testlan.sh status [--prefix P]                 show the namespaces, addresses and processes
       testlan.sh check  [--prefix P]                 broadcast app -> dev1 and back again (30 s at most)
Hosts: P-app $SUBNET.1/24, P-devK $SUBNET.(10+K)/24, each on eth0 with a default route on
eth0 so that 255.255.255.255 is routable. The prefix (letters, digits, _; at most 12, starting
with a letter) defaults to \$VARNEX_LAN or "vxlan". 'down' ends the processes still running
in the namespaces. Needs root. Exit status: 0 ok, 1 failure, 2 usage.
Two segments (--segments 2; the default is 1): a second bridge in P-hub, P-app's eth1
$SUBNET2.1/24 on it (no route beyond its segment, so a broadcast reaches it only when sent by
eth1), and M more device hosts behind it (--devices2 M: 1, at most 50), P-dev(N+1)..P-dev(N+M)
at $SUBNET2.(10+K)/24 on their eth0. 'check' then asks both segments.
Example: testlan.sh up --devices 1 && testlan.sh exec dev1 -- build/varnex-sim --devices demo.txt
         testlan.sh up --devices 1 --segments 2   # dev1 on eth0's segment, dev2 on eth1's
EOF
}

die() {
    echo "testlan: $*" >&2
    exit 1
}

usage_error() {
    echo "testlan: $*" >&2
    echo "Try 'testlan.sh --help'." >&2
    exit 2
}

require_root() {
    [ "$(id -u)" -eq 0 ] || die "needs root to make network namespaces (try: sudo $0 ...)"
    command -v ip >/dev/null 2>&1 || die "the 'ip' command (iproute2) is not installed"
    ip netns list >/dev/null 2>&1 || die "'ip netns' is not available on this system"
}

# The namespaces of a prefix, hub last so that hosts go first on removal.
lan_namespaces() {
    local p=$1
    ip netns list | awk '{print $1}' | grep -E "^${p}-(app|dev[0-9]+)\$" | sort -V || true
    ip netns list | awk '{print $1}' | grep -Ex "${p}-hub" || true
}

ns_exists() {
    ip netns list | awk '{print $1}' | grep -qx "$1"
}

# Ends what still runs in a namespace: its veth pair would outlive the namespace otherwise.
stop_processes() {
    local ns=$1 pids
    pids=$(ip netns pids "$ns" 2>/dev/null || true)
    [ -n "$pids" ] || return 0
    # shellcheck disable=SC2086
    kill -TERM $pids 2>/dev/null || true
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        pids=$(ip netns pids "$ns" 2>/dev/null || true)
        [ -n "$pids" ] || return 0
        sleep 0.2
    done
    # shellcheck disable=SC2086
    kill -KILL $pids 2>/dev/null || true
}

remove_lan() {
    local p=$1 ns
    for ns in $(lan_namespaces "$p"); do
        stop_processes "$ns"
        ip netns del "$ns" 2>/dev/null || true
    done
}

# add_host PREFIX HOST ADDRESS [BRIDGE]: a host namespace on eth0, joined to the bridge (br0).
add_host() {
    local p=$1 host=$2 addr=$3 bridge=${4:-br0} ns="$1-$2"
    ip netns add "$ns"
    quiet_ipv6 "$ns"
    ip -n "$ns" link set lo up
    ip -n "$p-hub" link add name "$host" type veth peer name eth0 netns "$ns"
    ip -n "$p-hub" link set "$host" master "$bridge" up
    ip -n "$ns" addr add "$addr/24" dev eth0
    ip -n "$ns" link set eth0 up
    # A device-only default route makes 255.255.255.255 routable and keeps every packet on eth0.
    ip -n "$ns" route add default dev eth0
}

# The app host's second interface, eth1, on the second segment's bridge (br1).
# Only its own segment is routed there: the default route stays on eth0.
add_app_second_interface() {
    local p=$1 ns="$1-app"
    ip -n "$p-hub" link add name app2 type veth peer name eth1 netns "$ns"
    ip -n "$p-hub" link set app2 master br1 up
    ip -n "$ns" addr add "$SUBNET2.1/24" dev eth1
    ip -n "$ns" link set eth1 up
}

# No IPv6 chatter: captures of the LAN then hold only what the tests send.
quiet_ipv6() {
    ip netns exec "$1" sysctl -qw net.ipv6.conf.all.disable_ipv6=1 net.ipv6.conf.default.disable_ipv6=1 \
        >/dev/null 2>&1 || true
}

# Leaves nothing half made behind when a step of 'up' fails.
undo_failed_up() {
    local status=$?
    if [ $status -ne 0 ]; then
        remove_lan "$1"
        echo "testlan: setting up $1 failed; removed it" >&2
    fi
}

cmd_up() {
    local p=$1 n=$2 segments=$3 n2=$4 k
    if ns_exists "$p-hub"; then
        die "test LAN '$p' is already up (remove it with: $0 down --prefix $p)"
    fi
    # shellcheck disable=SC2064  # the prefix is fixed now
    trap "undo_failed_up $p" EXIT
    ip netns add "$p-hub"
    quiet_ipv6 "$p-hub"
    ip -n "$p-hub" link set lo up
    ip -n "$p-hub" link add name br0 type bridge
    ip -n "$p-hub" link set br0 up
    add_host "$p" app "$SUBNET.1"
    for ((k = 1; k <= n; k++)); do
        add_host "$p" "dev$k" "$SUBNET.$((10 + k))"
    done
    if [ "$segments" -eq 2 ]; then
        ip -n "$p-hub" link add name br1 type bridge
        ip -n "$p-hub" link set br1 up
        add_app_second_interface "$p"
        for ((k = 1; k <= n2; k++)); do
            add_host "$p" "dev$((n + k))" "$SUBNET2.$((10 + k))" br1
        done
    fi
    cmd_check "$p"
    trap - EXIT
    if [ "$n" -eq 1 ]; then
        echo "test LAN $p: $p-app $SUBNET.1, $p-dev1 $SUBNET.11"
    else
        echo "test LAN $p: $p-app $SUBNET.1, $p-dev1..$p-dev$n $SUBNET.11..$SUBNET.$((10 + n))"
    fi
    if [ "$segments" -eq 2 ]; then
        if [ "$n2" -eq 1 ]; then
            echo "second segment: $p-app eth1 $SUBNET2.1, $p-dev$((n + 1)) $SUBNET2.11"
        else
            echo "second segment: $p-app eth1 $SUBNET2.1, $p-dev$((n + 1))..$p-dev$((n + n2))" \
                "$SUBNET2.11..$SUBNET2.$((10 + n2))"
        fi
    fi
}

# Sends broadcast datagrams from one host (by one of its interfaces when a
# fifth argument names it) until another host has one, for up to CHECK_SECONDS:
# on a busy machine python alone may take seconds to start. When it gives up
# it says which step was slow: the listener starting, or the datagrams.
broadcast_reaches() {
    local p=$1 from=$2 to=$3 token=$4 device=${5:-} out pid
    out=$(mktemp)
    ip netns exec "$p-$to" python3 -c '
import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("0.0.0.0", int(sys.argv[1])))
print("bound", flush=True)
end = time.monotonic() + float(sys.argv[3])
while time.monotonic() < end:
    s.settimeout(max(0.01, end - time.monotonic()))
    try:
        data, src = s.recvfrom(2048)
    except socket.timeout:
        break
    if data.decode(errors="replace") == sys.argv[2]:
        print("got", src[0], flush=True)
        sys.exit(0)
sys.exit(1)
' "$CHECK_PORT" "$token" "$CHECK_SECONDS" >"$out" 2>&1 &
    pid=$!
    # The sender starts at once and repeats until the listener has one: both
    # pythons start side by side.
    local sent
    sent=$(ip netns exec "$p-$from" python3 -c '
import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
if sys.argv[3]:
    s.setsockopt(socket.SOL_SOCKET, socket.SO_BINDTODEVICE, sys.argv[3].encode())
end, sent = time.monotonic() + float(sys.argv[5]), 0
while time.monotonic() < end:
    s.sendto(sys.argv[2].encode(), ("255.255.255.255", int(sys.argv[1])))
    sent += 1
    time.sleep(0.2)
    if any(line.startswith("got ") for line in open(sys.argv[4])):
        break
print(sent)
' "$CHECK_PORT" "$token" "$device" "$out" "$CHECK_SECONDS" 2>&1) || true
    grep -q "^got " "$out" || kill "$pid" 2>/dev/null || true
    local rc=0
    wait "$pid" 2>/dev/null || rc=$?
    if [ $rc -ne 0 ] || ! grep -q "^got " "$out"; then
        if ! grep -qx bound "$out"; then
            LAN_SLOW="python3 did not listen on port $CHECK_PORT in $p-$to within $CHECK_SECONDS s: $(head -c 300 "$out")"
        else
            LAN_SLOW="$p-$from sent ${sent:-no} datagram(s) within $CHECK_SECONDS s and none arrived"
        fi
        rm -f "$out"
        return 1
    fi
    rm -f "$out"
}

cmd_check() {
    local p=$1
    if ! ns_exists "$p-app" || ! ns_exists "$p-dev1"; then
        die "test LAN '$p' has no app and dev1 hosts"
    fi
    command -v python3 >/dev/null 2>&1 || die "python3 is needed for the broadcast check"
    broadcast_reaches "$p" app dev1 app-to-dev1 || die "a broadcast from $p-app did not reach $p-dev1: $LAN_SLOW"
    broadcast_reaches "$p" dev1 app dev1-to-app || die "a broadcast from $p-dev1 did not reach $p-app: $LAN_SLOW"
    echo "broadcast to 255.255.255.255 reaches $p-dev1 from $p-app and back"
    # The second segment, when there is one: its first device host, by eth1.
    ip -n "$p-app" link show eth1 >/dev/null 2>&1 || return 0
    local second
    second=$(second_segment_host "$p")
    [ -n "$second" ] || die "test LAN '$p' has a second interface but no device host behind it"
    broadcast_reaches "$p" app "$second" "app-to-$second" eth1 ||
        die "a broadcast from $p-app by eth1 did not reach $p-$second: $LAN_SLOW"
    broadcast_reaches "$p" "$second" app "$second-to-app" ||
        die "a broadcast from $p-$second did not reach $p-app: $LAN_SLOW"
    echo "broadcast to 255.255.255.255 reaches $p-$second from $p-app by eth1 and back"
}

# The first device host on the second segment (devK whose eth0 is in $SUBNET2.0/24).
second_segment_host() {
    local p=$1 ns
    for ns in $(lan_namespaces "$p"); do
        [[ $ns =~ ^$p-(dev[0-9]+)$ ]] || continue
        if ip -n "$ns" -4 -o addr show dev eth0 2>/dev/null | grep -q " $SUBNET2\."; then
            echo "${BASH_REMATCH[1]}"
            return 0
        fi
    done
}

cmd_status() {
    local p=$1 ns found=0
    for ns in $(lan_namespaces "$p"); do
        found=1
        echo "$ns: $(ip netns pids "$ns" 2>/dev/null | wc -l) processes"
        ip -n "$ns" -br addr show | sed 's/^/    /'
    done
    [ $found -eq 1 ] || die "no test LAN with prefix '$p'"
}

main() {
    local action=${1:-}
    [ -n "$action" ] || { usage >&2; exit 2; }
    shift
    case $action in
    -h | --help | help) usage; exit 0 ;;
    up | down | exec | status | check) ;;
    *) usage_error "unknown action '$action'" ;;
    esac

    local prefix=${VARNEX_LAN:-vxlan} devices=1 segments=1 devices2=1
    local -a rest=()
    while [ $# -gt 0 ]; do
        case $1 in
        --prefix) [ $# -ge 2 ] || usage_error "--prefix needs a value"; prefix=$2; shift 2 ;;
        --prefix=*) prefix=${1#--prefix=}; shift ;;
        --devices) [ $# -ge 2 ] || usage_error "--devices needs a value"; devices=$2; shift 2 ;;
        --devices=*) devices=${1#--devices=}; shift ;;
        --segments) [ $# -ge 2 ] || usage_error "--segments needs a value"; segments=$2; shift 2 ;;
        --segments=*) segments=${1#--segments=}; shift ;;
        --devices2) [ $# -ge 2 ] || usage_error "--devices2 needs a value"; devices2=$2; shift 2 ;;
        --devices2=*) devices2=${1#--devices2=}; shift ;;
        --) rest+=("$@"); break ;;
        *) rest+=("$1"); shift ;;
        esac
    done
    [[ $prefix =~ ^[A-Za-z][A-Za-z0-9_]{0,11}$ ]] ||
        usage_error "prefix '$prefix': letters, digits and _, starting with a letter, at most 12"
    if ! [[ $devices =~ ^[0-9]+$ ]] || [ "$devices" -lt 1 ] || [ "$devices" -gt 50 ]; then
        usage_error "--devices '$devices': a number 1-50"
    fi
    [[ $segments =~ ^[12]$ ]] || usage_error "--segments '$segments': 1 or 2"
    if ! [[ $devices2 =~ ^[0-9]+$ ]] || [ "$devices2" -lt 1 ] || [ "$devices2" -gt 50 ]; then
        usage_error "--devices2 '$devices2': a number 1-50"
    fi

    case $action in
    up)
        [ ${#rest[@]} -eq 0 ] || usage_error "unexpected '${rest[0]}'"
        require_root
        cmd_up "$prefix" "$devices" "$segments" "$devices2"
        ;;
    down)
        [ ${#rest[@]} -eq 0 ] || usage_error "unexpected '${rest[0]}'"
        require_root
        remove_lan "$prefix"
        ;;
    status)
        require_root
        cmd_status "$prefix"
        ;;
    check)
        require_root
        cmd_check "$prefix"
        ;;
    exec)
        if [ ${#rest[@]} -lt 3 ] || [ "${rest[1]}" != "--" ]; then
            usage_error "exec needs HOST -- CMD..."
        fi
        local host=${rest[0]}
        [[ $host =~ ^(app|hub|dev[0-9]+)$ ]] || usage_error "host '$host': app, hub or devK"
        require_root
        ns_exists "$prefix-$host" || die "no namespace $prefix-$host (is the test LAN '$prefix' up?)"
        exec ip netns exec "$prefix-$host" "${rest[@]:2}"
        ;;
    esac
}

main "$@"
