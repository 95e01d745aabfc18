#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
"""The desktop entry, the AppStream metadata and the icons agree with each other
and with the build: the entry starts the installed program with the icon that
was made, the metadata's id and launchable name the entry, its newest release
is the version the program prints, and a PNG of every size was written.
    check_desktop_metadata.py SOURCE_DIR ICON_DIR VARNEX"""
import configparser
import os
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging"))
from isolated import isolated  # noqa: E402

APP_ID = "org.varnex.Varnex"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def main(source, icons, varnex):
    problems = []
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(os.path.join(source, "data", APP_ID + ".desktop"), encoding="utf-8")
    e = entry["Desktop Entry"]
    if e.get("Exec") != os.path.basename(varnex):
        problems.append(f"Exec={e.get('Exec')}, the program is {os.path.basename(varnex)}")
    if e.get("Categories") != "Network;Utility;":
        problems.append(f"Categories={e.get('Categories')}")
    keywords = [k for k in e.get("Keywords", "").split(";") if k]
    for word in ("network", "IP", "MAC", "discover", "firmware"):
        if word not in keywords:
            problems.append(f"Keywords lacks '{word}'")
    icon = e.get("Icon")
    for size in SIZES:
        path = os.path.join(icons, "hicolor", f"{size}x{size}", "apps", f"{icon}.png")
        if not os.path.exists(path) or png_size(path) != (size, size):
            problems.append(f"no {size}x{size} PNG of icon '{icon}' at {path}")
    svg = os.path.join(icons, "hicolor", "scalable", "apps", f"{icon}.svg")
    try:
        root = ET.parse(svg).getroot()
        if root.tag != "{http://www.w3.org/2000/svg}svg" or len(root) == 0:
            problems.append(f"{svg} is no SVG with shapes")
    except (OSError, ET.ParseError) as error:
        problems.append(f"{svg}: {error}")

    meta = ET.parse(os.path.join(source, "data", APP_ID + ".metainfo.xml")).getroot()
    if meta.findtext("id") != APP_ID:
        problems.append(f"metainfo id {meta.findtext('id')}")
    if meta.findtext("launchable") != APP_ID + ".desktop":
        problems.append(f"metainfo launchable {meta.findtext('launchable')}")
    version = subprocess.run(isolated([varnex, "--version"]), capture_output=True, text=True, check=True,
                             env=dict(os.environ, QT_QPA_PLATFORM="offscreen")).stdout.split()[-1]
    releases = meta.findall("releases/release")
    if not releases or releases[0].get("version") != version:
        problems.append(f"the newest release in the metainfo is not {version}: add a <release> for it")
    if not meta.findtext("screenshots/screenshot/caption"):
        problems.append("the screenshot has no caption")
    binaries = {b.text for b in meta.findall("provides/binary")}
    if binaries != {"varnex", "varnex-cli", "varnex-sim"}:
        problems.append(f"provides {sorted(binaries)}")

    for p in problems:
        print(p)
    if problems:
        print(f"check_desktop_metadata: {len(problems)} problem(s)")
        return 1
    print("check_desktop_metadata: entry, metadata and icons agree with the build")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
