// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The options that Qt itself reads from the command line, spelt "-name" or
// "--name": which take the next argument as their value, and the value one of
// them was given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class QtOption {
    kNone,      // not an option of Qt
    kFlag,      // alone, or with its value after '=' ("-style=fusion")
    kWithValue, // the next argument is its value
};

QtOption QtOptionKind(std::string_view arg);

// The value of a Qt option given as "-name value" or "--name value", or empty.
std::string QtOptionValue(const std::vector<std::string>& qtArgs, std::string_view name);
