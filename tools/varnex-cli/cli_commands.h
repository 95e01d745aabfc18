// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Running a parsed command line: each subcommand end to end, with its
// messages on standard error and its result on standard output.
#pragma once

#include "cli_options.h"

namespace cli {

// kNotConfirmed: the command was sent, but the device did not answer as it should afterwards.
enum ExitStatus { kSuccess = 0, kRuntimeFailure = 1, kBadInput = 2, kNotConfirmed = 3 };

int RunCommand(const Options& options);

} // namespace cli
