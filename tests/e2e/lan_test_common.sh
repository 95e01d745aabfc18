# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Shared by the end-to-end tests: the skip and fail conventions, the checks
# that the test LAN can be made here, and making it with a prefix of its own.
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
