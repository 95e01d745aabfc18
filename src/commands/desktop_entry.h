// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Desktop entry files (.desktop) as far as starting a program needs them: the
// file of a desktop file id in the XDG data dirs, and its Exec line turned
// into a command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace browser {

using CommandLine = std::vector<std::string>;

struct DesktopEntry {
    std::string exec;
    std::string name;
    std::string icon;
    std::string tryExec;
    bool hidden = false;
};

// The keys of the [Desktop Entry] group; nothing when the file cannot be read
// or has no such group.
std::optional<DesktopEntry> ReadDesktopEntry(const std::string& path);

// The file of a desktop file id ("firefox.desktop", "org-example-web.desktop"
// may be org/example-web.desktop) in <dir>/applications of the first data dir
// that has it; empty when none has.
std::string FindDesktopFile(const std::vector<std::string>& dataDirs, const std::string& desktopId);

// The Exec value split into arguments, its field codes filled in: %u %U %f %F
// take the argument (appended at the end when there is none of them), %i the
// icon, %c the name, %k the file, %% a percent sign; the deprecated ones go.
// Nothing when the value cannot be split (an unclosed quote) or is empty.
std::optional<CommandLine> ExpandExec(const DesktopEntry& entry, const std::string& file, const std::string& argument);

} // namespace browser
