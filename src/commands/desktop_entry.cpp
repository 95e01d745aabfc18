// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "commands/desktop_entry.h"

#include <fstream>
#include <sys/stat.h>

namespace browser {

namespace {

bool IsRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The escapes of a string value: \s \n \t \r \\.
std::string UnescapeValue(const std::string& raw)
{
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
            continue;
        }
        switch (raw[++i]) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            out += '\\';
            out += raw[i];
        }
    }
    return out;
}

struct Word {
    std::string text;
    bool quoted = false;
};

// Splits at blanks; double quotes group, and inside them a backslash takes
// the next character literally.
std::optional<std::vector<Word>> SplitExec(const std::string& exec)
{
    std::vector<Word> words;
    std::size_t i = 0;
    while (i < exec.size()) {
        if (exec[i] == ' ' || exec[i] == '\t') {
            ++i;
            continue;
        }
        Word word;
        while (i < exec.size() && exec[i] != ' ' && exec[i] != '\t') {
            if (exec[i] != '"') {
                word.text += exec[i++];
                continue;
            }
            word.quoted = true;
            ++i;
            while (i < exec.size() && exec[i] != '"') {
                if (exec[i] == '\\' && i + 1 < exec.size())
                    ++i;
                word.text += exec[i++];
            }
            if (i == exec.size())
                return std::nullopt;
            ++i;
        }
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace

std::optional<DesktopEntry> ReadDesktopEntry(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    DesktopEntry entry;
    bool inGroup = false;
    bool sawGroup = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inGroup = line == "[Desktop Entry]";
            sawGroup = sawGroup || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = line.substr(0, eq);
        while (!key.empty() && key.back() == ' ')
            key.pop_back();
        std::size_t start = eq + 1;
        while (start < line.size() && line[start] == ' ')
            ++start;
        const std::string value = UnescapeValue(line.substr(start));
        if (key == "Exec")
            entry.exec = value;
        else if (key == "Name")
            entry.name = value;
        else if (key == "Icon")
            entry.icon = value;
        else if (key == "TryExec")
            entry.tryExec = value;
        else if (key == "Hidden")
            entry.hidden = value == "true";
    }
    if (!sawGroup)
        return std::nullopt;
    return entry;
}

std::string FindDesktopFile(const std::vector<std::string>& dataDirs, const std::string& desktopId)
{
    if (desktopId.empty() || desktopId.find('/') != std::string::npos || desktopId.starts_with("."))
        return {};
    // Each '-' may stand for a directory level, from the left.
    std::vector<std::string> names{desktopId};
    std::string name = desktopId;
    for (std::size_t dash = name.find('-'); dash != std::string::npos; dash = name.find('-', dash + 1)) {
        name[dash] = '/';
        names.push_back(name);
    }
    for (const std::string& dir : dataDirs) {
        if (dir.empty())
            continue;
        for (const std::string& candidate : names) {
            const std::string path = dir + "/applications/" + candidate;
            if (IsRegularFile(path))
                return path;
        }
    }
    return {};
}

std::optional<CommandLine> ExpandExec(const DesktopEntry& entry, const std::string& file, const std::string& argument)
{
    const auto words = SplitExec(entry.exec);
    if (!words || words->empty())
        return std::nullopt;
    CommandLine argv;
    bool tookArgument = false;
    for (const Word& word : *words) {
        if (!word.quoted && word.text == "%i") {
            if (!entry.icon.empty()) {
                argv.push_back("--icon");
                argv.push_back(entry.icon);
            }
            continue;
        }
        std::string out;
        for (std::size_t i = 0; i < word.text.size(); ++i) {
            if (word.text[i] != '%' || i + 1 == word.text.size()) {
                out += word.text[i];
                continue;
            }
            switch (const char code = word.text[++i]) {
            case 'u':
            case 'U':
            case 'f':
            case 'F':
                out += argument;
                tookArgument = true;
                break;
            case 'c':
                out += entry.name;
                break;
            case 'k':
                out += file;
                break;
            case '%':
                out += '%';
                break;
            case 'd':
            case 'D':
            case 'n':
            case 'N':
            case 'v':
            case 'm':
            case 'i':
                break;
            default:
                out += '%';
                out += code;
            }
        }
        // A word that held only a deprecated field code is dropped altogether.
        if (!out.empty() || word.quoted)
            argv.push_back(std::move(out));
    }
    if (argv.empty())
        return std::nullopt;
    if (!tookArgument)
        argv.push_back(argument);
    return argv;
}

} // namespace browser
