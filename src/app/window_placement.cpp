// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "app/window_placement.h"

#include <charconv>
#include <vector>

std::string FormatPlacement(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right - rc.left) + "," +
           std::to_string(rc.bottom - rc.top);
}

std::optional<RECT> ParsePlacement(const std::string& text)
{
    // Exactly four numbers, each followed by a comma but the last.
    std::vector<int> numbers;
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (;;) {
        int value = 0;
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc() || next == p)
            return std::nullopt;
        numbers.push_back(value);
        p = next;
        if (p == end || numbers.size() == 4)
            break;
        if (*p++ != ',')
            return std::nullopt;
    }
    if (numbers.size() != 4 || p != end)
        return std::nullopt;
    const int left = numbers[0], top = numbers[1], width = numbers[2], height = numbers[3];
    constexpr int kFar = 32000;
    if (width < 200 || height < 150 || width > kFar || height > kFar || left < -kFar || top < -kFar || left > kFar ||
        top > kFar)
        return std::nullopt;
    return RECT{left, top, left + width, top + height};
}
