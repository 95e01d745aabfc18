# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Waiting for an event itself, with a deadline, never for a fixed time: the
# scripts and the end-to-end tests run on busy machines, where starting python
# or a program may take seconds. Sourced by the scripts and tests/e2e; each
# function returns 1 after saying on stderr what it waited for.

WAIT_SECONDS=30

# wait_until WHAT CMD...: runs CMD until it succeeds, for up to WAIT_SECONDS.
wait_until() {
    local what=$1 end=$((SECONDS + WAIT_SECONDS))
    shift
    until "$@"; do
        if [ $SECONDS -ge $end ]; then
            echo "waited $WAIT_SECONDS s for $what" >&2
            return 1
        fi
        sleep 0.1
    done
}

# udp_bound NAMESPACE PORT: something in the network namespace listens on the UDP port.
udp_bound() {
    ip netns exec "$1" cat /proc/net/udp | grep -q ":$(printf '%04X' "$2") "
}

# start_xvfb NAMESPACE SCREEN: an X server in the namespace on the first free
# display (X picks it, so that runs side by side never collide); returns once
# it accepts connections, with the display in $display and the server's pid in
# $xvfb_pid. SCREEN is WIDTHxHEIGHTxDEPTH.
start_xvfb() {
    local ns=$1 screen=$2 number
    number=$(mktemp)
    ip netns exec "$ns" Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$number" 2>/dev/null &
    xvfb_pid=$!
    # The number is written when the server is ready for connections.
    local end=$((SECONDS + WAIT_SECONDS))
    until grep -q '^[0-9]' "$number"; do
        if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $SECONDS -ge $end ]; then
            echo "Xvfb did not start in $ns within $WAIT_SECONDS s" >&2
            rm -f "$number"
            return 1
        fi
        sleep 0.1
    done
    display=:$(head -n 1 "$number")
    rm -f "$number"
}

# window_shown NAMESPACE DISPLAY TITLE: a window whose title holds TITLE is mapped.
window_shown() {
    ip netns exec "$1" xwininfo -display "$2" -root -tree 2>/dev/null | grep -F "\"" | grep -qF "$3"
}

# screen_settled NAMESPACE DISPLAY: waits until two pictures of the screen a
# little apart are the same, for up to WAIT_SECONDS.
screen_settled() {
    local ns=$1 disp=$2 before now end=$((SECONDS + WAIT_SECONDS))
    before=$(screen_sum "$ns" "$disp")
    while :; do
        sleep 0.3
        now=$(screen_sum "$ns" "$disp")
        [ "$now" != "$before" ] || return 0
        if [ $SECONDS -ge $end ]; then
            echo "waited $WAIT_SECONDS s for the screen $disp to settle" >&2
            return 1
        fi
        before=$now
    done
}

# after_input NAMESPACE DISPLAY CMD...: runs CMD (an input to a window on the
# display) and waits until the screen has changed and settled again.
after_input() {
    local ns=$1 disp=$2 before
    shift 2
    before=$(screen_sum "$ns" "$disp")
    "$@"
    wait_until "the screen $disp to answer '$*'" screen_differs "$ns" "$disp" "$before" &&
        screen_settled "$ns" "$disp"
}

screen_sum() {
    ip netns exec "$1" import -display "$2" -window root rgb:- 2>/dev/null | md5sum
}

screen_differs() {
    [ "$(screen_sum "$1" "$2")" != "$3" ]
}

# gone PID...: none of the processes runs any more.
gone() {
    local pid
    for pid in "$@"; do
        ! kill -0 "$pid" 2>/dev/null || return 1
    done
}
