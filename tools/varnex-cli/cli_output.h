// The discovered devices as text: an aligned table, CSV or JSON.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli_discovered_device.h"
#include "cli_listen.h"
#include "cli_options.h"

namespace cli {

// The devices one at a time: calls visit for each, in order. A list may be
// walked more than once (the table measures its columns first).
using DeviceVisitor = std::function<void(const DiscoveredDevice&)>;
using DeviceList = std::function<void(const DeviceVisitor&)>;

DeviceList ListOf(const std::vector<DiscoveredDevice>& devices);
// Answers as read from the socket, each turned into a device (with the name of
// the interface it came in on) when visited.
DeviceList ListOfAnswers(const ListenResult& result);

// Writes the devices in the format through write, a few kilobytes at a time,
// so that a long list is never held as text or as rows. withModel adds a last
// column "Model" (the model code in decimal) to the table and the csv; json
// always carries the model, and the interface's name (null when not known).
void WriteDevices(const DeviceList& devices, Format format, bool withModel,
                  const std::function<void(std::string_view)>& write);

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
