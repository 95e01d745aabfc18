#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
"""The manual pages say what the programs' --help says: every option each help
names (for varnex-cli, each command's help too) is on the page, the page's
version is the program's, and groff renders it without a warning.
    check_man_pages.py MAN_DIR VARNEX VARNEX_CLI VARNEX_SIM"""
import gzip
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging"))
from isolated import isolated  # noqa: E402

OPTION = re.compile(r"--[a-z][a-z-]*")


def run(*args):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run(isolated(args), capture_output=True, text=True, check=True, env=env).stdout


def helps(program):
    text = run(program, "--help")
    yield text
    if os.path.basename(program) == "varnex-cli":
        commands = re.findall(r"^  ([a-z][a-z-]*)\b", text.split("Commands:\n", 1)[1].split("\n\n", 1)[0], re.M)
        assert commands, "no commands in varnex-cli --help"
        for command in commands:
            yield run(program, command, "--help")


def main(man_dir, programs):
    problems = []
    for program in programs:
        name = os.path.basename(program)
        path = os.path.join(man_dir, name + ".1.gz")
        if not os.path.exists(path):
            problems.append(f"{name}: no manual page at {path}")
            continue
        roff = gzip.open(path, "rt", encoding="utf-8").read()
        plain = roff.replace("\\-", "-").replace("\\e", "\\")
        version = run(program, "--version").split()[-1]
        if not re.search(rf'^\.TH {re.escape(name.upper())} 1 "[^"]*" "{re.escape(name)} {re.escape(version)}"',
                         plain, re.M):
            problems.append(f"{name}: the page's .TH line does not carry version {version}")
        for text in helps(program):
            for option in sorted(set(OPTION.findall(text))):
                if not re.search(re.escape(option) + r"(?![a-z-])", plain):
                    problems.append(f"{name}: {option} is in --help but not on the page")
            # Each help's first description line reaches the page as well.
            first = text.split("\n")[1 if not text.split("\n")[1].startswith(" ") else 2]
            if first.strip() and first.strip() not in plain:
                problems.append(f"{name}: the help's line '{first.strip()}' is not on the page")
        # A page tells only what the installed package holds: no file of the source tree.
        for leak in sorted(set(re.findall(r"\bscripts/[\w.-]+", plain))):
            problems.append(f"{name}: the page points to {leak}, which is not installed")
        if shutil.which("groff"):
            render = subprocess.run(["groff", "-man", "-Tutf8", "-ww", "-z"], input=roff, capture_output=True,
                                    text=True)
            if render.returncode != 0 or render.stderr.strip():
                problems.append(f"{name}: groff warns: {render.stderr.strip()}")
    for p in problems:
        print(p)
    if problems:
        print(f"check_man_pages: {len(problems)} problem(s); the pages are made from --help at build time "
              "(packaging/help2roff.py)")
        return 1
    print("check_man_pages: every page carries its program's help and version")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
