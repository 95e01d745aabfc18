// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/device_record.h"

#include <cstdio>
#include <cstring>

#include "framework/resources.h"
#include "res/text/resource_ids.h"

namespace device {

namespace {

// Each formatted field is produced in a scratch buffer of this size.
constexpr std::size_t kScratch = 128;

std::string FormatVersion(std::uint8_t major, std::uint8_t minor)
{
    char buf[kScratch];
    std::snprintf(buf, sizeof buf, "%X.%02X", major, minor);
    return buf;
}

} // namespace

std::string FormatDotted(const std::uint8_t* p)
{
    char buf[kScratch];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", p[0], p[1], p[2], p[3]);
    return buf;
}

std::string FormatMac(const std::uint8_t* p)
{
    char buf[kScratch];
    std::snprintf(buf, sizeof buf, "%02X-%02X-%02X-%02X-%02X-%02X", p[0], p[1], p[2], p[3], p[4], p[5]);
    return buf;
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

DeviceRow ReplyToRow(const packet::Bytes& frame)
{
    using namespace packet;
    DeviceRow row;

    // The name is present when the field holds 1 to 16 bytes before a NUL; a
    // field filled to its end without a NUL counts as empty.
    std::string name;
    const auto* nameField = reinterpret_cast<const char*>(&frame[kNameAt]);
    const void* nul = std::memchr(nameField, 0, kNameSize);
    if (frame[kNameAt] != 0 && nul != nullptr)
        name.assign(nameField, static_cast<const char*>(nul) - nameField);

    const std::uint8_t model = frame[kModelAt];
    row.model = model;
    const bool known = model == kModelV || model == kModelW;
    if (known) {
        row.image = kImageKnown;
        if (name.empty())
            name = AfxLoadString(model == kModelV ? IDS_MODEL_J_K700_V : IDS_MODEL_J_K700_W);
    } else {
        row.image = kImageUnknown;
        name = AfxLoadString(IDS_MODEL_UNKNOWN);
    }

    // Field by field, so that a comma in the name stays in the name.
    row.columns[kName] = name;
    row.columns[kIp] = FormatDotted(&frame[kIpAt]);
    row.columns[kMask] = FormatDotted(&frame[kMaskAt]);
    row.columns[kGateway] = known ? FormatDotted(&frame[kGatewayAt]) : std::string("0.0.0.0");
    row.columns[kMac] = FormatMac(&frame[kMacAt]);
    row.columns[kVersion] = known ? FormatVersion(frame[kVersionMajorAt], frame[kVersionMinorAt]) : std::string("0.00");
    return row;
}

const char* GetField(const char* record, int n)
{
    const char* p = record;
    for (int i = 0; i < n; ++i)
        p += std::strlen(p) + 1;
    return p;
}

} // namespace device
