// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Reading the log of changes back: each JSON line as an entry, and every line
// that is not one counted and placed, never passed over unseen. Any bytes may
// come in (an old version, a torn write, another program's file): a line that
// cannot be read is one bad line, nothing more. The files are only read.
#pragma once

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "system/regular_file.h"

namespace device {

struct ChangeEntry {
    std::time_t time = 0; // when the command was sent
    std::string program;
    std::string interfaceName; // empty: not known
    std::string mac;
    std::string command;
    std::vector<std::pair<std::string, std::string>> before;
    std::vector<std::pair<std::string, std::string>> after;
    std::optional<bool> confirmed; // nothing: not checked
};

// One line without its line end; nothing when it is not an entry: not one
// JSON object, not UTF-8, a key twice, or time, program, mac or command
// missing or not texts (time as 2024-05-01T14:03:22Z). Other keys are passed
// over; control characters in texts read as U+FFFD.
std::optional<ChangeEntry> ParseChangeLine(std::string_view line);

// The lines of one file's text, in its order; blank lines are no entries and not bad.
struct ChangeLines {
    std::vector<ChangeEntry> entries;
    std::size_t badLines = 0;
    std::size_t firstBadLine = 0; // its number from 1; 0: none
};
ChangeLines ParseChangeLines(std::string_view text);

// A log file is read only when it is a regular file of at most this size;
// the log turns over at a quarter of it.
constexpr std::size_t kMaxChangeLogFileBytes = 4 * 1024 * 1024;

// What became of one file of the log.
struct ChangeLogFile {
    std::string path;
    bool present = false; // false: there is no such file
    FileError error;      // why a file that is there was not read
    std::size_t entries = 0;
    std::size_t badLines = 0;
    std::size_t firstBadLine = 0;
};

struct ChangeHistory {
    std::vector<ChangeEntry> entries; // newest first
    ChangeLogFile current;            // the log
    ChangeLogFile older;              // the log before it turned over: path + ".1"
};

// The log at path and the one before it, newest entry first (by time, and
// by the order written among entries of one second). path empty: nothing read.
ChangeHistory ReadChangeHistory(const std::string& path);

} // namespace device
