#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
"""Writes a program's manual page from its own --help and --version, so that
the page says what the program says and follows it without editing.

    help2roff.py --program PATH --name NAME --summary TEXT --out FILE.1.gz
                 [--commands] [--see-also NAME ...]

--commands: the program has subcommands, listed in its help's "Commands:"
section; each one's "NAME COMMAND --help" becomes a subsection of COMMANDS.
The page is written gzip-compressed with no time stamp, so that the same help
gives the same bytes."""
import argparse
import gzip
import re
import subprocess
import sys

from isolated import isolated

# A term at two blanks' indent: an option, a command, a variable; its text
# follows after two or more blanks or on the lines below, indented further.
TERM = re.compile(r"^  (\S.*?)(?:\s{2,}(\S.*))?$")
HEADING = re.compile(r"^(\S.*):$")


def run(program, *args):
    done = subprocess.run(isolated([program, *args]), capture_output=True, text=True, check=False)
    if done.returncode != 0:
        sys.exit(f"help2roff: '{program} {' '.join(args)}' ended with status {done.returncode}: {done.stderr}")
    return done.stdout


def esc(text):
    """Text as roff shows it literally: backslashes, minus signs, leading dots."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def usage_block(lines):
    out = [".nf"]
    out += [esc(re.sub(r"^(Usage: |       )", "", line)) for line in lines]
    out.append(".fi")
    return out


def is_term(lines, i):
    match = TERM.match(lines[i])
    if not match:
        return None
    follows = i + 1 < len(lines) and lines[i + 1].startswith("    ")
    return match if match.group(2) or follows else None


def body(lines):
    """Help text below its usage lines: headings, terms with their text,
    examples kept as they are, paragraphs."""
    out = []
    i = 0
    block_start = True
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            block_start = True
            i += 1
            continue
        term = is_term(lines, i)
        if block_start and HEADING.match(line):
            out.append(".SS " + esc(HEADING.match(line).group(1)))
            i += 1
        elif term:
            text = [term.group(2)] if term.group(2) else []
            i += 1
            while i < len(lines) and lines[i].startswith("    "):
                text.append(lines[i].strip())
                i += 1
            out += [".TP", "\\fB" + esc(term.group(1).rstrip()) + "\\fR"]
            out += [esc(t) for t in text]
        elif line.startswith(" "):
            # Indented lines that are no term (examples): as they are.
            out += [".PP", ".nf"]
            while i < len(lines) and lines[i].startswith(" ") and not is_term(lines, i):
                out.append(esc(lines[i]))
                i += 1
            out.append(".fi")
        else:
            out.append(".PP")
            while i < len(lines) and lines[i].strip() and not lines[i].startswith(" "):
                out.append(esc(lines[i]))
                i += 1
        block_start = False
    return out


def split_usage(text):
    lines = text.rstrip("\n").split("\n")
    n = 0
    while n < len(lines) and (lines[n].startswith("Usage: ") or (n > 0 and lines[n].startswith("       "))):
        n += 1
    return lines[:n], lines[n:]


def commands_of(help_lines):
    """The subcommands listed in the "Commands:" section, in order."""
    names, inside = [], False
    for line in help_lines:
        if HEADING.match(line):
            inside = line == "Commands:"
            continue
        match = re.match(r"^  ([a-z][a-z-]*)\b", line)
        if inside and match:
            names.append(match.group(1))
        elif inside and not line.strip():
            break
    return names


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--name", required=True)
    parser.add_argument("--summary", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--commands", action="store_true")
    parser.add_argument("--see-also", nargs="*", default=[])
    a = parser.parse_args()

    version = run(a.program, "--version").strip().split()[-1]
    usage, rest = split_usage(run(a.program, "--help"))
    page = [
        f'.TH {esc(a.name.upper())} 1 "" "{esc(a.name)} {esc(version)}" "User Commands"',
        ".SH NAME",
        f"{esc(a.name)} \\- {esc(a.summary)}",
        ".SH SYNOPSIS",
        *usage_block(usage),
        ".SH DESCRIPTION",
        *body(rest),
    ]
    if a.commands:
        page.append(".SH COMMANDS")
        for command in commands_of(rest):
            sub_usage, sub_rest = split_usage(run(a.program, command, "--help"))
            page += [".SS " + esc(command), *usage_block(sub_usage), *body(sub_rest)]
    if a.see_also:
        page += [".SH SEE ALSO", ", ".join(f"\\fB{esc(n)}\\fR(1)" for n in a.see_also)]
    text = "\n".join(page) + "\n"
    with open(a.out, "wb") as f:
        with gzip.GzipFile(filename="", mode="wb", fileobj=f, mtime=0, compresslevel=9) as z:
            z.write(text.encode("utf-8"))


if __name__ == "__main__":
    main()
