// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the desktop program settles before Qt starts: its help and version, and
// whether there is a display to start on. Nothing of the program runs, and
// nothing goes on the wire, before these are settled.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct ProgramInfo {
    std::string name;    // as typed: "varnex"
    std::string version; // "1.20"
    std::string summary; // one or more lines for the help, each ending in '\n'
};

enum class StartAction { kRun, kHelp, kVersion };

// args without the program name. --help (-h) and --version are read anywhere
// before "--"; the values of the options that take one are skipped.
StartAction ReadStartOptions(const std::vector<std::string>& args);

std::string StartHelp(const ProgramInfo& info);
std::string StartVersion(const ProgramInfo& info);

// The one line to print when Qt would find no display to start on, else empty.
// env reads an environment variable (nullptr when unset); canOpenX tells
// whether the X display of that name answers (nullptr: not asked).
std::string NoDisplayReason(const std::vector<std::string>& args, const std::function<const char*(const char*)>& env,
                            const std::function<bool(const std::string&)>& canOpenX);
