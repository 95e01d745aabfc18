#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Installs every Debian package the build, the tests and the demo need.
# Safe to run again: it asks apt only for what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev python3 git
  qt6-base-dev qt6-qpa-plugins libgl-dev libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  iproute2 procps
  xvfb xauth x11-apps imagemagick poppler-utils fonts-wqy-microhei
  dpkg-dev fakeroot lintian desktop-file-utils appstream librsvg2-bin groff-base
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
