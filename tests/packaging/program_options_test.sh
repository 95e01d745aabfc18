#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# --help and --version of the three programs, and the desktop program without a
# display: exact lines and exit statuses. None of these opens the network: the
# desktop program settles them before Qt and its application start. When it can,
# the test runs them in a network namespace of their own, with no way out.
set -euo pipefail
varnex=${1:?usage: program_options_test.sh VARNEX VARNEX_CLI VARNEX_SIM}
cli=${2:?}
sim=${3:?}
fail() { echo "FAIL: $*" >&2; exit 1; }

isolate=()
if unshare --net true 2>/dev/null; then
    isolate=(unshare --net)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a program with neither display nor platform set; sets $status, $out, $err.
run() {
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM "${isolate[@]}" "$@" \
        >"$work/out" 2>"$work/err" </dev/null || status=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

version=$("$cli" --version | sed -n 's/^varnex-cli \([0-9][0-9.]*\)$/\1/p')
[ -n "$version" ] || fail "varnex-cli --version: $("$cli" --version)"

for program in "$varnex" "$cli" "$sim"; do
    name=$(basename "$program")
    run "$program" --version
    [ "$status" -eq 0 ] && [ "$out" = "$name $version" ] && [ -z "$err" ] ||
        fail "$name --version: status $status, out '$out', err '$err'"
    run "$program" --help
    [ "$status" -eq 0 ] && [ -z "$err" ] || fail "$name --help: status $status, err '$err'"
    grep -q "^Usage: $name " <<<"$out" || fail "$name --help: $out"
    grep -q -- "--version" <<<"$out" || fail "$name --help does not name --version"
done

run "$varnex"
[ "$status" -eq 1 ] || fail "varnex without a display: status $status, err '$err'"
[ "$err" = "varnex: no display: set DISPLAY or WAYLAND_DISPLAY, or use QT_QPA_PLATFORM=offscreen" ] ||
    fail "varnex without a display said: $err"
[ -z "$out" ] || fail "varnex without a display wrote: $out"

# A DISPLAY with no X server behind it: the same advice, naming the display.
run env DISPLAY=:7391 "$varnex"
[ "$status" -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "varnex on a dead display: status $status, '$err'"
grep -q "cannot open X display ':7391'" <<<"$err" || fail "varnex on a dead display said: $err"

# set-ip without a value to set: status 2 and one line. Were it to run, it would
# broadcast: only where the namespace keeps it in.
if [ ${#isolate[@]} -gt 0 ]; then
    run "$cli" set-ip 00-0A-1B-2C-3D-4E
    [ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "set-ip without values: status $status, '$err'"
fi
echo "PASS: help, version and the no-display line, with their exit statuses${isolate:+ (in a network namespace of their own)}"
