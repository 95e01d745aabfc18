// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/profile.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "system/percent_text.h"

namespace {

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

bool IsSectionLine(const std::string& line, std::string* name)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']')
        return false;
    *name = t.substr(1, t.size() - 2);
    return true;
}

bool IsEntryLine(const std::string& line, const std::string& entry, std::string* value)
{
    const auto eq = line.find('=');
    if (eq == std::string::npos || Trim(line.substr(0, eq)) != entry)
        return false;
    *value = Trim(line.substr(eq + 1));
    return true;
}

} // namespace

std::string Profile::PathFor(const std::string& registryKey, const std::string& application)
{
    // Built by construction and append only: GCC 12 takes assigning a literal
    // into a string for an overlapping copy (-Wrestrict) in optimised builds.
    std::string path = [] {
        if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
            return std::string(xdg);
        if (const char* home = std::getenv("HOME"); home && *home)
            return std::string(home).append("/.config");
        return std::string(".");
    }();
    path.append("/").append(registryKey).append("/").append(application).append(".ini");
    return path;
}

std::optional<std::vector<std::uint8_t>> DecodeBinaryValue(const std::string& raw)
{
    if (raw.rfind("hex:", 0) != 0)
        return std::nullopt;
    const std::string hex = raw.substr(4);
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = HexDigitValue(hex[i]);
        const int lo = HexDigitValue(hex[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return bytes;
}

std::string EncodeBinaryValue(const std::vector<std::uint8_t>& value)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string out = "hex:";
    for (std::uint8_t b : value) {
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 15]);
    }
    return out;
}

void ReadProfileValues(std::istream& in, ProfileValues& values)
{
    std::string current;
    std::string line;
    bool tooLong = false;
    char chunk[16 * 1024];
    const auto take = [&] {
        if (tooLong)
            return; // ignored as if absent
        std::string name;
        if (IsSectionLine(line, &name)) {
            current = name;
            return;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            return;
        values.emplace(std::make_pair(current, Trim(line.substr(0, eq))), Trim(line.substr(eq + 1)));
    };
    // Read in chunks: a line longer than the limit is skipped as it streams
    // past, never held whole.
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        const std::size_t n = static_cast<std::size_t>(in.gcount());
        std::size_t from = 0;
        while (from < n) {
            const void* nl = std::memchr(chunk + from, '\n', n - from);
            const std::size_t to = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - chunk) : n;
            if (!tooLong) {
                if (line.size() + (to - from) > Profile::kMaxLine) {
                    tooLong = true;
                    line.clear();
                } else {
                    line.append(chunk + from, to - from);
                }
            }
            if (nl == nullptr)
                break;
            take();
            line.clear();
            tooLong = false;
            from = to + 1;
        }
    }
    if (!line.empty() || tooLong)
        take();
}

void Profile::Load() const
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_values.clear();
    std::ifstream in(m_path, std::ios::binary);
    if (in)
        ReadProfileValues(in, m_values);
}

std::optional<std::string> Profile::ReadRaw(const std::string& section, const std::string& entry) const
{
    Load();
    const auto it = m_values.find(std::make_pair(section, entry));
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::vector<std::uint8_t>> Profile::GetBinary(const std::string& section, const std::string& entry,
                                                            std::string* problem) const
{
    const auto raw = ReadRaw(section, entry);
    if (!raw)
        return std::nullopt;
    auto bytes = DecodeBinaryValue(*raw);
    if (!bytes && problem)
        *problem =
            "the value " + section + "/" + entry + " in " + m_path + " is not of the form hex:<pairs of hex digits>";
    return bytes;
}

std::optional<std::string> Profile::GetString(const std::string& section, const std::string& entry) const
{
    return ReadRaw(section, entry);
}

bool Profile::WriteRaw(const std::string& section, const std::string& entry, const std::string& raw)
{
    m_loaded = false; // the next lookup reads what was written
    std::vector<std::string> lines = ReadLines(m_path);
    std::string current;
    int sectionEnd = -1;
    bool written = false;
    for (std::size_t i = 0; i < lines.size() && !written; ++i) {
        std::string name;
        std::string value;
        if (IsSectionLine(lines[i], &name)) {
            current = name;
            if (current == section)
                sectionEnd = static_cast<int>(i) + 1;
        } else if (current == section) {
            if (IsEntryLine(lines[i], entry, &value)) {
                lines[i] = entry + "=" + raw;
                written = true;
            } else if (!Trim(lines[i]).empty()) {
                sectionEnd = static_cast<int>(i) + 1;
            }
        }
    }
    if (!written) {
        if (sectionEnd < 0) {
            lines.push_back("[" + section + "]");
            lines.push_back(entry + "=" + raw);
        } else {
            lines.insert(lines.begin() + sectionEnd, entry + "=" + raw);
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ec);
    const std::string temp = m_path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        for (const std::string& line : lines)
            out << line << '\n';
        if (!out.flush())
            return false;
    }
    std::filesystem::rename(temp, m_path, ec);
    return !ec;
}

bool Profile::WriteBinary(const std::string& section, const std::string& entry, const std::vector<std::uint8_t>& value)
{
    return WriteRaw(section, entry, EncodeBinaryValue(value));
}

bool Profile::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    return WriteRaw(section, entry, value);
}
