#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Checks that every tracked C++ file keeps the repository's .clang-format style.
# Prints the places that differ and exits 1 when there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "check-format: every C++ file keeps the style"
