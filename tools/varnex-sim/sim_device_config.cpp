// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "sim_device_config.h"

#include <algorithm>
#include <set>

#include "commands/command_packet.h"
#include "sim_options.h"
#include "system/percent_text.h"

namespace sim {

namespace {

struct Field {
    std::string key;
    std::string value;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool DecodePercent(std::string_view raw, const std::string& key, std::string& out, std::string& error)
{
    out.clear();
    if (AppendPercentDecoded(raw, out))
        return true;
    error = "field " + QuoteArgument(key) + ": '%' must be followed by two hex digits (write %25 for a percent sign)";
    return false;
}

// Splits a line into key=value fields; quotes group blanks, %XX is decoded.
bool SplitFields(std::string_view line, std::vector<Field>& fields, std::string& error)
{
    std::size_t pos = 0;
    while (true) {
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || (fields.empty() && line[pos] == '#'))
            return true;
        std::size_t keyEnd = pos;
        while (keyEnd < line.size() && !IsBlank(line[keyEnd]) && line[keyEnd] != '=')
            ++keyEnd;
        if (keyEnd == line.size() || line[keyEnd] != '=' || keyEnd == pos) {
            std::size_t tokenEnd = keyEnd;
            while (tokenEnd < line.size() && !IsBlank(line[tokenEnd]))
                ++tokenEnd;
            error = QuoteArgument(line.substr(pos, tokenEnd - pos)) + " is not key=value";
            return false;
        }
        const std::size_t eq = keyEnd;
        Field field;
        field.key = std::string(line.substr(pos, eq - pos));
        std::string raw;
        pos = eq + 1;
        while (pos < line.size() && !IsBlank(line[pos])) {
            const char c = line[pos];
            if (c == '"' || c == '\'') {
                const std::size_t close = line.find(c, pos + 1);
                if (close == std::string_view::npos) {
                    error = "field " + QuoteArgument(field.key) + ": missing closing " + std::string(1, c);
                    return false;
                }
                raw.append(line.substr(pos + 1, close - pos - 1));
                pos = close + 1;
            } else {
                raw.push_back(c);
                ++pos;
            }
        }
        if (!DecodePercent(raw, field.key, field.value, error))
            return false;
        fields.push_back(std::move(field));
    }
}

bool AllDigits(std::string_view s, std::size_t minLen, std::size_t maxLen, bool hex)
{
    if (s.size() < minLen || s.size() > maxLen)
        return false;
    return std::all_of(s.begin(), s.end(),
                       [hex](char c) { return hex ? HexDigitValue(c) >= 0 : (c >= '0' && c <= '9'); });
}

// Four decimal numbers 0-255 joined by single dots; nothing else.
bool ParseIpv4(std::string_view text, Ipv4& out)
{
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = i < 3 ? text.find('.', pos) : text.size();
        if (end == std::string_view::npos)
            return false;
        const std::string_view part = text.substr(pos, end - pos);
        if (!AllDigits(part, 1, 3, false) || std::stoi(std::string(part)) > 255)
            return false;
        pos = end + 1;
    }
    ParseDottedBytes(text, out.data(), 4);
    return true;
}

bool ParseMac(std::string_view text, Mac& out)
{
    std::string dashed(text);
    std::replace(dashed.begin(), dashed.end(), ':', '-');
    if (!IsWellFormedMac(dashed))
        return false;
    ParseMacBytes(dashed, out.data(), 6);
    return true;
}

// Hexadecimal major.minor as the list shows it: 1.20 is bytes 0x01 0x20.
bool ParseVersion(std::string_view text, std::uint8_t& major, std::uint8_t& minor)
{
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view maj = text.substr(0, dot);
    const std::string_view min = text.substr(dot + 1);
    if (!AllDigits(maj, 1, 2, true) || !AllDigits(min, 2, 2, true))
        return false;
    major = static_cast<std::uint8_t>(std::stoi(std::string(maj), nullptr, 16));
    minor = static_cast<std::uint8_t>(std::stoi(std::string(min), nullptr, 16));
    return true;
}

bool ParseModel(std::string_view text, std::uint8_t& model)
{
    if (!AllDigits(text, 1, 3, false) || std::stoi(std::string(text)) > 255)
        return false;
    model = static_cast<std::uint8_t>(std::stoi(std::string(text)));
    return true;
}

// Sets one field; the error never repeats a password.
bool ApplyField(const Field& field, Device& device, std::string& error)
{
    const std::string& v = field.value;
    const std::string prefix = "field " + QuoteArgument(field.key) + ": ";
    if (field.key == "name") {
        if (v.find('\0') != std::string::npos) {
            error = prefix + "a NUL byte (%00) would end the name early";
            return false;
        }
        if (v.size() > kMaxNameBytes) {
            error = prefix + std::to_string(v.size()) + " bytes, at most 17 (16 shown; 17 fills the field with no NUL)";
            return false;
        }
        device.name = v;
        return true;
    }
    if (field.key == "ip" || field.key == "mask" || field.key == "gateway") {
        Ipv4& target = field.key == "ip" ? device.ip : field.key == "mask" ? device.mask : device.gateway;
        if (!ParseIpv4(v, target)) {
            error = prefix + QuoteArgument(v) + " is not a dotted IPv4 address (four numbers 0-255)";
            return false;
        }
        return true;
    }
    if (field.key == "mac") {
        if (!ParseMac(v, device.mac)) {
            error =
                prefix + QuoteArgument(v) + " is not a MAC address (six groups of 1-2 hex digits joined by '-' or ':')";
            return false;
        }
        return true;
    }
    if (field.key == "version") {
        if (!ParseVersion(v, device.versionMajor, device.versionMinor)) {
            error = prefix + QuoteArgument(v) + " is not a hex version major.minor such as 1.20 or A.05";
            return false;
        }
        return true;
    }
    if (field.key == "model") {
        if (!ParseModel(v, device.model)) {
            error = prefix + QuoteArgument(v) + " is not a decimal number 0-255";
            return false;
        }
        return true;
    }
    if (field.key == "password") {
        if (v.size() > kMaxPasswordBytes) {
            error = prefix + "longer than 8 bytes";
            return false;
        }
        if (v.find('\0') != std::string::npos) {
            error = prefix + "a NUL byte (%00) cannot be told from the packet's padding";
            return false;
        }
        device.password = v;
        return true;
    }
    if (field.key == "commands") {
        if (v != "apply" && v != "ignore") {
            error = prefix + QuoteArgument(v) + " is not apply or ignore";
            return false;
        }
        device.ignoresCommands = v == "ignore";
        return true;
    }
    error = "unknown field " + QuoteArgument(field.key) +
            " (known: name ip mask gateway mac version model password commands)";
    return false;
}

} // namespace

