#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# --help and --version of the three programs (also when their output cannot be
# written), unknown options, and the desktop program without a display or a
# platform: exact lines and exit statuses. None of these opens the network: the
# desktop program settles them before Qt and its application start. Still they
# run in a network namespace of their own, with no way out; where none can be
# made the test is skipped (77).
set -euo pipefail
varnex=${1:?usage: program_options_test.sh VARNEX VARNEX_CLI VARNEX_SIM README}
cli=${2:?}
sim=${3:?}
readme=${4:?}
fail() { echo "FAIL: $*" >&2; exit 1; }

if unshare --net true 2>/dev/null; then
    isolate=(unshare --net)
elif unshare --map-root-user --net true 2>/dev/null; then
    isolate=(unshare --map-root-user --net)
else
    echo "SKIP: no network namespace can be made here"
    exit 77
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

run "$cli" --version
version=$(sed -n 's/^varnex-cli \([0-9][0-9.]*\)$/\1/p' <<<"$out")
[ -n "$version" ] || fail "varnex-cli --version: $out"

for program in "$varnex" "$cli" "$sim"; do
    name=$(basename "$program")
    run "$program" --version
    [ "$status" -eq 0 ] && [ "$out" = "$name $version" ] && [ -z "$err" ] ||
        fail "$name --version: status $status, out '$out', err '$err'"
    run "$program" --help
    [ "$status" -eq 0 ] && [ -z "$err" ] || fail "$name --help: status $status, err '$err'"
    grep -q "^Usage: $name " <<<"$out" || fail "$name --help: $out"
    grep -q -- "--version" <<<"$out" || fail "$name --help does not name --version"
    # Output that cannot be written is a failure, said on stderr.
    for request in --help --version; do
        status=0
        "${isolate[@]}" "$program" "$request" >/dev/full 2>"$work/err" </dev/null || status=$?
        [ "$status" -eq 1 ] && grep -q "^$name: cannot write to standard output" "$work/err" ||
            fail "$name $request >/dev/full: status $status, '$(cat "$work/err")'"
    done
    run "$program" --bogus
    [ "$status" -eq 2 ] && grep -q "unknown option '--bogus'" <<<"$err" && [ -z "$out" ] ||
        fail "$name --bogus: status $status, '$err'"
done

# Every option the README gives the desktop program is in its help.
run "$varnex" --help
for option in $(sed -n '/^## Unattended runs/,/^## /p' "$readme" | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -- "$option\b" <<<"$out" || fail "varnex --help lacks $option, which the README documents"
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

# A Wayland display with no compositor behind it, and a platform Qt does not
# have: the same kind of line, status 1 (Qt aborted with status 134).
run env WAYLAND_DISPLAY=wayland-7391 XDG_RUNTIME_DIR="$work" "$varnex"
[ "$status" -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q "^varnex: no display: " <<<"$err" ||
    fail "varnex on a dead Wayland display: status $status, '$err'"
run "$varnex" -platform bogus
[ "$status" -eq 1 ] && [ "$err" = "${err#*$'\n'}" ] &&
    grep -q "^varnex: cannot start: Qt has no platform plugin 'bogus' (there are: .*offscreen" <<<"$err" ||
    fail "varnex -platform bogus: status $status, '$err'"

# set-ip without a value to set: status 2 and one line. Were it to run, it would
# broadcast: only where the namespace keeps it in.
run "$cli" set-ip 00-0A-1B-2C-3D-4E
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "set-ip without values: status $status, '$err'"
echo "PASS: help, version, unknown options and the no-display lines, with their exit statuses"
