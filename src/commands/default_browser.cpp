// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "commands/default_browser.h"

#include <cctype>

#include "commands/launch_detached.h"

std::optional<std::string> BrowserPathFromRegisteredCommand(const std::string& commandLine)
{
    // The value is read into a 256-byte buffer: at most 255 characters count.
    const std::string text = commandLine.substr(0, std::min<std::size_t>(commandLine.size(), 255));
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    for (std::size_t i = 0; i <= 252 && i + 2 < text.size(); ++i) {
        if (lower(text[i]) == 'e' && lower(text[i + 1]) == 'x' && lower(text[i + 2]) == 'e') {
            const std::size_t start = text[0] == '"' ? 1 : 0;
            return text.substr(start, i + 3 - start);
        }
    }
    return std::nullopt;
}

browser::BrowserEnvironment FindDefaultBrowser()
{
    return browser::SystemBrowserEnvironment();
}

bool OpenInBrowser(const browser::BrowserEnvironment& env, const std::string& argument, std::string& error)
{
    error = "no browser found (set BROWSER, or install xdg-utils)";
    for (const browser::CommandLine& argv : browser::BrowserCandidates(env, argument))
        if (browser::StartDetached(argv, error))
            return true;
    return false;
}
