# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# The project's one build configuration, shared by the demo, the tests, the
# package and CI: Ninja, RelWithDebInfo, warnings as errors. Sourced by the
# scripts.

BUILD_OPTIONS=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEX_WERROR=ON)

# configure_build DIR: configures DIR with BUILD_OPTIONS unless it is configured
# already; a folder set up another way (a plain 'cmake -B build', other
# options, another generator) is built as it is rather than reconfigured,
# which would rebuild everything or fail on the generator.
configure_build() {
    local dir=$1
    if [ -f "$dir/CMakeCache.txt" ]; then
        echo "build: using $dir as it is configured"
        return 0
    fi
    cmake -S . -B "$dir" "${BUILD_OPTIONS[@]}" >/dev/null
}
