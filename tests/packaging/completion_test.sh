#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# The bash completion of varnex-cli offers every command and every option that
# the program's --help names, the values of --format, and nothing in place of
# a value the user must type.
set -euo pipefail
completion=${1:?usage: completion_test.sh COMPLETION VARNEX_CLI}
cli=${2:?usage: completion_test.sh COMPLETION VARNEX_CLI}

# shellcheck source=/dev/null
. "$completion"
fail() { echo "FAIL: $*" >&2; exit 1; }

# The program runs in a network namespace of its own: a fault in its option
# parsing must not reach the machine's network.
if unshare --net true 2>/dev/null; then
    isolate=(unshare --net)
elif unshare --map-root-user --net true 2>/dev/null; then
    isolate=(unshare --map-root-user --net)
else
    echo "SKIP: no network namespace can be made here"
    exit 77
fi

# Completions for the words given; the last word is the one being completed.
complete_words() {
    COMP_WORDS=(varnex-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _varnex_cli
    printf '%s\n' "${COMPREPLY[@]}"
}

has() {  # word, list
    grep -qx -- "$1" <<<"$2"
}

commands=$(complete_words "")
for c in discover set-ip set-mac reset update-firmware web watch --help --version; do
    has "$c" "$commands" || fail "no '$c' at the command's place: $commands"
done
# Each command named in the help's list is offered.
for c in $("${isolate[@]}" "$cli" --help | sed -n '/^Commands:/,/^$/p' | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p'); do
    has "$c" "$commands" || fail "the help's command '$c' is not completed"
done

for c in discover set-ip set-mac reset update-firmware web apply watch; do
    offered=$(complete_words "$c" "--")
    for option in $("${isolate[@]}" "$cli" "$c" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        has "$option" "$offered" || fail "$c: '$option' is in the help but not completed: $offered"
    done
done
has --max-wait "$(complete_words discover --)" || fail "discover: no --max-wait"
has --with-model "$(complete_words discover --w)" || fail "discover: --w does not give --with-model"
[ "$(complete_words discover --format "")" = $'table\ncsv\njson' ] || fail "--format values"
[ "$(complete_words discover --format c)" = csv ] || fail "--format c"
[ "$(complete_words watch --format "")" = $'text\njson' ] || fail "watch --format values"
[ -z "$(complete_words watch --interval "")" ] || fail "--interval offered a value"
[ -z "$(complete_words set-ip 00-0A-1B-2C-3D-4E --ip "")" ] || fail "--ip offered a value"
has --password-stdin "$(complete_words reset 00-0A-1B-2C-3D-4E --pa)" || fail "reset: --password-stdin"
! has --with-model "$(complete_words set-ip --)" || fail "set-ip offers discover's --with-model"
# --interface takes all or a name of this machine's interfaces, never loopback.
for c in discover reset web; do
    has --interface "$(complete_words "$c" --in)" || fail "$c: --in does not give --interface"
done
interfaces=$(complete_words discover --interface "")
has all "$interfaces" || fail "--interface does not offer all: $interfaces"
! has lo "$interfaces" || fail "--interface offers loopback: $interfaces"
[ "$(complete_words discover --interface al)" = all ] || fail "--interface al"
echo "PASS: the completion offers what varnex-cli's help names"
