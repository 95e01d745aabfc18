// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/quoted_argument.h"

#include <cstdio>

#include "system/utf8_text.h"

std::string QuoteArgument(std::string_view text)
{
    std::string out = "'";
    std::size_t shown = 0;
    std::size_t i = 0;
    while (i < text.size() && shown < kMaxQuoted) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = Utf8SequenceLength(text, i);
        if (n == 0 || (n == 1 && (c < 0x20 || c == 0x7F))) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
            out += hex;
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
        ++shown;
    }
    if (i < text.size())
        out += "...";
    out += '\'';
    return out;
}
