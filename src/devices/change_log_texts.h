// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The log of changes as the window shows it: an entry's column texts, the
// note on what was read and from where, and the CSV file of the list.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "devices/change_log_reader.h"

namespace device {

enum ChangeColumn {
    kChangeTime,
    kChangeProgram,
    kChangeInterface,
    kChangeMac,
    kChangeCommand,
    kChangeFields,
    kChangeConfirmed,
    kChangeColumnCount
};

using ChangeRow = std::array<std::string, kChangeColumnCount>;

ChangeRow ChangeHeadings();
// The time in this computer's time zone (2024-05-01 16:03:22); the changed
// fields as "ip 192.168.1.20 → 192.168.1.50"; Confirmed, Not confirmed or
// Not checked.
ChangeRow ChangeRowOf(const ChangeEntry& entry);

// Where the log is and how many entries it gave; the lines that could not be
// read, counted per file with the first one's number; a file that could not be
// read and why; or where the log will be when there is none yet.
std::string ChangeHistoryNote(const ChangeHistory& history);

// A header line, then one line per entry in the order given, as the list
// shows them: RFC 4180 fields, CR LF line ends, UTF-8.
std::string ChangeLogCsv(const std::vector<ChangeEntry>& entries);

} // namespace device
