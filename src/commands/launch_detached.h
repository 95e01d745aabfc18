// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Starting a program that outlives this one.
#pragma once

#include <string>

#include "commands/desktop_entry.h"

namespace browser {

// Starts argv[0] (searched in $PATH) in a new session, with its standard streams
// on /dev/null, and does not wait for it. True once the program has
// been executed; false with the reason when it could not be.
bool StartDetached(const CommandLine& argv, std::string& error);

} // namespace browser
