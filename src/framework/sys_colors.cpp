// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <algorithm>
#include <iterator>

#include "framework/dc.h"

namespace {

// The classic desktop colours, used until a host supplies its palette.
constexpr COLORREF kClassic[COLOR_COUNT] = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(51, 153, 255),  RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(51, 153, 255),
    RGB(240, 240, 240)};

COLORREF g_colours[COLOR_COUNT] = {};
bool g_initialised = false;

void EnsureInitialised()
{
    if (!g_initialised) {
        std::copy(std::begin(kClassic), std::end(kClassic), std::begin(g_colours));
        g_initialised = true;
    }
}

} // namespace

COLORREF GetSysColor(int index)
{
    EnsureInitialised();
    if (index < 0 || index >= COLOR_COUNT)
        return 0;
    return g_colours[index];
}

void SetSysColors(const COLORREF (&colours)[COLOR_COUNT])
{
    std::copy(std::begin(colours), std::end(colours), std::begin(g_colours));
    g_initialised = true;
}

void ResetSysColors()
{
    g_initialised = false;
    EnsureInitialised();
}
