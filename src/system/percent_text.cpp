// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/percent_text.h"

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool AppendPercentDecoded(std::string_view raw, std::string& out)
{
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '%') {
            out.push_back(raw[i]);
            continue;
        }
        const int hi = i + 1 < raw.size() ? HexDigitValue(raw[i + 1]) : -1;
        const int lo = i + 2 < raw.size() ? HexDigitValue(raw[i + 2]) : -1;
        if (hi < 0 || lo < 0)
            return false;
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
    }
    return true;
}
