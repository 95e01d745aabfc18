// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The simulator's command line.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim_device.h"
#include "sim_device_sources.h"

#include "system/quoted_argument.h"

namespace sim {

struct Options {
    std::uint16_t port = 36;
    std::uint16_t replyPort = 4000;
    Ipv4 broadcast{255, 255, 255, 255};
    std::vector<DeviceSource> sources; // in command-line order
    std::string logPath;               // empty: no log; "-": standard error
    bool logPasswords = false;         // the log shows the password bytes of commands
    std::chrono::milliseconds replyDelay{0};
    Clock::duration resetSilence = std::chrono::seconds(1);
    Clock::duration answerEvery{}; // zero: only answer probes
    bool ignoreCommands = false;   // every device drops every command
};

enum class OptionsResult { kRun, kHelp, kVersion, kUsageError };

// Accepts "--name value" and "--name=value"; args excludes the program name.
OptionsResult ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

std::string HelpText();
// "varnex-sim VERSION" and a line break.
std::string VersionText();

using ::QuoteArgument;

} // namespace sim
