// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "listctrl/sort_column_tint.h"

COLORREF SortColumnTint(COLORREF background)
{
    const int r = GetRValue(background);
    const int g = GetGValue(background);
    const int b = GetBValue(background);
    if (r > 240 && g > 240 && b > 240)
        return RGB(r - 8, g - 8, b - 8);
    const auto lighter = [](int x) { return x >= 232 ? 255 : x + x / 10; };
    return RGB(lighter(r), lighter(g), lighter(b));
}
