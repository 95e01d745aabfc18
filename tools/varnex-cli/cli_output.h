// The discovered devices as text: an aligned table, CSV or JSON.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli_discovered_device.h"
#include "cli_options.h"

namespace cli {

// withModel adds a last column "Model" (the model code in decimal) to the
// table and the csv; json always carries the model.
std::string FormatDevices(const std::vector<DiscoveredDevice>& devices, Format format, bool withModel = false);

// Columns separated by two blanks, padded to the widest cell in characters.
// Control characters and bytes that are not UTF-8 show as \xNN.
std::string FormatTable(const std::vector<DiscoveredDevice>& devices, bool withModel = false);

// A header line, then one line per device; fields quoted as RFC 4180 says
// (when they hold a comma, a quote or a line break; quotes doubled). Bytes
// are written as they came. The header without withModel stays as it is:
// scripts read it.
std::string FormatCsv(const std::vector<DiscoveredDevice>& devices, bool withModel = false);

// An array with one object per device. Bytes that are not UTF-8 are escaped
// as \u00NN, their Latin-1 reading, so that the result is always valid JSON.
std::string FormatJson(const std::vector<DiscoveredDevice>& devices);

std::string CsvField(std::string_view text);
std::string JsonString(std::string_view text);

} // namespace cli
