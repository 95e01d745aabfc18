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

// The fields of one line: the device's columns, then the model when asked for.
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

// Output is handed on once this much text has gathered.
constexpr std::size_t kChunk = 16 * 1024;

class ChunkWriter {
public:
    explicit ChunkWriter(const std::function<void(std::string_view)>& write) : m_write(write) {}
    ~ChunkWriter() { Flush(); }
    std::string& Text() { return m_text; }
    void Maybe()
    {
        if (m_text.size() >= kChunk)
            Flush();
    }
    void Flush()
    {
        if (!m_text.empty())
            m_write(m_text);
        m_text.clear();
    }

private:
    const std::function<void(std::string_view)>& m_write;
    std::string m_text;
};

void WriteTable(const DeviceList& devices, bool withModel, ChunkWriter& out)
{
    const std::vector<std::string> header = HeaderFields(withModel);
    std::vector<std::size_t> widths(header.size());
    for (std::size_t c = 0; c < header.size(); ++c)
        widths[c] = TableCell(header[c]).width;
    // Two walks: the widths first, then the lines.
    devices([&widths, withModel](const DiscoveredDevice& d) {
        const std::vector<std::string> fields = RowFields(d, withModel);
        for (std::size_t c = 0; c < fields.size(); ++c)
            widths[c] = std::max(widths[c], TableCell(fields[c]).width);
    });
    AppendTableLine(out.Text(), header, widths);
    devices([&widths, &out, withModel](const DiscoveredDevice& d) {
        AppendTableLine(out.Text(), RowFields(d, withModel), widths);
        out.Maybe();
    });
}

} // namespace

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

namespace {

void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t c = 0; c < fields.size(); ++c)
        out.append(c ? "," : "").append(CsvField(fields[c]));
    out += '\n';
}

void WriteCsv(const DeviceList& devices, bool withModel, ChunkWriter& out)
{
    AppendCsvRecord(out.Text(), HeaderFields(withModel));
    devices([&out, withModel](const DiscoveredDevice& d) {
        AppendCsvRecord(out.Text(), RowFields(d, withModel));
        out.Maybe();
    });
}

} // namespace

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

namespace {

void WriteJson(const DeviceList& devices, ChunkWriter& out)
{
    static constexpr std::array<const char*, device::kColumnCount> kKeys = {"name",    "ip",  "mask",
                                                                            "gateway", "mac", "version"};
    bool first = true;
    devices([&](const DiscoveredDevice& d) {
        std::string& text = out.Text();
        text += first ? "[\n  {" : ",\n  {";
        first = false;
        for (int c = 0; c < device::kColumnCount; ++c) {
            text += c ? ", \"" : "\"";
            text += kKeys[c];
            text += "\": " + JsonString(d.row.columns[c]);
        }
        text += ", \"model\": " + std::to_string(d.model);
        text += ", \"interface\": " + (d.interfaceName.empty() ? std::string("null") : JsonString(d.interfaceName));
        text += "}";
        out.Maybe();
    });
    out.Text() += first ? "[]\n" : "\n]\n";
}

} // namespace

DeviceList ListOf(const std::vector<DiscoveredDevice>& devices)
{
    return [&devices](const DeviceVisitor& visit) {
        for (const DiscoveredDevice& d : devices)
            visit(d);
    };
}

DeviceList ListOfAnswers(const ListenResult& result)
{
    return [&result](const DeviceVisitor& visit) {
        for (std::size_t i = 0; i < result.answers.size(); ++i)
            visit(DeviceFromReply(result.answers[i], AnswerInterfaceName(result, i)));
    };
}

void WriteDevices(const DeviceList& devices, Format format, bool withModel,
                  const std::function<void(std::string_view)>& write)
{
    ChunkWriter out(write);
    switch (format) {
    case Format::kCsv:
        WriteCsv(devices, withModel, out);
        return;
    case Format::kJson:
        WriteJson(devices, out);
        return;
    case Format::kTable:
        WriteTable(devices, withModel, out);
        return;
    }
}

namespace {

std::string Collect(const std::vector<DiscoveredDevice>& devices, Format format, bool withModel = false)
{
    std::string text;
    WriteDevices(ListOf(devices), format, withModel, [&text](std::string_view piece) { text.append(piece); });
    return text;
}

} // namespace

std::string FormatTable(const std::vector<DiscoveredDevice>& devices, bool withModel)
{
    return Collect(devices, Format::kTable, withModel);
}

std::string FormatCsv(const std::vector<DiscoveredDevice>& devices, bool withModel)
{
    return Collect(devices, Format::kCsv, withModel);
}

std::string FormatJson(const std::vector<DiscoveredDevice>& devices)
{
    return Collect(devices, Format::kJson);
}

std::string FormatDevices(const std::vector<DiscoveredDevice>& devices, Format format, bool withModel)
{
    return Collect(devices, format, withModel);
}

} // namespace cli
