#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# "Address N devices" from the window in the test LAN (Qt's offscreen
# platform), its dialogs answered from a file: twenty simulated devices fresh
# from the factory, all answering from 192.168.0.100 outside the LAN's
# 10.77.0.0/24, are marked and their tips say they cannot be reached; the
# batch gives each a distinct address from 10.77.0.100, the search after it
# confirms every one, and the list then shows them there without a mark; the
# log of changes holds one line per device and no password; each simulated
# device got exactly one Modify IP, byte for byte the protocol's packet.
# Exits 77 (skip) without root or 'ip netns'.
set -euo pipefail

varnex=${1:?usage: batch_e2e_test.sh VARNEX VARNEX_SIM TESTLAN_SH}
sim=${2:?}
testlan=${3:?}

# shellcheck source=lan_test_common.sh
. "$(dirname "$0")/lan_test_common.sh"
require_test_lan
[ -x "$varnex" ] || fail "no varnex at $varnex"
[ -x "$sim" ] || fail "no simulator at $sim"

prefix=vb$$
pids=()
extra_cleanup='for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true'
start_test_lan "$testlan" "$prefix" 1

# VARNEX_BATCH_DEVICES tries more: up to 243, from 10.77.0.12 to the end of the /24.
count=${VARNEX_BATCH_DEVICES:-20}
[ "$count" -ge 4 ] && [ "$count" -le 243 ] || fail "VARNEX_BATCH_DEVICES: 4 to 243, not $count"
first=$((count <= 150 ? 100 : 12))
password=s1te-p4s
for k in $(seq 1 $count); do
    printf 'name=Cam-%03d ip=192.168.0.100 mask=255.255.255.0 gateway=0.0.0.0 mac=00-0A-1B-2C-3D-%02X version=1.20 model=31 password=%s\n' \
        "$k" "$k" "$password"
done >"$work/devices.txt"
log=$work/sim.log
"$testlan" exec --prefix "$prefix" dev1 -- "$sim" --devices "$work/devices.txt" --log "$log" 2>"$work/sim.err" &
pids+=($!)
wait_listening dev1 36 "${pids[0]}" "$work/sim.err"

# The window with all rows selected and Modify IP chosen; the report is
# written once the last dialog answer has been used (150 s at the latest).
run_window() {
    local name=$1
    mkdir -p "$work/cfg-$name"
    "$testlan" exec --prefix "$prefix" app -- env QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$work/state" \
        XDG_CONFIG_HOME="$work/cfg-$name" XDG_RUNTIME_DIR="$work" VARNEX_DIALOG_ANSWERS="$work/answers-$name.txt" \
        VARNEX_UI_LOG="$work/ui-$name.log" "$varnex" --select 0-$((count - 1)) --command 32780 \
        --report "$work/report-$name.txt" --report-when-answered --report-after 150000 \
        >"$work/out-$name.txt" 2>&1 || fail "varnex ($name) ended with an error: $(cat "$work/out-$name.txt")"
}
rows_of() { grep -c $'^row\t' "$1"; }

