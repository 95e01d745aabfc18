// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the programs print on request (--help, --version): written and flushed
// at once, so that output that went nowhere (a full disk, a closed stdout) is
// a failure and not a silent success.
#pragma once

#include <string_view>

// False after telling on standard error, as "PROGRAM: cannot write ...: reason".
bool WriteStandardOutput(std::string_view program, std::string_view text);
