#include "cli_output.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "cli_utf8.h"

namespace cli {

namespace {

// The list's column headers; scripts rely on them, so they do not follow the
// string table.
constexpr std::array<const char*, device::kColumnCount> kHeaders = {"Device Name", "IP Address", "Subnet Mask",
                                                                    "Gateway IP",  "MAC",        "Version"};
// Only with --with-model, after the others, so that the header above stays.
constexpr const char* kModelHeader = "Model";

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

// The cells of one line: the device's columns, then the model when asked for.
std::vector<std::string> RowFields(const DiscoveredDevice& d, bool withModel)
{
    std::vector<std::string> fields(d.row.columns.begin(), d.row.columns.end());
    if (withModel)
        fields.push_back(std::to_string(d.model));
    return fields;
}

std::vector<std::string> HeaderFields(bool withModel)
{
    std::vector<std::string> fields(kHeaders.begin(), kHeaders.end());
    if (withModel)
        fields.push_back(kModelHeader);
    return fields;
}

} // namespace

std::string FormatTable(const std::vector<DiscoveredDevice>& devices, bool withModel)
{
    std::vector<std::vector<Cell>> lines;
    const auto addLine = [&lines](const std::vector<std::string>& fields) {
        lines.emplace_back();
        for (const std::string& field : fields)
            lines.back().push_back(TableCell(field));
    };
    addLine(HeaderFields(withModel));
    for (const DiscoveredDevice& d : devices)
        addLine(RowFields(d, withModel));
    std::vector<std::size_t> widths(lines.front().size());
    for (const auto& line : lines)
        for (std::size_t c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], line[c].width);
    std::string out;
    for (const auto& line : lines) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            out += line[c].text;
            if (c + 1 < line.size())
                out.append(widths[c] - line[c].width + 2, ' ');
        }
        out += '\n';
    }
    return out;
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string FormatCsv(const std::vector<DiscoveredDevice>& devices, bool withModel)
{
    std::string out;
    const auto appendRecord = [&out](const std::vector<std::string>& fields) {
        for (std::size_t c = 0; c < fields.size(); ++c)
            out.append(c ? "," : "").append(CsvField(fields[c]));
        out += '\n';
    };
    appendRecord(HeaderFields(withModel));
    for (const DiscoveredDevice& d : devices)
        appendRecord(RowFields(d, withModel));
    return out;
}

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = Utf8SequenceLength(text, i);
        if (n == 0) {
            out += Hex2(c, "\\u%04x"); // the Latin-1 reading of a stray byte
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
                out += Hex2(c, "\\u%04x");
            else
                out += static_cast<char>(c);
        }
        ++i;
    }
    out += '"';
    return out;
}

std::string FormatJson(const std::vector<DiscoveredDevice>& devices)
{
    static constexpr std::array<const char*, device::kColumnCount> kKeys = {"name",    "ip",  "mask",
                                                                            "gateway", "mac", "version"};
    if (devices.empty())
        return "[]\n";
    std::string out = "[\n";
    for (std::size_t i = 0; i < devices.size(); ++i) {
        out += "  {";
        for (int c = 0; c < device::kColumnCount; ++c) {
            out += c ? ", \"" : "\"";
            out += kKeys[c];
            out += "\": " + JsonString(devices[i].row.columns[c]);
        }
        out += ", \"model\": " + std::to_string(devices[i].model) + "}";
        out += i + 1 < devices.size() ? ",\n" : "\n";
    }
    out += "]\n";
    return out;
}

std::string FormatDevices(const std::vector<DiscoveredDevice>& devices, Format format, bool withModel)
{
    switch (format) {
    case Format::kCsv:
        return FormatCsv(devices, withModel);
    case Format::kJson:
        return FormatJson(devices);
    case Format::kTable:
        break;
    }
    return FormatTable(devices, withModel);
}

} // namespace cli
