#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# Builds the Debian package from a build folder and checks what it installs:
#   scripts/package.sh [BUILD_DIR]     (default: build, as scripts/test.sh leaves it)
# Runs cpack -G DEB, lists the package, and runs lintian --pedantic (no errors
# and no hardening tags allowed), desktop-file-validate and appstreamcli
# validate on the files it installs; the scalable icon must render like the
# PNG drawn at 256 pixels. The package lands
# in the build folder as varnex_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/build.sh
scripts/install-deps.sh
build=${1:-build}

configure_build "$build"
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/varnex_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/varnex_*.deb)
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"

status=0
echo "== lintian --pedantic --display-info"
# Errors fail the run, and so does a program not built hardened; other
# warnings are shown for the record.
lintian --pedantic --display-info --tag-display-limit 0 --fail-on error "$deb" | tee "$work/lintian.txt" || status=1
if grep -q "hardening-" "$work/lintian.txt"; then
    echo "the programs are not built hardened (cmake/hardening.cmake)" >&2
    status=1
fi
echo "== desktop-file-validate"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop || status=1
echo "== appstreamcli validate"
appstreamcli validate --no-net --explain "$work"/root/usr/share/metainfo/*.metainfo.xml || status=1

echo "== scalable icon against the 256-pixel PNG"
icons=$work/root/usr/share/icons/hicolor
rsvg-convert -w 256 -h 256 "$icons/scalable/apps/varnex.svg" -o "$work/svg.png"
rmse=$( (compare -metric RMSE "$work/svg.png" "$icons/256x256/apps/varnex.png" null: 2>&1 || true) |
    sed -n 's/.*(\(.*\))/\1/p')
echo "RMSE $rmse"
awk -v e="$rmse" 'BEGIN { exit !(e != "" && e < 0.02) }' || { echo "the SVG and the PNG differ" >&2; status=1; }

[ "$status" -eq 0 ] && echo "package: $(basename "$deb") passes lintian and the validators"
exit "$status"
