#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# An unattended run of the desktop program ends with its report whatever it
# was saying: a folder given as the document fails the start with a message
# box, which is answered (no VARNEX_AUTO_ANSWER is set), and the report holds
# the message; the status is 1 and no setting is saved. Runs without any
# network (unshare -n). Exits 77 (skip) without root.
set -euo pipefail

varnex=${1:?usage: report_e2e_test.sh VARNEX}

# shellcheck source=lan_test_common.sh
. "$(dirname "$0")/lan_test_common.sh"
[ "$(id -u)" -eq 0 ] || skip "needs root for unshare -n"
unshare -n true 2>/dev/null || skip "unshare -n is not available here"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/folder" "$work/cfg"

status=0
timeout 60 unshare -n env -u VARNEX_AUTO_ANSWER -u VARNEX_DIALOG_ANSWERS QT_QPA_PLATFORM=offscreen \
    XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/cfg" XDG_RUNTIME_DIR="$work" \
    "$varnex" --report "$work/report.txt" --report-after 1000 "$work/folder" >"$work/out.txt" 2>&1 || status=$?
[ "$status" -ne 124 ] || fail "the message box held the run past its report"
[ "$status" -eq 1 ] || fail "exit status $status: $(cat "$work/out.txt")"
grep -qxF "message	Failed to open document '$work/folder': it is a folder." "$work/report.txt" ||
    fail "the report lacks the message: $(cat "$work/report.txt" 2>/dev/null)"
[ -z "$(find "$work/cfg" -type f)" ] || fail "a failed start saved settings: $(find "$work/cfg" -type f)"
echo "PASS"
