// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the desktop program settles before Qt starts: its command line (its own
// options, Qt's, and the document), its help and version, and whether Qt has a
// display and a platform to start on. Nothing of the program runs, and nothing
// goes on the wire, before these are settled. No Qt here: the builds without
// the window (the fuzzers) reach it too.
#pragma once

#include <string>
#include <vector>

struct ProgramInfo {
    std::string name;      // as typed: "varnex"
    std::string version;   // "1.20"
    std::string summary;   // one or more lines for the help, each ending in '\n'
    std::string desktopId; // the desktop entry's name without ".desktop"; empty: none
};

enum class StartAction { kRun, kHelp, kVersion, kUsageError };

struct StartOptions {
    StartAction action = StartAction::kRun;
    std::string error;               // kUsageError: what was wrong, one line
    std::string file;                // the document to open; empty: a new one
    std::string reportPath;          // --report FILE: write what the window shows, then end
    int reportAfterMs = 6000;        // --report-after MS
    std::vector<unsigned> commands;  // --command ID, in order
    int selectRow = -1;              // --select ROW: the list's row to select before the commands
    int watchIntervalSeconds = 0;    // --watch-interval S; 0: the profile's
    int selectLast = -1;             // --select FIRST-LAST: the last row selected (selectRow alone: selectRow)
    bool reportWhenAnswered = false; // --report-when-answered: report once the scripted answers are used
    std::vector<std::string> qtArgs; // Qt's own options with their values, in order
};

// args without the program name. --help (-h) and --version are answered
// wherever they stand before "--", except as the value of an option; then
// every argument must be an option of ours or of Qt, or the one FILE.
StartOptions ReadStartOptions(const std::vector<std::string>& args);

std::string StartHelp(const ProgramInfo& info);
std::string StartVersion(const ProgramInfo& info);
