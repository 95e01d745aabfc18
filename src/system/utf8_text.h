// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Telling well-formed UTF-8 from other bytes in texts that came off the wire,
// and reading such texts as UTF-8 the way the window shows them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length (1-4) of the well-formed UTF-8 sequence that starts at pos, or 0
// when the byte there does not start one (overlong forms, surrogates and code
// points above U+10FFFF are not well formed). cp, when given, gets its code point.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos, char32_t* cp = nullptr);

// The text as UTF-8: well-formed sequences as they are, every other byte as
// its Latin-1 reading (0xE9 becomes U+00E9).
std::string Utf8FromWireText(std::string_view text);
