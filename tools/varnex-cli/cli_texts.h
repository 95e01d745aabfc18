// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Texts of the program's string table that the command line shows as well, so
// that a script sees the same words as a user of the desktop program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cli {

// The password dialog's refusal of too long a text: "%1" replaced by the limit.
std::string TooLongMessage(std::size_t limit);

// A bad argument as an error message quotes it: in single quotes, at most
// kMaxQuoted characters of it followed by "..." when it is longer, with
// control characters and bytes that are not UTF-8 written as \xNN.
constexpr std::size_t kMaxQuoted = 64;
std::string QuoteArgument(std::string_view text);

} // namespace cli
