// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device list as a file: CSV (RFC 4180, CRLF line ends) or a JSON array,
// both UTF-8. The window's File > Export List and varnex-cli discover write
// through these, so the two files are alike byte for byte.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "devices/device_texts.h"

namespace device {

// One device as it is exported: the list's six texts, the model code, the
// interface its answer came in on (empty: not known), and whether another
// device answers from its IP address.
struct ExportedDevice {
    std::array<std::string, kColumnCount> columns;
    std::uint8_t model = 0;
    std::string interfaceName;
    bool duplicateIp = false;
    // Whether its address lies in this computer's subnet for it (true when that cannot be told).
    bool reachable = true;
};

// A device as it is exported: interfaceName is the name of the interface its
// answer came in on (empty: not known); shared, whether another device answers
// from its address.
ExportedDevice ExportOf(const Device& d, std::string interfaceName, bool shared);

// The devices one at a time: calls visit for each, in order.
using ExportVisitor = std::function<void(const ExportedDevice&)>;
using ExportList = std::function<void(const ExportVisitor&)>;
// Receives the file's text a few kilobytes at a time.
using ExportSink = std::function<void(std::string_view)>;

enum class ExportFormat { kCsv, kJson };

// The header line's fields; scripts read them, so they do not follow the string table.
extern const std::array<const char*, kColumnCount> kExportHeaders;

// A header line, then one line per device, each ended by CR LF; a field is
// quoted when it holds a comma, a quote or a line break (quotes doubled).
// withModel adds a last column "Model" (the model code in decimal).
void WriteCsv(const ExportList& devices, bool withModel, const ExportSink& write);

// An array with one object per device: name, ip, mask, gateway, mac, version,
// model, interface (null when not known), duplicate_ip and reachable.
void WriteJson(const ExportList& devices, const ExportSink& write);
// The members of one device's object, without its braces ("\"name\": ..., \"reachable\": true").
std::string JsonMembers(const ExportedDevice& d);

void WriteDevices(const ExportList& devices, ExportFormat format, bool withModel, const ExportSink& write);

// One CSV field, quoted when it must be, in UTF-8.
std::string CsvField(std::string_view text);
// A JSON string in quotes; bytes that are not UTF-8 are written as \u00NN,
// their Latin-1 reading, so that the result is always valid JSON.
std::string JsonString(std::string_view text);

} // namespace device
