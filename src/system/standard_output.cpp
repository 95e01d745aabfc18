// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteStandardOutput(std::string_view program, std::string_view text)
{
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) == 0 && written)
        return true;
    const int error = errno != 0 ? errno : EIO;
    std::fprintf(stderr, "%.*s: cannot write to standard output: %s\n", static_cast<int>(program.size()),
                 program.data(), std::strerror(error));
    return false;
}
