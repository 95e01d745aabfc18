// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Any window-placement value from the profile, on any screens: a value that is
// taken reads back as it was written, and the place the frame then gets lies
// inside one screen's work area, no larger than the value asked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/window_placement.h"

namespace {

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

int Value(const std::uint8_t* p)
{
    return static_cast<std::int16_t>(p[0] | p[1] << 8);
}

// Up to three screens from the first bytes, each of 16: a whole area of up to
// 16384 pixels a side anywhere a window system puts one, a work area inside it.
std::vector<ScreenArea> Screens(const std::uint8_t*& data, std::size_t& size)
{
    std::vector<ScreenArea> screens;
    if (size == 0)
        return screens;
    const std::size_t count = data[0] % 4;
    ++data;
    --size;
    for (std::size_t i = 0; i < count && size >= 16; ++i, data += 16, size -= 16) {
        const int left = Value(data), top = Value(data + 2);
        const int width = 1 + (Value(data + 4) & 0x3FFF), height = 1 + (Value(data + 6) & 0x3FFF);
        const int dx = (Value(data + 8) & 0x7FFF) % width, dy = (Value(data + 10) & 0x7FFF) % height;
        const int workWidth = 1 + (Value(data + 12) & 0x7FFF) % (width - dx);
        const int workHeight = 1 + (Value(data + 14) & 0x7FFF) % (height - dy);
        screens.push_back(ScreenArea{RECT{left, top, left + width, top + height},
                                     RECT{left + dx, top + dy, left + dx + workWidth, top + dy + workHeight}});
    }
    return screens;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<ScreenArea> screens = Screens(data, size);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto placement = ParsePlacement(text);
    if (!placement)
        return 0;
    const auto again = ParsePlacement(FormatPlacement(*placement));
    if (!again || !Same(*again, *placement))
        std::abort();
    if (BeyondScreens(*placement, screens))
        return 0;
    const RECT kept = KeepOnScreen(*placement, screens);
    if (screens.empty()) {
        if (!Same(kept, *placement))
            std::abort();
        return 0;
    }
    if (kept.right - kept.left > placement->right - placement->left ||
        kept.bottom - kept.top > placement->bottom - placement->top || kept.right <= kept.left ||
        kept.bottom <= kept.top)
        std::abort();
    bool onAScreen = false;
    for (const ScreenArea& screen : screens)
        onAScreen = onAScreen || Inside(kept, screen.work);
    if (!onAScreen)
        std::abort();
    return 0;
}
