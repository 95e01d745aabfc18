// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The help texts: one for the program, one per subcommand; each fits a screen.
#pragma once

#include <string>

#include "cli_options.h"

namespace cli {

std::string OverallHelp();
std::string CommandHelp(Command command);

} // namespace cli
