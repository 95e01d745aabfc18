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
API = ["controls/commctrl.h"]  # the controls' messages and records, header only
RULES = {
    "src/system": ["system/"],
    "src/framework": ["framework/", "system/"] + API,
    "src/controls": ["controls/", "framework/", "system/", "res/"],
    "res": ["res/", "framework/", "system/"] + API,
    "src/listctrl": ["listctrl/", "framework/", "system/", "res/", "controls/image_list.h", "controls/common_controls.h"]
    + API,
    "src/discovery": ["discovery/", "framework/", "system/", "res/"] + API,
    "src/commands": ["commands/", "discovery/", "framework/", "system/", "res/"] + API,
    "src/view": ["view/", "commands/", "discovery/", "listctrl/", "controls/", "framework/", "system/", "res/"],
    "src/app": ["app/", "view/", "commands/", "discovery/", "listctrl/", "controls/", "framework/", "system/", "res/"],
    "src/qt_host": ["qt_host/", "controls/", "framework/", "system/", "res/"],
    "src/qt_host/start": ["qt_host/start/", "system/"],
    "tools/varnex-cli": ["cli_", "commands/", "discovery/", "framework/", "system/", "res/"] + API,
    "tools/varnex-listdemo": ["demo_", "listctrl/", "controls/", "framework/", "system/", "res/"],
    "tools/varnex-sim": ["sim_", "commands/", "discovery/", "framework/", "system/", "res/"] + API,
}
# Files that start a program and may also reach the Qt host and Qt itself.
PROGRAM_MAINS = {"src/app/main.cpp": ["qt_host/"], "tools/varnex-listdemo/main.cpp": ["qt_host/"]}
QT_ALLOWED = ("src/qt_host/",) + tuple(PROGRAM_MAINS)
QT_FREE = ("src/qt_host/start/",)  # the command line, settled before Qt starts
# The device table: typed devices under the device protocol, for everything
# above it (cmake/layers.cmake gives the same links).
RULES["src/devices"] = ["devices/", "framework/", "system/", "res/"]
for _folder in ("src/discovery", "src/commands", "src/view", "src/app", "tools/varnex-cli", "tools/varnex-sim"):
    RULES[_folder] = RULES[_folder] + ["devices/"]

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
