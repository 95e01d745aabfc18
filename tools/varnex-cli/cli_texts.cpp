// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_texts.h"

#include <cstdio>

#include "framework/resources.h"
#include "framework/win_messages.h"
#include "system/utf8_text.h"

namespace cli {

std::string TooLongMessage(std::size_t limit)
{
    std::string text = AfxLoadString(AFX_IDP_PARSE_STRING_SIZE);
    const std::string number = std::to_string(limit);
    for (std::size_t at = text.find("%1"); at != std::string::npos; at = text.find("%1", at + number.size()))
        text.replace(at, 2, number);
    return text;
}

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

} // namespace cli
