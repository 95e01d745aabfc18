// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// How well a picture stands out from the background it is drawn on: the share
// of its opaque pixels whose colour has at least a given contrast ratio (as
// WCAG defines it) to the background.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace test_support {

inline double RelativeLuminance(std::uint32_t rgb)
{
    const auto linear = [](std::uint32_t c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear((rgb >> 16) & 0xFF) + 0.7152 * linear((rgb >> 8) & 0xFF) + 0.0722 * linear(rgb & 0xFF);
}

inline double ContrastRatio(std::uint32_t a, std::uint32_t b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// argb: non-premultiplied 0xAARRGGBB pixels; background: 0xRRGGBB. Pixels at
// least half opaque count; 0 when there are none.
inline double ShareStandingOut(const std::vector<std::uint32_t>& argb, std::uint32_t background, double minRatio)
{
    int opaque = 0;
    int standing = 0;
    for (std::uint32_t px : argb) {
        if ((px >> 24) < 128)
            continue;
        ++opaque;
        if (ContrastRatio(px & 0xFFFFFF, background) >= minRatio)
            ++standing;
    }
    return opaque ? static_cast<double>(standing) / opaque : 0.0;
}

} // namespace test_support
