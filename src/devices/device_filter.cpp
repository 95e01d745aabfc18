// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/device_filter.h"

#include "devices/device_texts.h"

namespace device {

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool IsMacSeparator(char c)
{
    return c == '-' || c == ':' || c == '.';
}

// Whether text, lowered, holds needle (already lower case).
bool ContainsLowered(std::string_view text, std::string_view needle)
{
    if (needle.size() > text.size())
        return false;
    for (std::size_t at = 0; at + needle.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < needle.size() && Lower(text[at + i]) == needle[i])
            ++i;
        if (i == needle.size())
            return true;
    }
    return false;
}

std::string MacDigits(const Mac& mac)
{
    constexpr char kHex[] = "0123456789abcdef";
    std::string digits(12, '0');
    for (std::size_t i = 0; i < mac.size(); ++i) {
        digits[2 * i] = kHex[mac[i] >> 4];
        digits[2 * i + 1] = kHex[mac[i] & 0xF];
    }
    return digits;
}

} // namespace

DeviceFilter::DeviceFilter(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    m_text.reserve(text.size());
    for (char c : text)
        m_text.push_back(Lower(c));
    for (char c : m_text) {
        if (IsHexDigit(c)) {
            m_macDigits.push_back(c);
        } else if (!IsMacSeparator(c)) {
            m_macDigits.clear();
            break;
        }
    }
}

bool DeviceFilter::Matches(const Device& d) const
{
    if (m_text.empty())
        return true;
    if (!m_macDigits.empty() && MacDigits(d.mac).find(m_macDigits) != std::string::npos)
        return true;
    if (ContainsLowered(ColumnText(d, kName), m_text))
        return true;
    for (const Ipv4* address : {&d.ip, &d.mask, &d.gateway})
        if (FormatDotted(*address).find(m_text) != std::string::npos)
            return true;
    return false;
}

} // namespace device
