// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the command-line fuzz targets share: the input split at NUL bytes into
// the arguments, and the shape every refusal must have.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i)
        if (i == text.size() || text[i] == '\0') {
            args.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    return args;
}

// One line of at most 64 quoted characters (4 bytes a character at most,
// written as \xNN when not text) beside its own words, with nothing that
// could drive a terminal.
inline bool IsFairRefusal(const std::string& message)
{
    return !message.empty() && message.size() <= 600 && std::none_of(message.begin(), message.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
}
