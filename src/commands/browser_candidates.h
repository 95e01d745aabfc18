// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Finding the web browser the way Linux desktops do: $BROWSER, then the
// desktop's default web browser, then xdg-open.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "commands/desktop_entry.h"

namespace browser {

struct BrowserEnvironment {
    std::string browserVariable;                        // $BROWSER; empty when unset
    std::function<std::string()> defaultBrowserId;      // "firefox.desktop"; empty when none
    std::vector<std::string> dataDirs;                  // XDG data dirs, first one first
    std::function<bool(const std::string&)> isRunnable; // a program name or path that can be started
};

// The command lines to try, in order, each with the argument in it:
// 1. every entry of $BROWSER (separated by ':') whose program is runnable; an
//    entry with %s has it replaced by the argument (%% is a percent sign),
//    other entries get the argument appended;
// 2. the Exec line of the desktop's default web browser (its .desktop file
//    found in the data dirs), when its program is runnable;
// 3. xdg-open, when runnable.
// The default browser is asked for only when $BROWSER gives nothing.
std::vector<CommandLine> BrowserCandidates(const BrowserEnvironment& env, const std::string& argument);

// This process's environment: $BROWSER, `xdg-settings get default-web-browser`,
// $XDG_DATA_HOME and $XDG_DATA_DIRS (with their defaults), and $PATH.
BrowserEnvironment SystemBrowserEnvironment();

} // namespace browser
