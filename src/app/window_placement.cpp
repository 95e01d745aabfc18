// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "app/window_placement.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kMinWidth = 200;
constexpr int kMinHeight = 150;
// Beyond this a coordinate or a size is nothing a window system gives.
constexpr int kFar = 32000;

long long Overlap(const RECT& a, const RECT& b)
{
    const long long w = static_cast<long long>(std::min(a.right, b.right)) - std::max(a.left, b.left);
    const long long h = static_cast<long long>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Moves [low, low + size) inside [from, to) as far as it fits, the start first.
LONG Inside(LONG low, LONG size, LONG from, LONG to)
{
    return std::max(from, std::min(low, to - size));
}

} // namespace

std::string FormatPlacement(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right - rc.left) + "," +
           std::to_string(rc.bottom - rc.top);
}

std::optional<RECT> ParsePlacement(const std::string& text)
{
    // Exactly four numbers, each followed by a comma but the last.
    int numbers[4] = {};
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        const auto [next, error] = std::from_chars(p, end, numbers[i]);
        if (error != std::errc() || next == p)
            return std::nullopt;
        p = next;
        if (i < 3 && (p == end || *p++ != ','))
            return std::nullopt;
    }
    if (p != end)
        return std::nullopt;
    const int left = numbers[0], top = numbers[1], width = numbers[2], height = numbers[3];
    if (width < kMinWidth || height < kMinHeight || width > kFar || height > kFar || left < -kFar || top < -kFar ||
        left > kFar || top > kFar)
        return std::nullopt;
    return RECT{left, top, left + width, top + height};
}

bool BeyondScreens(const RECT& rc, const std::vector<ScreenArea>& screens)
{
    if (screens.empty())
        return false;
    RECT desktop = screens.front().whole;
    for (const ScreenArea& screen : screens) {
        desktop.left = std::min(desktop.left, screen.whole.left);
        desktop.top = std::min(desktop.top, screen.whole.top);
        desktop.right = std::max(desktop.right, screen.whole.right);
        desktop.bottom = std::max(desktop.bottom, screen.whole.bottom);
    }
    return rc.right - rc.left > desktop.right - desktop.left || rc.bottom - rc.top > desktop.bottom - desktop.top;
}

RECT KeepOnScreen(const RECT& rc, const std::vector<ScreenArea>& screens)
{
    if (screens.empty())
        return rc;
    const ScreenArea* best = &screens.front();
    long long most = 0;
    for (const ScreenArea& screen : screens)
        if (const long long overlap = Overlap(rc, screen.work); overlap > most) {
            most = overlap;
            best = &screen;
        }
    const RECT& area = best->work;
    if (area.right <= area.left || area.bottom <= area.top)
        return rc;
    const LONG width = std::min(rc.right - rc.left, area.right - area.left);
    const LONG height = std::min(rc.bottom - rc.top, area.bottom - area.top);
    LONG left = rc.left;
    LONG top = rc.top;
    if (most == 0) {
        // On no screen (one that is gone): the middle of the primary one.
        left = area.left + (area.right - area.left - width) / 2;
        top = area.top + (area.bottom - area.top - height) / 2;
    }
    left = Inside(left, width, area.left, area.right);
    top = Inside(top, height, area.top, area.bottom);
    return RECT{left, top, left + width, top + height};
}
