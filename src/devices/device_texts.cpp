// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/device_texts.h"

#include <cstring>

#include "devices/device_names.h"

namespace device {

namespace {

constexpr char kHexUpper[] = "0123456789ABCDEF";

// Written by hand: a list of thousands of devices makes its texts once per
// answer, and this is several times cheaper than a formatted print.
void AppendDecimal(std::string& out, unsigned value)
{
    if (value >= 100)
        out.push_back(static_cast<char>('0' + value / 100));
    if (value >= 10)
        out.push_back(static_cast<char>('0' + value / 10 % 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

void AppendHexPair(std::string& out, std::uint8_t value)
{
    out.push_back(kHexUpper[value >> 4]);
    out.push_back(kHexUpper[value & 0xF]);
}

} // namespace

std::string FormatDotted(const std::uint8_t* p)
{
    std::string text;
    text.reserve(15);
    for (int i = 0; i < 4; ++i) {
        if (i != 0)
            text.push_back('.');
        AppendDecimal(text, p[i]);
    }
    return text;
}

std::string FormatMac(const std::uint8_t* p)
{
    std::string text;
    text.reserve(17);
    for (int i = 0; i < 6; ++i) {
        if (i != 0)
            text.push_back('-');
        AppendHexPair(text, p[i]);
    }
    return text;
}

std::string FormatVersion(std::uint8_t major, std::uint8_t minor)
{
    std::string text;
    if (major >= 16)
        text.push_back(kHexUpper[major >> 4]);
    text.push_back(kHexUpper[major & 0xF]);
    text.push_back('.');
    AppendHexPair(text, minor);
    return text;
}

std::string ColumnText(const Device& d, int column)
{
    switch (column) {
    case kName:
        return IsKnownModel(d.model) && !d.name.empty() ? d.name : ModelName(d.model);
    case kIp:
        return FormatDotted(d.ip);
    case kMask:
        return FormatDotted(d.mask);
    case kGateway:
        return FormatDotted(d.gateway);
    case kMac:
        return FormatMac(d.mac);
    case kVersion:
        return FormatVersion(d.versionMajor, d.versionMinor);
    default:
        return {};
    }
}

DeviceRow RowOf(const Device& d)
{
    DeviceRow row;
    for (int c = 0; c < kColumnCount; ++c)
        row.columns[static_cast<std::size_t>(c)] = ColumnText(d, c);
    row.image = IsKnownModel(d.model) ? kImageKnown : kImageUnknown;
    row.model = d.model;
    return row;
}

std::string DeviceRow::RecordText() const
{
    std::string record;
    for (const std::string& text : columns) {
        record += text;
        record.push_back('\0');
    }
    return record;
}

const char* GetField(const char* record, int n)
{
    const char* p = record;
    for (int i = 0; i < n; ++i)
        p += std::strlen(p) + 1;
    return p;
}

} // namespace device
