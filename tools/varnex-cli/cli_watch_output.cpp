// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_watch_output.h"

#include <array>

#include "cli_output.h"
#include "devices/device_export.h"
#include "devices/device_texts.h"
#include "devices/utc_time.h"

namespace cli {

namespace {

using device::Field;

const char* EventName(WatchEvent event)
{
    switch (event) {
    case WatchEvent::kAppeared:
        return "appeared";
    case WatchEvent::kChanged:
        return "changed";
    case WatchEvent::kGone:
        return "gone";
    }
    return "";
}

// The fields of a text line, in the order they are shown.
constexpr std::array<Field, device::kFieldCount> kTextOrder = {Field::kIp,      Field::kMask,  Field::kGateway,
                                                               Field::kVersion, Field::kModel, Field::kName};

// A name in quotes, its quotes and backslashes escaped, safe for a terminal.
std::string QuotedName(const std::string& name)
{
    std::string escaped;
    for (char c : name) {
        if (c == '"' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return '"' + TerminalText(escaped) + '"';
}

std::string FieldValue(const device::Device& d, Field f)
{
    const std::string text = device::FieldText(d, f);
    return f == Field::kName ? QuotedName(text) : text;
}

// The model is a number, as in the device's own members; the other fields are texts.
std::string JsonValue(const device::Device& d, Field f)
{
    return f == Field::kModel ? std::to_string(d.model) : device::JsonString(device::FieldText(d, f));
}

std::string TextLine(const WatchReport& r)
{
    const device::Device& d = *r.device;
    std::string line = device::UtcText(r.at) + " " + EventName(r.event) + " " +
                       (r.interfaceName.empty() ? std::string("-") : TerminalText(r.interfaceName)) + " " +
                       device::FormatMac(d.mac);
    for (Field f : kTextOrder) {
        line += std::string(" ") + device::FieldKey(f) + "=" + FieldValue(d, f);
        if (r.before != nullptr && r.changed.Has(f))
            line += " (was " + FieldValue(*r.before, f) + ")";
    }
    if (r.lastSeen)
        line += " last_seen=" + device::UtcText(*r.lastSeen);
    if (r.returned)
        line += " (it was gone)";
    if (r.shared)
        line += " (address shared)";
    if (!r.reachable)
        line += " (unreachable)";
    return line + "\n";
}

std::string JsonLine(const WatchReport& r)
{
    device::ExportedDevice exported = device::ExportOf(*r.device, r.interfaceName, r.shared);
    exported.reachable = r.reachable;
    std::string line = "{\"time\": \"" + device::UtcText(r.at) + "\", \"event\": \"" + EventName(r.event) + "\", " +
                       device::JsonMembers(exported);
    switch (r.event) {
    case WatchEvent::kAppeared:
        line += std::string(", \"returned\": ") + (r.returned ? "true" : "false");
        break;
    case WatchEvent::kChanged: {
        line += ", \"changes\": {";
        bool first = true;
        for (int i = 0; i < device::kFieldCount; ++i) {
            const auto f = static_cast<Field>(i);
            if (r.before == nullptr || !r.changed.Has(f))
                continue;
            line += first ? "" : ", ";
            first = false;
            line += std::string("\"") + device::FieldKey(f) + "\": {\"from\": " + JsonValue(*r.before, f) +
                    ", \"to\": " + JsonValue(*r.device, f) + "}";
        }
        line += "}";
        break;
    }
    case WatchEvent::kGone:
        line += ", \"last_seen\": " + (r.lastSeen ? "\"" + device::UtcText(*r.lastSeen) + "\"" : std::string("null"));
        break;
    }
    return line + "}\n";
}

} // namespace

std::string WatchLine(const WatchReport& report, Format format)
{
    return format == Format::kJson ? JsonLine(report) : TextLine(report);
}

} // namespace cli
