// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The default web browser: found once per command, started once per device
// with the device's IP text as its argument.
#pragma once

#include <optional>
#include <string>

#include "commands/browser_candidates.h"

// The program path of a command line registered for the http protocol:
// everything up to and including the first "exe" (any case), without a leading
// double quote; nothing when there is no "exe" in its first 255 characters.
std::optional<std::string> BrowserPathFromRegisteredCommand(const std::string& commandLine);

// How this desktop starts its browser ($BROWSER, the desktop's default web
// browser, xdg-open), looked up once.
browser::BrowserEnvironment FindDefaultBrowser();

// Starts the first browser candidate that can be started with the argument
// unchanged; false with the reason when none could be.
bool OpenInBrowser(const browser::BrowserEnvironment& env, const std::string& argument, std::string& error);
