// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A strict reader of RFC 4180 text, for checking what the program writes:
// records end with CR LF, fields are separated by commas, a quoted field may
// hold commas, quotes (doubled) and line breaks. Anything else is an error.
#pragma once

#include <optional>
#include <string>
#include <vector>

using CsvRecords = std::vector<std::vector<std::string>>;

// The records, or nothing with the reason in *error.
std::optional<CsvRecords> ReadCsv(const std::string& text, std::string* error);
