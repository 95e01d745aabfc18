// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Asking for a secret on a terminal without showing what is typed.
#pragma once

#include <cstddef>
#include <string>

namespace cli {

// Writes the prompt to standard error, switches the terminal's echo off, reads
// one line (keeping at most keep bytes) and restores the terminal, also when
// the program is interrupted meanwhile. False when the terminal cannot be set.
bool PromptWithoutEcho(int fd, const char* prompt, std::string& line, std::size_t keep);

} // namespace cli
