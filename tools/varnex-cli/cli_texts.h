// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Texts of the program's string table that the command line shows as well, so
// that a script sees the same words as a user of the desktop program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "system/quoted_argument.h"

namespace cli {

// The password dialog's refusal of too long a text: "%1" replaced by the limit.
std::string TooLongMessage(std::size_t limit);

using ::QuoteArgument;

} // namespace cli
