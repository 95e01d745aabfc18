// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/change_log_reader.h"

#include <algorithm>
#include <cerrno>
#include <set>

#include "system/utf8_text.h"

namespace device {

namespace {

// Values nested deeper than this are refused: no entry has them, and the
// reader must not recurse without end on a line of brackets.
constexpr int kMaxDepth = 16;

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A cursor over one line of JSON; every reader returns false at the first
// byte that does not fit.
class JsonLine {
public:
    explicit JsonLine(std::string_view text) : m_text(text) {}

    void Blanks()
    {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\r'))
            ++m_at;
    }
    bool AtEnd()
    {
        Blanks();
        return m_at == m_text.size();
    }
    bool Take(char c)
    {
        Blanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word)
    {
        Blanks();
        if (m_text.substr(m_at, word.size()) != word)
            return false;
        m_at += word.size();
        return true;
    }
    char Next()
    {
        Blanks();
        return m_at < m_text.size() ? m_text[m_at] : '\0';
    }

    bool String(std::string& out)
    {
        out.clear();
        if (!Take('"'))
            return false;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at];
            if (c == '"') {
                ++m_at;
                return true;
            }
            if (c == '\\') {
                if (!Escape(out))
                    return false;
                continue;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return false; // a raw control character is not JSON
            char32_t cp = 0;
            const std::size_t n = Utf8SequenceLength(m_text, m_at, &cp);
            if (n == 0)
                return false;
            if (cp == 0x7F)
                AppendUtf8(out, 0xFFFD);
            else
                out.append(m_text.substr(m_at, n));
            m_at += n;
        }
        return false;
    }

    // Any value, passed over.
    bool Skip(int depth)
    {
        if (depth > kMaxDepth)
            return false;
        std::string text;
        switch (Next()) {
        case '"':
            return String(text);
        case '{':
            Take('{');
            if (Take('}'))
                return true;
            do {
                if (!String(text) || !Take(':') || !Skip(depth + 1))
                    return false;
            } while (Take(','));
            return Take('}');
        case '[':
            Take('[');
            if (Take(']'))
                return true;
            do {
                if (!Skip(depth + 1))
                    return false;
            } while (Take(','));
            return Take(']');
        case 't':
            return Word("true");
        case 'f':
            return Word("false");
        case 'n':
            return Word("null");
        default:
            return Number();
        }
    }

    // {"name": "value", ...}: the fields of before and after.
    bool Fields(std::vector<std::pair<std::string, std::string>>& out)
    {
        if (!Take('{'))
            return false;
        if (Take('}'))
            return true;
        std::set<std::string> seen;
        do {
            std::string name;
            std::string value;
            if (!String(name) || !Take(':') || !String(value) || !seen.insert(name).second)
                return false;
            out.emplace_back(std::move(name), std::move(value));
        } while (Take(','));
        return Take('}');
    }

private:
    bool Number()
    {
        const std::size_t start = m_at;
        const auto digits = [this] {
            const std::size_t from = m_at;
            while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
                ++m_at;
            return m_at > from;
        };
        if (m_at < m_text.size() && m_text[m_at] == '-')
            ++m_at;
        if (!digits())
            return false;
        if (m_at < m_text.size() && m_text[m_at] == '.') {
            ++m_at;
            if (!digits())
                return false;
        }
        if (m_at < m_text.size() && (m_text[m_at] == 'e' || m_text[m_at] == 'E')) {
            ++m_at;
            if (m_at < m_text.size() && (m_text[m_at] == '+' || m_text[m_at] == '-'))
                ++m_at;
            if (!digits())
                return false;
        }
        return m_at > start;
    }

    bool Hex4(char32_t& value)
    {
        if (m_text.size() - m_at < 4)
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return false;
            value = value * 16 + static_cast<char32_t>(digit);
        }
        return true;
    }

    bool Escape(std::string& out)
    {
        ++m_at; // the backslash
        if (m_at >= m_text.size())
            return false;
        const char c = m_text[m_at++];
        switch (c) {
        case '"':
        case '\\':
        case '/':
            out += c;
            return true;
        case 'b':
        case 'f':
        case 'n':
        case 'r':
        case 't':
            AppendUtf8(out, 0xFFFD); // a control character has no place in a column
            return true;
        case 'u':
            break;
        default:
            return false;
        }
        char32_t cp = 0;
        if (!Hex4(cp))
            return false;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            char32_t low = 0;
            if (m_text.substr(m_at, 2) != "\\u")
                return false;
            m_at += 2;
            if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF)
                return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return false;
        }
        AppendUtf8(out, cp < 0x20 || cp == 0x7F ? 0xFFFD : cp);
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

