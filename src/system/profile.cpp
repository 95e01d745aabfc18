// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/profile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <istream>
#include <string_view>

#include "system/atomic_file.h"
#include "system/percent_text.h"
#include "system/regular_file.h"

namespace {

std::string Trim(std::string_view s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return std::string(s.substr(b, e - b + 1));
}

bool IsSectionLine(const std::string& line, std::string* name)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']')
        return false;
    *name = t.substr(1, t.size() - 2);
    return true;
}

bool IsEntryLine(const std::string& line, const std::string& entry)
{
    const auto eq = line.find('=');
    return eq != std::string::npos && Trim(std::string_view(line).substr(0, eq)) == entry;
}

// Splits streamed text into lines while holding at most Profile::kMaxLine
// bytes: a line up to the limit reaches onLine whole, a longer one reaches
// onLong in pieces as it streams past (end set with its last piece).
class LineSplitter {
public:
    LineSplitter(std::function<void(const std::string&)> onLine, std::function<void(std::string_view, bool)> onLong)
        : m_onLine(std::move(onLine)), m_onLong(std::move(onLong))
    {
    }

    void Feed(const char* data, std::size_t size)
    {
        while (size > 0) {
            const void* nl = std::memchr(data, '\n', size);
            const std::size_t n = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - data) : size;
            Append(std::string_view(data, n));
            if (nl == nullptr)
                return;
            EndLine();
            data += n + 1;
            size -= n + 1;
        }
    }
    // The last line, when the text does not end with a line break.
    void Finish()
    {
        if (m_open)
            EndLine();
    }

private:
    void Append(std::string_view piece)
    {
        m_open = true;
        if (m_long) {
            m_onLong(piece, false);
        } else if (m_line.size() + piece.size() > Profile::kMaxLine) {
            m_long = true;
            m_onLong(m_line, false);
            m_onLong(piece, false);
            m_line.clear();
        } else {
            m_line.append(piece);
        }
    }
    void EndLine()
    {
        if (m_long)
            m_onLong({}, true);
        else
            m_onLine(m_line);
        m_line.clear();
        m_long = false;
        m_open = false;
    }

    std::function<void(const std::string&)> m_onLine;
    std::function<void(std::string_view, bool)> m_onLong;
    std::string m_line;
    bool m_long = false;
    bool m_open = false;
};

// Feeds everything read(buffer, size) yields; false when it fails (-1).
bool Stream(LineSplitter& splitter, const std::function<long(char*, std::size_t)>& read)
{
    char chunk[16 * 1024];
    for (;;) {
        const long n = read(chunk, sizeof chunk);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        splitter.Feed(chunk, static_cast<std::size_t>(n));
    }
    splitter.Finish();
    return true;
}

void ReadValues(const std::function<long(char*, std::size_t)>& read, ProfileValues& values)
{
    std::string current;
    LineSplitter lines(
        [&](const std::string& line) {
            std::string name;
            if (IsSectionLine(line, &name)) {
                current = name;
                return;
            }
            const auto eq = line.find('=');
            if (eq != std::string::npos)
                values.emplace(std::make_pair(current, Trim(std::string_view(line).substr(0, eq))),
                               Trim(std::string_view(line).substr(eq + 1)));
        },
        [](std::string_view, bool) {}); // ignored as if absent
    Stream(lines, read);
}

bool HasLineBreak(const std::string& text)
{
    return text.find_first_of("\r\n") != std::string::npos;
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
    ReadValues(
        [&in](char* buffer, std::size_t size) {
            in.read(buffer, static_cast<std::streamsize>(size));
            return static_cast<long>(in.gcount());
        },
        values);
}

void Profile::Load() const
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_values.clear();
    // A folder or a FIFO in the profile's place reads as no profile.
    RegularFile file;
    if (file.Open(m_path))
        ReadValues([&file](char* buffer, std::size_t size) { return file.Read(buffer, size); }, m_values);
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

bool Profile::WriteRaw(const std::string& section, const std::string& entry, const std::string& raw, std::string* error)
{
    std::string ignored;
    std::string& reason = error ? *error : ignored;
    m_loaded = false; // the next lookup reads what was written
    if (HasLineBreak(section) || HasLineBreak(entry) || HasLineBreak(raw)) {
        reason = "a setting cannot hold a line break";
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ec);
    RegularFile old;
    if (!old.Open(m_path) && !(old.Error().problem == FileProblem::kSystem && old.Error().error == ENOENT)) {
        // What cannot be read is not replaced.
        reason = old.Error().problem == FileProblem::kSystem ? std::strerror(old.Error().error)
                                                             : std::string("it is not a regular file");
        return false;
    }
    AtomicFileWriter out;
    if (!out.Open(m_path, &reason))
        return false;

    // The old lines stream to the new file. The value replaces the section's
    // first line of the entry, or joins the section after its last line that
    // is not blank, or comes last in a section of its own.
    const std::string newLine = entry + "=" + raw + "\n";
    bool inSection = false;
    bool written = false;
    std::string blanks; // blank lines of the section, held until it goes on
    const auto flushBlanks = [&] {
        out.Write(blanks);
        blanks.clear();
    };
    const auto writeValue = [&] {
        out.Write(newLine);
        written = true;
        inSection = false;
    };
    LineSplitter lines(
        [&](const std::string& line) {
            std::string name;
            if (IsSectionLine(line, &name)) {
                if (inSection)
                    writeValue();
                flushBlanks();
                inSection = !written && name == section;
                out.Write(line);
                out.Write("\n");
                return;
            }
            if (inSection && IsEntryLine(line, entry)) {
                flushBlanks();
                writeValue();
                return;
            }
            if (inSection && Trim(line).empty() && blanks.size() < kMaxLine) {
                blanks += line + "\n";
                return;
            }
            flushBlanks();
            out.Write(line);
            out.Write("\n");
        },
        [&](std::string_view piece, bool end) {
            flushBlanks();
            out.Write(piece);
            if (end)
                out.Write("\n");
        });
    if (old.Error().problem == FileProblem::kNone &&
        !Stream(lines, [&old](char* buffer, std::size_t size) { return old.Read(buffer, size); })) {
        reason = std::strerror(old.Error().error);
        return false;
    }
    if (inSection)
        writeValue();
    flushBlanks();
    if (!written)
        out.Write("[" + section + "]\n" + newLine);
    return out.Commit(&reason);
}

bool Profile::WriteBinary(const std::string& section, const std::string& entry, const std::vector<std::uint8_t>& value,
                          std::string* error)
{
    return WriteRaw(section, entry, EncodeBinaryValue(value), error);
}

bool Profile::WriteString(const std::string& section, const std::string& entry, const std::string& value,
                          std::string* error)
{
    return WriteRaw(section, entry, value, error);
}
