#!/usr/bin/env bash
# Checks or adds the licence lines at the top of every source file:
#   SPDX-License-Identifier: MIT
#   SPDX-FileCopyrightText: The Varnex developers
# in the file's own comment style, after a "#!" line if there is one.
#   scripts/spdx.sh --check   lists the files without them; exit 1 if any
#   scripts/spdx.sh --fix     adds them where they are missing
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case $mode in --check|--fix) ;; *) echo "usage: scripts/spdx.sh --check|--fix" >&2; exit 2 ;; esac

licence="SPDX-License-Identifier: MIT"
owner="SPDX-FileCopyrightText: The Varnex developers"

# Source files: the code, the scripts and the build files; in a checkout, the
# ones git knows, so that build folders never count.
list_files() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files --cached --others --exclude-standard
    else
        find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's|^\./||'
    fi | grep -E '(\.(cpp|h|py|sh|cmake)|(^|/)CMakeLists\.txt|^\.ci/run|^data/completion/[^/]+)$' | sort
}

comment_for() {
    case $1 in
        *.cpp|*.h) echo "//" ;;
        *) echo "#" ;;
    esac
}

missing=()
while IFS= read -r file; do
    [ -f "$file" ] || continue
    head -n 3 "$file" | grep -q "$licence" && head -n 4 "$file" | grep -q "$owner" && continue
    missing+=("$file")
done < <(list_files)

if [ "$mode" = --check ]; then
    if [ ${#missing[@]} -eq 0 ]; then
        echo "spdx: every source file names its licence"
        exit 0
    fi
    printf '%s\n' "${missing[@]}"
    echo "spdx: ${#missing[@]} file(s) without the SPDX lines; run scripts/spdx.sh --fix" >&2
    exit 1
fi

for file in "${missing[@]}"; do
    c=$(comment_for "$file")
    tmp=$(mktemp)
    {
        if head -n 1 "$file" | grep -q '^#!'; then
            head -n 1 "$file"
            printf '%s %s\n%s %s\n' "$c" "$licence" "$c" "$owner"
            tail -n +2 "$file"
        else
            printf '%s %s\n%s %s\n' "$c" "$licence" "$c" "$owner"
            cat "$file"
        fi
    } >"$tmp"
    chmod --reference="$file" "$tmp"
    mv "$tmp" "$file"
done
echo "spdx: added the SPDX lines to ${#missing[@]} file(s)"