# --- before: twenty devices at one address outside the subnet ----------------
echo "170 Cancel" >"$work/answers-before.txt"
run_window before
report=$work/report-before.txt
grep -qx "Dialog|170|Cancel" "$work/ui-before.log" || fail "no Address dialog: $(cat "$work/ui-before.log")"
[ "$(rows_of "$report")" -eq $count ] || fail "expected $count rows: $(cat "$report")"
[ "$(grep -c $'^row\tCam-[0-9]*\t192\\.168\\.0\\.100\t' "$report")" -eq $count ] || fail "rows: $(cat "$report")"
# Each row carries the shared-address mark, which wins over the unreachable one; the tip names both.
[ "$(grep -c $'^overlay\t[0-9]*\t1$' "$report")" -eq $count ] || fail "marks: $(grep overlay "$report")"
[ "$(grep -c "192.168.0.100 is outside eth0's 10.77.0.0/24: this computer cannot reach it directly" "$report")" \
    -eq $count ] || fail "tips: $(grep $'^tip\t' "$report")"
lines_before=$(wc -l <"$log")

# --- Address 20 devices from 10.77.0.100 ---------------------------------------
{
    echo "# Address $count devices: start, mask, no gateway, the password; the progress runs; the results close"
    echo "170 OK 1010=10.77.0.$first 1011=255.255.255.0 1012= 1013=$password"
    echo "171 Wait"
    echo "172 OK"
} >"$work/answers-batch.txt"
run_window batch
report=$work/report-batch.txt
for line in "Dialog|170|OK" "Dialog|171|Wait" "Dialog|171|Ended|1" "Dialog|172|OK"; do
    grep -qxF "$line" "$work/ui-batch.log" || fail "not in the window's log: $line; it has:"$'\n'"$(cat "$work/ui-batch.log")"
done
[ "$(rows_of "$report")" -eq $count ] || fail "expected $count rows after the batch: $(cat "$report")"
# Distinct addresses from .100, in the order of the rows (the names' order among equal addresses).
for k in $(seq 1 $count); do
    row=$(printf 'row\tCam-%03d\t10.77.0.%d\t255.255.255.0\t0.0.0.0\t00-0A-1B-2C-3D-%02X\t1.20' "$k" $((first - 1 + k)) "$k")
    grep -qxF "$row" "$report" || fail "missing after the batch: $row"$'\n'"$(grep $'^row\t' "$report")"
    grep -qF "$(printf 'Confirmed: 00-0A-1B-2C-3D-%02X answers at 10.77.0.%d mask 255.255.255.0 gateway 0.0.0.0 on eth0' \
        "$k" $((first - 1 + k)))" "$report" || fail "Cam-$k not confirmed: $(grep $'^tip\t' "$report")"
done
! grep -q $'^overlay\t' "$report" || fail "rows still marked after the batch: $(grep overlay "$report")"
! grep -q "cannot reach it directly" "$report" || fail "rows still unreachable: $(grep $'^tip\t' "$report")"
# The pane names the unconfirmed first: a pane that begins with a confirmation has none.
grep -q "^pane0"$'\t'"Confirmed: .* (+$((count - 3)))\$" "$report" || fail "the pane: $(grep pane0 "$report")"

# --- the log of changes and the simulators' log --------------------------------
changes=$work/state/varnex/commands.log
[ "$(wc -l <"$changes")" -eq $count ] || fail "the log of changes has $(wc -l <"$changes") lines: $(cat "$changes")"
[ "$(grep -c '"program": "varnex", "interface": "eth0", "mac": "00-0A-1B-2C-3D-[0-9A-F]*", "command": "set-ip"' \
    "$changes")" -eq $count ] || fail "log of changes: $(cat "$changes")"
! grep -q "$password" "$changes" || fail "the password is in the log of changes"
log_settled "$log"
commands=$(tail -n +"$((lines_before + 1))" "$log" | grep -v -e ' probe (' -e " $MARK_HEX" || true)
[ "$(printf '%s\n' "$commands" | grep -c .)" -eq $count ] || fail "the simulators logged:"$'\n'"$commands"
zeros() { printf '0%.0s' $(seq 1 "$1"); }
for k in $(seq 1 $count); do
    mac=$(printf '000a1b2c3d%02x' "$k")
    packet="515a523a$(printf '0a4d00%02x' $((first - 1 + k)))ffffff00${mac}$(zeros 34)00000000000000$(printf '*%.0s' $(seq 1 16))0000"
    [ "$(printf '%s\n' "$commands" | grep -cF " len=52 $packet applied set-ip to $(printf '00-0A-1B-2C-3D-%02X' "$k") ")" \
        -eq 1 ] || fail "device $k did not get its packet once:"$'\n'"$packet"$'\n'"$commands"
done
echo "batch_e2e: passed"
