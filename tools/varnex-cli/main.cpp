// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli: the desktop program's discovery and device commands for scripts
// (see --help).
#include <cstdio>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "cli_options.h"
#include "system/standard_output.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    cli::Options options;
    std::string text;
    switch (cli::ParseCommandLine(args, options, text)) {
    case cli::ParseResult::kHelp:
    case cli::ParseResult::kVersion:
        return WriteStandardOutput("varnex-cli", text) ? cli::kSuccess : cli::kRuntimeFailure;
    case cli::ParseResult::kUsageError:
        std::fprintf(stderr, "varnex-cli: %s\n", text.c_str());
        return cli::kBadInput;
    case cli::ParseResult::kRun:
        break;
    }
    return cli::RunCommand(options);
}
