// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "commands/browser_candidates.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace browser {

namespace {

std::vector<std::string> Split(const std::string& text, char sep)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(sep, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// One $BROWSER entry: words separated by blanks, %s the argument.
CommandLine EntryCommandLine(const std::string& entry, const std::string& argument)
{
    CommandLine argv;
    bool tookArgument = false;
    for (const std::string& word : Split(entry, ' ')) {
        if (word.empty())
            continue;
        std::string out;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (word[i] == '%' && i + 1 < word.size() && (word[i + 1] == 's' || word[i + 1] == '%')) {
                tookArgument = tookArgument || word[i + 1] == 's';
                out += word[i + 1] == 's' ? argument : "%";
                ++i;
            } else {
                out += word[i];
            }
        }
        argv.push_back(std::move(out));
    }
    if (!argv.empty() && !tookArgument)
        argv.push_back(argument);
    return argv;
}

std::string Trim(std::string text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && blank(text[start]))
        ++start;
    return text.substr(start);
}

std::string EnvOr(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

bool IsExecutableFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool IsOnPath(const std::string& program)
{
    if (program.empty())
        return false;
    if (program.find('/') != std::string::npos)
        return IsExecutableFile(program);
    for (const std::string& dir : Split(EnvOr("PATH", "/usr/local/bin:/usr/bin:/bin"), ':'))
        if (IsExecutableFile((dir.empty() ? "." : dir) + "/" + program))
            return true;
    return false;
}

std::string AskDefaultBrowserId()
{
    if (!IsOnPath("xdg-settings"))
        return {};
    FILE* pipe = ::popen("xdg-settings get default-web-browser 2>/dev/null", "r");
    if (!pipe)
        return {};
    std::string out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, pipe))
        out += buf;
    ::pclose(pipe);
    return Trim(out);
}

} // namespace

std::vector<CommandLine> BrowserCandidates(const BrowserEnvironment& env, const std::string& argument)
{
    std::vector<CommandLine> candidates;
    for (const std::string& entry : Split(env.browserVariable, ':')) {
        CommandLine argv = EntryCommandLine(entry, argument);
        if (!argv.empty() && env.isRunnable(argv[0]))
            candidates.push_back(std::move(argv));
    }
    if (candidates.empty() && env.defaultBrowserId) {
        const std::string id = env.defaultBrowserId();
        const std::string file = FindDesktopFile(env.dataDirs, id);
        if (!file.empty()) {
            const auto entry = ReadDesktopEntry(file);
            if (entry && !entry->hidden && (entry->tryExec.empty() || env.isRunnable(entry->tryExec))) {
                auto argv = ExpandExec(*entry, file, argument);
                if (argv && env.isRunnable(argv->front()))
                    candidates.push_back(std::move(*argv));
            }
        }
    }
    if (env.isRunnable("xdg-open"))
        candidates.push_back({"xdg-open", argument});
    return candidates;
}

BrowserEnvironment SystemBrowserEnvironment()
{
    BrowserEnvironment env;
    env.browserVariable = EnvOr("BROWSER", "");
    env.defaultBrowserId = AskDefaultBrowserId;
    const char* home = std::getenv("HOME");
    env.dataDirs.push_back(EnvOr("XDG_DATA_HOME", home ? std::string(home) + "/.local/share" : ""));
    for (const std::string& dir : Split(EnvOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share"), ':'))
        env.dataDirs.push_back(dir);
    env.isRunnable = IsOnPath;
    return env;
}

} // namespace browser
