// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// How the programs quote a bad argument in an error message: in single quotes,
// at most kMaxQuoted characters of it followed by "..." when it is longer,
// with control characters and bytes that are not UTF-8 written as \xNN, so a
// hostile argument can neither flood nor drive the terminal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t kMaxQuoted = 64;
std::string QuoteArgument(std::string_view text);
