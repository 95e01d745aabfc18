// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/utf8_text.h"

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos, char32_t* cp)
{
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = at(pos);
    if (lead < 0x80) {
        if (cp)
            *cp = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // overlong below
        if (lead == 0xED)
            high = 0x9F; // surrogates above
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (pos + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char b = at(pos + i);
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF))
            return 0;
        value = (value << 6) | (b & 0x3F);
    }
    if (cp)
        *cp = value;
    return length;
}

std::string Utf8FromWireText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8SequenceLength(text, i);
        if (n > 0) {
            out.append(text.substr(i, n));
            i += n;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i++]);
        out += static_cast<char>(0xC0 | (byte >> 6));
        out += static_cast<char>(0x80 | (byte & 0x3F));
    }
    return out;
}