// 2024-05-01T14:03:22Z, as the log writes it.
std::optional<std::time_t> ParseUtc(std::string_view text)
{
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const auto number = [&text](std::size_t at, std::size_t length, int& value) {
        value = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    std::tm tm{};
    if (!number(0, 4, tm.tm_year) || !number(5, 2, tm.tm_mon) || !number(8, 2, tm.tm_mday) ||
        !number(11, 2, tm.tm_hour) || !number(14, 2, tm.tm_min) || !number(17, 2, tm.tm_sec))
        return std::nullopt;
    if (tm.tm_year < 1970 || tm.tm_mon < 1 || tm.tm_mon > 12 || tm.tm_mday < 1 || tm.tm_mday > 31 || tm.tm_hour > 23 ||
        tm.tm_min > 59 || tm.tm_sec > 60)
        return std::nullopt;
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    return ::timegm(&tm);
}

void ReadFile(ChangeLogFile& file, std::vector<ChangeEntry>& entries)
{
    std::vector<unsigned char> data;
    if (!ReadRegularFile(file.path, kMaxChangeLogFileBytes, data, file.error)) {
        file.present = !(file.error.problem == FileProblem::kSystem && file.error.error == ENOENT);
        if (!file.present)
            file.error = {};
        return;
    }
    file.present = true;
    ChangeLines lines = ParseChangeLines(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    file.entries = lines.entries.size();
    file.badLines = lines.badLines;
    file.firstBadLine = lines.firstBadLine;
    entries.insert(entries.end(), std::make_move_iterator(lines.entries.begin()),
                   std::make_move_iterator(lines.entries.end()));
}

} // namespace

std::optional<ChangeEntry> ParseChangeLine(std::string_view line)
{
    JsonLine json(line);
    ChangeEntry entry;
    if (!json.Take('{'))
        return std::nullopt;
    std::set<std::string> seen;
    std::string time;
    if (!json.Take('}')) {
        do {
            std::string key;
            if (!json.String(key) || !json.Take(':') || !seen.insert(key).second)
                return std::nullopt;
            bool ok = true;
            if (key == "time") {
                ok = json.String(time);
            } else if (key == "program") {
                ok = json.String(entry.program);
            } else if (key == "interface") {
                ok = json.Word("null") || json.String(entry.interfaceName);
            } else if (key == "mac") {
                ok = json.String(entry.mac);
            } else if (key == "command") {
                ok = json.String(entry.command);
            } else if (key == "before") {
                ok = json.Fields(entry.before);
            } else if (key == "after") {
                ok = json.Fields(entry.after);
            } else if (key == "confirmed") {
                if (json.Word("true"))
                    entry.confirmed = true;
                else if (json.Word("false"))
                    entry.confirmed = false;
                else
                    ok = json.Word("null");
            } else {
                ok = json.Skip(1);
            }
            if (!ok)
                return std::nullopt;
        } while (json.Take(','));
        if (!json.Take('}'))
            return std::nullopt;
    }
    if (!json.AtEnd())
        return std::nullopt;
    for (const char* required : {"time", "program", "mac", "command"})
        if (!seen.contains(required))
            return std::nullopt;
    const std::optional<std::time_t> when = ParseUtc(time);
    if (!when)
        return std::nullopt;
    entry.time = *when;
    return entry;
}

ChangeLines ParseChangeLines(std::string_view text)
{
    ChangeLines lines;
    std::size_t number = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos)
            continue;
        if (std::optional<ChangeEntry> entry = ParseChangeLine(line)) {
            lines.entries.push_back(std::move(*entry));
        } else {
            if (lines.badLines++ == 0)
                lines.firstBadLine = number;
        }
    }
    return lines;
}

ChangeHistory ReadChangeHistory(const std::string& path)
{
    ChangeHistory history;
    if (path.empty())
        return history;
    history.current.path = path;
    history.older.path = path + ".1";
    // Oldest first, as they were written; then the newest at the top.
    ReadFile(history.older, history.entries);
    ReadFile(history.current, history.entries);
    std::reverse(history.entries.begin(), history.entries.end());
    std::stable_sort(history.entries.begin(), history.entries.end(),
                     [](const ChangeEntry& a, const ChangeEntry& b) { return a.time > b.time; });
    return history;
}

} // namespace device
