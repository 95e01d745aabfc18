// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
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
// shared, when given, tells beside each answer whether its address is shared.
DeviceList ListOfAnswers(const ListenResult& result, const std::vector<bool>* shared = nullptr);

// Writes the devices in the format through write, a few kilobytes at a time,
// so that a long list is never held as text or as rows. withModel adds a last
// column "Model" (the model code in decimal) to the table and the csv; json
// always carries the model, the interface's name (null when not known) and
// whether another device answers from the same address. CSV and JSON are the
// window's File > Export List files, from the same writer.
void WriteDevices(const DeviceList& devices, Format format, bool withModel,
                  const std::function<void(std::string_view)>& write);

std::string FormatDevices(const std::vector<DiscoveredDevice>& devices, Format format, bool withModel = false);

// Columns separated by two blanks, padded to the widest cell in characters.
// Control characters and bytes that are not UTF-8 show as \xNN.
std::string FormatTable(const std::vector<DiscoveredDevice>& devices, bool withModel = false);

// A header line, then one line per device, each ended by CR LF; fields quoted
// as RFC 4180 says, in UTF-8 (a byte that is not UTF-8 as its Latin-1 reading).
// The header without withModel stays as it is: scripts read it.
std::string FormatCsv(const std::vector<DiscoveredDevice>& devices, bool withModel = false);

// An array with one object per device (device_export.h).
std::string FormatJson(const std::vector<DiscoveredDevice>& devices);

} // namespace cli
