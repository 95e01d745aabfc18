#!/usr/bin/env bash
# The project's test LAN, made only of network namespaces: P-hub holds a bridge,
# and each host (P-app, P-dev1..P-devN) is joined to it by a veth pair whose ends
# are created directly inside the hub and the host. Nothing is made in or attached
# to the machine's own namespace, so broadcasts sent in the LAN stay in it.
set -euo pipefail

readonly SUBNET=10.77.0
readonly CHECK_PORT=4999

usage() {
    cat <<EOF
Usage: testlan.sh up     [--prefix P] [--devices N]   make P-hub, P-app, P-dev1..P-devN (N: 1, at most 50)
       testlan.sh down   [--prefix P]                 remove them (no error when absent)
       testlan.sh exec   [--prefix P] HOST -- CMD...  run CMD in P-HOST (HOST: app, dev1, ..., hub)
       testlan.sh status [--prefix P]                 show the namespaces, addresses and processes
       testlan.sh check  [--prefix P]                 broadcast app -> dev1 and back again
Hosts: P-app $SUBNET.1/24, P-devK $SUBNET.(10+K)/24, each on eth0 with a default route on
eth0 so that 255.255.255.255 is routable. The prefix (letters, digits, _; at most 12, starting
with a letter) defaults to \$VARNEX_LAN or "vxlan". 'down' ends the processes still running
in the namespaces. Needs root. Exit status: 0 ok, 1 failure, 2 usage.
Example: testlan.sh up --devices 1 && testlan.sh exec dev1 -- build/varnex-sim --devices demo.txt
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

add_host() {
    local p=$1 host=$2 addr=$3 ns="$1-$2"
    ip netns add "$ns"
    quiet_ipv6 "$ns"
    ip -n "$ns" link set lo up
    ip -n "$p-hub" link add name "$host" type veth peer name eth0 netns "$ns"
    ip -n "$p-hub" link set "$host" master br0 up
    ip -n "$ns" addr add "$addr/24" dev eth0
    ip -n "$ns" link set eth0 up
    # A device-only default route makes 255.255.255.255 routable and keeps every packet on eth0.
    ip -n "$ns" route add default dev eth0
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
    local p=$1 n=$2 k
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
    cmd_check "$p"
    trap - EXIT
    if [ "$n" -eq 1 ]; then
        echo "test LAN $p: $p-app $SUBNET.1, $p-dev1 $SUBNET.11"
    else
        echo "test LAN $p: $p-app $SUBNET.1, $p-dev1..$p-dev$n $SUBNET.11..$SUBNET.$((10 + n))"
    fi
}

# Sends one broadcast datagram from one host and waits for it in another.
broadcast_reaches() {
    local p=$1 from=$2 to=$3 token=$4 out pid
    out=$(mktemp)
    ip netns exec "$p-$to" python3 -c '
import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("0.0.0.0", int(sys.argv[1])))
s.settimeout(3)
try:
    data, src = s.recvfrom(2048)
except socket.timeout:
    sys.exit(1)
print(data.decode(errors="replace"), src[0])
' "$CHECK_PORT" >"$out" 2>&1 &
    pid=$!
    for _ in $(seq 1 25); do
        ip netns exec "$p-$to" cat /proc/net/udp | grep -q ":$(printf '%04X' "$CHECK_PORT") " && break
        sleep 0.1
    done
    ip netns exec "$p-$from" python3 -c '
import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
s.sendto(sys.argv[2].encode(), ("255.255.255.255", int(sys.argv[1])))
' "$CHECK_PORT" "$token"
    local rc=0
    wait "$pid" || rc=$?
    if [ $rc -ne 0 ] || ! grep -q "^$token " "$out"; then
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
    broadcast_reaches "$p" app dev1 app-to-dev1 || die "a broadcast from $p-app did not reach $p-dev1"
    broadcast_reaches "$p" dev1 app dev1-to-app || die "a broadcast from $p-dev1 did not reach $p-app"
    echo "broadcast to 255.255.255.255 reaches $p-dev1 from $p-app and back"
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

    local prefix=${VARNEX_LAN:-vxlan} devices=1
    local -a rest=()
    while [ $# -gt 0 ]; do
        case $1 in
        --prefix) [ $# -ge 2 ] || usage_error "--prefix needs a value"; prefix=$2; shift 2 ;;
        --prefix=*) prefix=${1#--prefix=}; shift ;;
        --devices) [ $# -ge 2 ] || usage_error "--devices needs a value"; devices=$2; shift 2 ;;
        --devices=*) devices=${1#--devices=}; shift ;;
        --) rest+=("$@"); break ;;
        *) rest+=("$1"); shift ;;
        esac
    done
    [[ $prefix =~ ^[A-Za-z][A-Za-z0-9_]{0,11}$ ]] ||
        usage_error "prefix '$prefix': letters, digits and _, starting with a letter, at most 12"
    if ! [[ $devices =~ ^[0-9]+$ ]] || [ "$devices" -lt 1 ] || [ "$devices" -gt 50 ]; then
        usage_error "--devices '$devices': a number 1-50"
    fi

    case $action in
    up)
        [ ${#rest[@]} -eq 0 ] || usage_error "unexpected '${rest[0]}'"
        require_root
        cmd_up "$prefix" "$devices"
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
