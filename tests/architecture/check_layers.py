#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
"""Checks the layers by their includes: each folder may include only the
layers below it, and only the Qt host and the desktop program's main include
Qt. Run by CTest; prints every broken rule and exits 1 when there is one.
    check_layers.py SOURCE_DIR"""
import pathlib
import re
import sys

# Folder (relative to the source tree) -> include prefixes it may use.
RULES = {
    "src/system": ["system/"],
    "src/framework": ["framework/", "system/"],
    "src/controls": ["controls/", "framework/", "system/", "res/"],
    "res": ["res/", "framework/", "system/"],
    "res/text": ["res/text/", "system/"],
    "src/listctrl": ["listctrl/", "framework/", "system/", "res/", "controls/image_list.h", "controls/common_controls.h"],
    "src/devices": ["devices/", "system/", "res/text/"],
    "src/discovery": ["discovery/", "devices/", "system/", "res/text/"],
    "src/commands": ["commands/", "discovery/", "system/", "res/text/"],
    "src/dialogs": ["dialogs/", "commands/", "discovery/", "framework/", "system/", "res/"],
    "src/view": ["view/", "dialogs/", "commands/", "devices/", "discovery/", "listctrl/", "controls/", "framework/", "system/", "res/"],
    "src/app": ["app/", "view/", "dialogs/", "commands/", "devices/", "discovery/", "listctrl/", "controls/", "framework/", "system/", "res/"],
    "src/qt_host": ["qt_host/", "controls/", "framework/", "system/", "res/"],
    "src/qt_host/start": ["qt_host/start/", "system/"],
    "tools/varnex-cli": ["cli_", "commands/", "devices/", "discovery/", "system/", "res/text/"],
    "tools/varnex-listdemo": ["demo_", "listctrl/", "controls/", "framework/", "system/", "res/"],
    "tools/varnex-sim": ["sim_", "commands/", "devices/", "discovery/", "system/", "res/text/"],
}
# Files that start a program and may also reach the Qt host and Qt itself.
PROGRAM_MAINS = {"src/app/main.cpp": ["qt_host/"], "tools/varnex-listdemo/main.cpp": ["qt_host/"]}
QT_ALLOWED = ("src/qt_host/",) + tuple(PROGRAM_MAINS)
QT_FREE = ("src/qt_host/start/",)  # the command line, settled before Qt starts

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
QT_HEADER = re.compile(r"^(Q[A-Za-z]|qt[a-z]|Qt[A-Z]|qpa/)")


def rule_for(rel):
    best = None
    for folder in RULES:
        if rel.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def main(root):
    problems = []
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or any(p.startswith("build") for p in path.relative_to(root).parts):
            continue
        rel = path.relative_to(root).as_posix()
        folder = rule_for(rel)
        text = path.read_text(encoding="utf-8", errors="replace")
        for kind, name in INCLUDE.findall(text):
            if kind == "<":
                if folder is not None and QT_HEADER.match(name) and (not rel.startswith(QT_ALLOWED) or rel.startswith(QT_FREE)):
                    problems.append(f"{rel}: includes Qt (<{name}>); only the Qt host knows Qt")
                continue
            if folder is None:
                continue
            allowed = RULES[folder] + PROGRAM_MAINS.get(rel, [])
            if not any(name.startswith(prefix) or name == prefix for prefix in allowed):
                problems.append(f'{rel}: includes "{name}", outside what {folder}/ may use ({", ".join(allowed)})')
    for p in problems:
        print(p)
    if problems:
        print(f"check_layers: {len(problems)} include(s) break the layers; see the layout in README.md")
        return 1
    print("check_layers: every include keeps to its layer")
    return 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()))
