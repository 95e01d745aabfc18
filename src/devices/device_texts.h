// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A device's fields as the list shows them: six column texts, the row image,
// and the row text record (the six texts one after another, each ended by a
// NUL) that a list row carries as its item data and the comparator walks.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "devices/device.h"

namespace device {

struct DeviceRow {
    std::array<std::string, kColumnCount> columns;
    int image = kImageUnknown;
    std::uint8_t model = 0; // the model code the device sent

    // The six texts, each ended by a NUL, in column order.
    std::string RecordText() const;
};

// The row of a device: its name, or its model's name when it sent none (an
// unknown model always shows the unknown model's name), its addresses, MAC
// and version.
DeviceRow RowOf(const Device& d);
// One column's text of a device, as its row shows it.
std::string ColumnText(const Device& d, int column);

// Field n of a row text record: skips n NUL-ended fields from its start.
const char* GetField(const char* record, int n);

// "%u.%u.%u.%u" of four bytes.
std::string FormatDotted(const std::uint8_t* p);
inline std::string FormatDotted(const Ipv4& ip)
{
    return FormatDotted(ip.data());
}
// "%02X-%02X-%02X-%02X-%02X-%02X" of six bytes.
std::string FormatMac(const std::uint8_t* p);
inline std::string FormatMac(const Mac& mac)
{
    return FormatMac(mac.data());
}
// "%X.%02X": the major version in hex, the minor in two hex digits.
std::string FormatVersion(std::uint8_t major, std::uint8_t minor);

} // namespace device