std::string DeviceSyntaxHelp()
{
    return "Device definition (one per line of FILE, or per --device DEF), blank-separated key=value:\n"
           "  name=\"Cam Lobby\" ip=192.168.1.20 mask=255.255.255.0 gateway=192.168.1.1\n"
           "  mac=00-0A-1B-2C-3D-4E version=1.20 model=31 password=secret\n"
           "ip and mac are required; defaults: name empty, mask 255.255.255.0, gateway 0.0.0.0,\n"
           "version 1.00 (hex major.minor, as listed), model 31 (decimal), password empty (0-8 bytes).\n"
           "Quote a value (\"...\" or '...') to hold blanks; %XX is any byte, %25 a percent sign.\n"
           "A name holds up to 16 bytes; 17 fills the field with no NUL. Lines starting with # are comments.\n";
}

bool ParseDeviceLine(std::string_view line, std::optional<Device>& device, std::string& error)
{
    device.reset();
    std::vector<Field> fields;
    if (!SplitFields(line, fields, error))
        return false;
    if (fields.empty())
        return true;

    Device parsed;
    std::set<std::string> seen;
    for (const Field& field : fields) {
        if (!seen.insert(field.key).second) {
            error = "field " + QuoteArgument(field.key) + " given twice";
            return false;
        }
        if (!ApplyField(field, parsed, error))
            return false;
    }
    for (const char* required : {"ip", "mac"}) {
        if (!seen.count(required)) {
            error = std::string("missing field '") + required + "'";
            return false;
        }
    }
    device = std::move(parsed);
    return true;
}

namespace {

enum class LineRead { kLine, kEnd, kTooLong };

// One line without its '\n', read byte by byte so that a line with no end
// (a huge file, /dev/zero) costs no more than kMaxDeviceLineBytes.
LineRead ReadBoundedLine(std::istream& in, std::string& line)
{
    line.clear();
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == '\n')
            return LineRead::kLine;
        if (line.size() == kMaxDeviceLineBytes)
            return LineRead::kTooLong;
        line.push_back(static_cast<char>(c));
    }
    return line.empty() ? LineRead::kEnd : LineRead::kLine;
}

} // namespace

bool ReadDeviceStream(std::istream& in, std::string_view origin, std::vector<Device>& devices, std::string& error)
{
    std::string line;
    for (int number = 1;; ++number) {
        const LineRead read = ReadBoundedLine(in, line);
        const std::string where = std::string(origin) + ":" + std::to_string(number) + ": ";
        if (read == LineRead::kEnd)
            break;
        if (read == LineRead::kTooLong) {
            error = where + "a line longer than " + std::to_string(kMaxDeviceLineBytes) + " bytes";
            return false;
        }
        std::optional<Device> device;
        if (!ParseDeviceLine(line, device, error)) {
            error = where + error;
            return false;
        }
        if (device)
            devices.push_back(std::move(*device));
    }
    return true;
}

} // namespace sim
