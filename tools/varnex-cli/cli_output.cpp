// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_output.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "devices/chunk_writer.h"
#include "devices/device_export.h"
#include "system/utf8_text.h"

namespace cli {

namespace {

// Only with --with-model, after the others, so that the header stays.
constexpr const char* kModelHeader = "Model";

// The fields of one line: the device's columns, then the model when asked for.
std::vector<std::string> RowFields(const device::ExportedDevice& d, bool withModel)
{
    std::vector<std::string> fields(d.columns.begin(), d.columns.end());
    if (withModel)
        fields.push_back(std::to_string(d.model));
    return fields;
}

std::vector<std::string> HeaderFields(bool withModel)
{
    std::vector<std::string> fields(device::kExportHeaders.begin(), device::kExportHeaders.end());
    if (withModel)
        fields.push_back(kModelHeader);
    return fields;
}

std::string Hex2(unsigned char c, const char* pattern)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, pattern, static_cast<unsigned>(c));
    return buf;
}

// A cell made safe for a terminal, and its width in characters.
struct Cell {
    std::string text;
    std::size_t width = 0;
};

Cell TableCell(std::string_view raw)
{
    Cell cell;
    for (std::size_t i = 0; i < raw.size();) {
        const auto c = static_cast<unsigned char>(raw[i]);
        const std::size_t n = Utf8SequenceLength(raw, i);
        // C1 controls (U+0080-U+009F) steer terminals as the C0 ones do.
        const bool control =
            n == 1 ? (c < 0x20 || c == 0x7F) : n == 2 && c == 0xC2 && static_cast<unsigned char>(raw[i + 1]) < 0xA0;
        if (n == 0 || control) {
            const std::size_t count = n == 0 ? 1 : n;
            for (std::size_t k = 0; k < count; ++k) {
                cell.text += Hex2(static_cast<unsigned char>(raw[i + k]), "\\x%02X");
                cell.width += 4;
            }
            i += count;
            continue;
        }
        cell.text.append(raw.substr(i, n));
        cell.width += 1;
        i += n;
    }
    return cell;
}

void AppendTableLine(std::string& out, const std::vector<std::string>& fields, const std::vector<std::size_t>& widths)
{
    for (std::size_t c = 0; c < fields.size(); ++c) {
        const Cell cell = TableCell(fields[c]);
        out += cell.text;
        if (c + 1 < fields.size())
            out.append(widths[c] - cell.width + 2, ' ');
    }
    out += '\n';
}

using device::ChunkWriter;

void WriteTable(const device::ExportList& devices, bool withModel, ChunkWriter& out)
{
    const std::vector<std::string> header = HeaderFields(withModel);
    std::vector<std::size_t> widths(header.size());
    for (std::size_t c = 0; c < header.size(); ++c)
        widths[c] = TableCell(header[c]).width;
    // Two walks: the widths first, then the lines.
    devices([&widths, withModel](const device::ExportedDevice& d) {
        const std::vector<std::string> fields = RowFields(d, withModel);
        for (std::size_t c = 0; c < fields.size(); ++c)
            widths[c] = std::max(widths[c], TableCell(fields[c]).width);
    });
    AppendTableLine(out.Text(), header, widths);
    devices([&widths, &out, withModel](const device::ExportedDevice& d) {
        AppendTableLine(out.Text(), RowFields(d, withModel), widths);
        out.Maybe();
    });
}

// The devices as the shared file writer takes them, each with the name of
// its interface and whether its address is shared.
device::ExportList ExportListOf(const ListenResult& result)
{
    return [&result](const device::ExportVisitor& visit) {
        for (const device::Device& d : result.devices.All()) {
            device::ExportedDevice exported =
                device::ExportOf(d, InterfaceNameOf(result, d), result.devices.IsShared(d));
            exported.reachable = device::IsReachable(d, result.subnets);
            visit(exported);
        }
    };
}

} // namespace

void WriteDevices(const ListenResult& result, Format format, bool withModel,
                  const std::function<void(std::string_view)>& write)
{
    const device::ExportList devices = ExportListOf(result);
    switch (format) {
    case Format::kCsv:
        device::WriteCsv(devices, withModel, write);
        return;
    case Format::kJson:
        device::WriteJson(devices, write);
        return;
    case Format::kTable:
    case Format::kText: { // watch's word for a table
        ChunkWriter out(write);
        WriteTable(devices, withModel, out);
        return;
    }
    }
}

std::string TerminalText(std::string_view raw)
{
    return TableCell(raw).text;
}

std::string FormatDevices(const ListenResult& result, Format format, bool withModel)
{
    std::string text;
    WriteDevices(result, format, withModel, [&text](std::string_view piece) { text.append(piece); });
    return text;
}

} // namespace cli
