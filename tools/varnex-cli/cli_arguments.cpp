// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_arguments.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "commands/command_packet.h"

namespace cli {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr double kMaxSeconds = 3600.0;

} // namespace

bool ParseIpArgument(std::string_view text, Ipv4& result)
{
    Ipv4 ip;
    std::size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return false;
            ++pos;
        }
        unsigned value = 0;
        int digits = 0;
        while (pos < text.size() && IsDigit(text[pos])) {
            value = value * 10 + static_cast<unsigned>(text[pos] - '0');
            ++pos;
            if (++digits > 3)
                return false;
        }
        if (digits == 0 || value > 255)
            return false;
        ip.bytes[part] = static_cast<std::uint8_t>(value);
    }
    if (pos != text.size())
        return false;
    result = ip;
    return true;
}

bool ParseMacSelector(std::string_view text, Mac& mac)
{
    // One separator throughout; the shared parser reads the '-' form.
    const bool colons = text.find(':') != std::string_view::npos;
    if (colons && text.find('-') != std::string_view::npos)
        return false;
    std::string dashed(text);
    if (colons)
        std::replace(dashed.begin(), dashed.end(), ':', '-');
    return ParseNewMac(dashed, mac);
}

bool ParseNewMac(std::string_view text, Mac& mac)
{
    if (!IsWellFormedMac(text))
        return false;
    ParseMacBytes(text, mac.bytes, 6); // well formed: exactly six groups
    return true;
}

bool ParsePort(std::string_view text, std::uint16_t& port)
{
    if (text.empty() || text.size() > 5)
        return false;
    unsigned value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value < 1 || value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

bool ParseSeconds(std::string_view text, double& seconds)
{
    // Digits with at most one '.', at least one digit; no exponent, sign, "inf".
    int digits = 0;
    int dots = 0;
    for (char c : text) {
        if (IsDigit(c))
            ++digits;
        else if (c == '.')
            ++dots;
        else
            return false;
    }
    if (digits == 0 || dots > 1 || text.size() > 32)
        return false;
    double whole = 0;
    double scale = 0;
    for (char c : text) {
        if (c == '.') {
            scale = 0.1;
            continue;
        }
        const int d = c - '0';
        if (scale == 0) {
            whole = whole * 10 + d;
        } else {
            whole += d * scale;
            scale /= 10;
        }
    }
    if (whole <= 0 || whole > kMaxSeconds)
        return false;
    seconds = whole;
    return true;
}

} // namespace cli
