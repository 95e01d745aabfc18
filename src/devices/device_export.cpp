// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/device_export.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "devices/chunk_writer.h"
#include "system/utf8_text.h"

namespace device {

const std::array<const char*, kColumnCount> kExportHeaders = {"Device Name", "IP Address", "Subnet Mask",
                                                              "Gateway IP",  "MAC",        "Version"};

namespace {

// Only with the model asked for, after the others, so that the header above stays.
constexpr const char* kModelHeader = "Model";
constexpr std::array<const char*, kColumnCount> kJsonKeys = {"name", "ip", "mask", "gateway", "mac", "version"};

void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t c = 0; c < fields.size(); ++c)
        out.append(c ? "," : "").append(CsvField(fields[c]));
    out += "\r\n";
}

std::string Hex4(unsigned char c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
    return buf;
}

} // namespace

ExportedDevice ExportOf(const Device& d, std::string interfaceName, bool shared)
{
    ExportedDevice exported;
    exported.columns = RowOf(d).columns;
    exported.model = d.model;
    exported.interfaceName = std::move(interfaceName);
    exported.duplicateIp = shared;
    return exported;
}

std::string CsvField(std::string_view text)
{
    const std::string utf8 = Utf8FromWireText(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = Utf8SequenceLength(text, i);
        if (n == 0) {
            out += Hex4(c); // the Latin-1 reading of a stray byte
            ++i;
            continue;
        }
        if (n > 1) {
            out.append(text.substr(i, n));
            i += n;
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F)
                out += Hex4(c);
            else
                out += static_cast<char>(c);
        }
        ++i;
    }
    out += '"';
    return out;
}

void WriteCsv(const ExportList& devices, bool withModel, const ExportSink& write)
{
    ChunkWriter out(write);
    std::vector<std::string> fields(kExportHeaders.begin(), kExportHeaders.end());
    if (withModel)
        fields.emplace_back(kModelHeader);
    AppendCsvRecord(out.Text(), fields);
    devices([&out, &fields, withModel](const ExportedDevice& d) {
        fields.assign(d.columns.begin(), d.columns.end());
        if (withModel)
            fields.push_back(std::to_string(d.model));
        AppendCsvRecord(out.Text(), fields);
        out.Maybe();
    });
}

void WriteJson(const ExportList& devices, const ExportSink& write)
{
    ChunkWriter out(write);
    bool first = true;
    devices([&out, &first](const ExportedDevice& d) {
        std::string& text = out.Text();
        text += first ? "[\n  {" : ",\n  {";
        first = false;
        text += JsonMembers(d);
        text += "}";
        out.Maybe();
    });
    out.Text() += first ? "[]\n" : "\n]\n";
}

std::string JsonMembers(const ExportedDevice& d)
{
    std::string text;
    for (int c = 0; c < kColumnCount; ++c) {
        text += c ? ", \"" : "\"";
        text += kJsonKeys[static_cast<std::size_t>(c)];
        text += "\": " + JsonString(d.columns[static_cast<std::size_t>(c)]);
    }
    text += ", \"model\": " + std::to_string(d.model);
    text += ", \"interface\": " + (d.interfaceName.empty() ? std::string("null") : JsonString(d.interfaceName));
    text += ", \"duplicate_ip\": ";
    text += d.duplicateIp ? "true" : "false";
    text += ", \"reachable\": ";
    text += d.reachable ? "true" : "false";
    return text;
}

void WriteDevices(const ExportList& devices, ExportFormat format, bool withModel, const ExportSink& write)
{
    if (format == ExportFormat::kJson)
        WriteJson(devices, write);
    else
        WriteCsv(devices, withModel, write);
}

} // namespace device
