#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
"""Checks the layers of cmake/layers.json by what the files include: each
file may include only the prefixes of its entry, and only entries with "qt"
include Qt. Also checks that README.md's layout table names the same folders,
libraries and uses as the table. Run by CTest; prints every broken rule and
exits 1 when there is one.
    check_layers.py SOURCE_DIR            check
    check_layers.py SOURCE_DIR --graph    print what each library and program links"""
import json
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
QT_HEADER = re.compile(r"^(Q[A-Za-z]|qt[a-z]|Qt[A-Z]|qpa/)")
CODE_NAME = re.compile(r"`([^`]+)`")


def entries(table):
    return table["libraries"] + table["programs"]


def places(entry):
    """The folders and files an entry's rule covers."""
    return entry.get("dirs", []) + entry.get("recurse", []) + ([entry["main"]] if "main" in entry else [])


def entry_for(rel, table):
    """The entry of the deepest folder holding `rel`; a program's main is its own."""
    best, best_place = None, ""
    for entry in entries(table):
        for place in places(entry):
            if (rel == place or rel.startswith(place + "/")) and len(place) > len(best_place):
                best, best_place = entry, place
    return best


def include_problems(root, table):
    problems = []
    for path in sorted(root.rglob("*")):
        rel = path.relative_to(root).as_posix()
        if path.suffix not in (".h", ".cpp") or any(p.startswith("build") for p in path.relative_to(root).parts):
            continue
        entry = entry_for(rel, table)
        if entry is None:
            continue
        for kind, name in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if kind == "<":
                if QT_HEADER.match(name) and not entry["qt"]:
                    problems.append(f"{rel}: includes Qt (<{name}>), but {entry['name']} is not a Qt layer")
            elif not any(name.startswith(prefix) for prefix in entry["includes"]):
                allowed = ", ".join(entry["includes"])
                problems.append(f'{rel}: includes "{name}", outside what {entry["name"]} may use ({allowed})')
    return problems


def readme_rows(readme):
    """Layout rows that name a library or program: name -> (folders, may use)."""
    section = readme.split("## Layout", 1)[-1].split("\n## ", 1)[0]
    rows = {}
    for line in section.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) < 4 or not CODE_NAME.search(cells[1]):
            continue
        uses = re.sub(r"\(.*?\)", "", cells[3])  # a note in parentheses is free text
        uses = [] if uses.strip() == "nothing of ours" else [u.strip() for u in uses.split(",") if u.strip()]
        rows[CODE_NAME.search(cells[1]).group(1)] = (sorted(CODE_NAME.findall(cells[0])), sorted(uses))
    return rows


def readme_problems(readme, table):
    expected = {
        e["name"]: (sorted(e.get("dirs", []) + e.get("recurse", [])), sorted(u.removeprefix("varnex_") for u in e["uses"]))
        for e in entries(table)
        if e.get("dirs") or e.get("recurse")
    }
    rows = readme_rows(readme)
    problems = []
    for name in sorted(expected.keys() | rows.keys()):
        if name not in rows:
            problems.append(f"README.md: the layout table has no row for {name} ({', '.join(expected[name][0])})")
        elif name not in expected:
            problems.append(f"README.md: the layout table names {name}, which cmake/layers.json does not build")
        elif rows[name] != expected[name]:
            folders, uses = expected[name]
            problems.append(f"README.md: the row of {name} should say folders {folders} and may use {uses}")
    return problems


def graph(table):
    for e in entries(table):
        flags = " ".join(flag for flag in ("window", "qt") if e[flag])
        links = ", ".join(e["uses"] + e.get("external", []) + e.get("optional", [])) or "nothing"
        print(f"{e['name']}: {links}" + (f"  [{flags}]" if flags else ""))


def main(args):
    root = pathlib.Path(args[0] if args and not args[0].startswith("--") else ".").resolve()
    table = json.loads((root / "cmake/layers.json").read_text(encoding="utf-8"))
    if "--graph" in args:
        graph(table)
        return 0
    problems = include_problems(root, table) + readme_problems((root / "README.md").read_text(encoding="utf-8"), table)
    for p in problems:
        print(p)
    if problems:
        print(f"check_layers: {len(problems)} problem(s); the rule is cmake/layers.json")
        return 1
    print("check_layers: every include keeps to its layer, and README.md's layout table agrees")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
