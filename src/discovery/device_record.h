// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A device's answer turned into what the list shows: six column texts, the row
// image, and the row text record (the six texts one after another, each ended
// by a NUL) that the row carries as its item data and the comparator walks.
#pragma once

#include <array>
#include <string>

#include "discovery/packet_frame.h"

namespace device {

enum Column { kName = 0, kIp = 1, kMask = 2, kGateway = 3, kMac = 4, kVersion = 5, kColumnCount = 6 };

constexpr int kImageUnknown = 1;
constexpr int kImageKnown = 2;
constexpr std::uint8_t kModelV = 31;
constexpr std::uint8_t kModelW = 32;

struct DeviceRow {
    std::array<std::string, kColumnCount> columns;
    int image = kImageUnknown;
    std::uint8_t model = 0; // the model code the device sent

    // The six texts, each ended by a NUL, in column order.
    std::string RecordText() const;
};

// Builds the row of a reply. The frame was cleared before the datagram was
// read into it, so the bytes of a short datagram past its end are zero.
DeviceRow ReplyToRow(const packet::Bytes& frame);

// Field n of a row text record: skips n NUL-ended fields from its start.
const char* GetField(const char* record, int n);

// Dotted quad of four bytes starting at p ("%u.%u.%u.%u").
std::string FormatDotted(const std::uint8_t* p);
// Six bytes as "%02X-%02X-%02X-%02X-%02X-%02X".
std::string FormatMac(const std::uint8_t* p);

} // namespace device
