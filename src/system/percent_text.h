// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Hex digits and %XX escapes, as the profile's binary values, the simulator's
// device files and the scripted dialog answers write bytes in text.
#pragma once

#include <string>
#include <string_view>

// The value of one hex digit (either case), or -1.
int HexDigitValue(char c);

// Appends raw to out with each %XX replaced by its byte; false, with out
// holding what came before, when a '%' is not followed by two hex digits.
bool AppendPercentDecoded(std::string_view raw, std::string& out);
