// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/system_palette.h"

#include <QPalette>
#include <algorithm>
#include <iterator>

#include "framework/dc.h"
#include "qt_host/qt_dc.h"

namespace {

// Indices without a name in the drawing interface.
constexpr int kActiveCaption = 2;
constexpr int kInactiveCaption = 3;
constexpr int kMenu = 4;
constexpr int kMenuText = 7;
constexpr int kCaptionText = 9;
constexpr int kActiveBorder = 10;
constexpr int kInactiveBorder = 11;
constexpr int kAppWorkspace = 12;
constexpr int kInactiveCaptionText = 19;
constexpr int kInfoText = 23;
constexpr int kInfoBackground = 24;
constexpr int kGradientActiveCaption = 27;
constexpr int kGradientInactiveCaption = 28;
constexpr int kMenuHighlight = 29;
constexpr int kMenuBar = 30;

} // namespace

bool ApplySystemPalette(const QPalette& pal)
{
    COLORREF c[COLOR_COUNT];
    for (int i = 0; i < COLOR_COUNT; ++i)
        c[i] = GetSysColor(i);
    const auto set = [&](int index, QPalette::ColorGroup group, QPalette::ColorRole role) {
        c[index] = ToColorRef(pal.color(group, role));
    };
    constexpr auto A = QPalette::Active;
    constexpr auto I = QPalette::Inactive;
    constexpr auto D = QPalette::Disabled;
    set(COLOR_SCROLLBAR, A, QPalette::Button);
    set(COLOR_BACKGROUND, A, QPalette::Window);
    set(kActiveCaption, A, QPalette::Highlight);
    set(kInactiveCaption, I, QPalette::Highlight);
    set(kMenu, A, QPalette::Window);
    set(COLOR_WINDOW, A, QPalette::Base);
    set(COLOR_WINDOWFRAME, A, QPalette::Dark);
    set(kMenuText, A, QPalette::WindowText);
    set(COLOR_WINDOWTEXT, A, QPalette::Text);
    set(kCaptionText, A, QPalette::HighlightedText);
    set(kActiveBorder, A, QPalette::Button);
    set(kInactiveBorder, A, QPalette::Button);
    set(kAppWorkspace, A, QPalette::Mid);
    set(COLOR_HIGHLIGHT, A, QPalette::Highlight);
    set(COLOR_HIGHLIGHTTEXT, A, QPalette::HighlightedText);
    set(COLOR_BTNFACE, A, QPalette::Button);
    // The 3D edges as Qt's classic style draws them: light and shadow
    // outside, midlight and dark inside.
    set(COLOR_BTNSHADOW, A, QPalette::Dark);
    set(COLOR_GRAYTEXT, D, QPalette::Text);
    set(COLOR_BTNTEXT, A, QPalette::ButtonText);
    set(kInactiveCaptionText, D, QPalette::WindowText);
    set(COLOR_BTNHIGHLIGHT, A, QPalette::Light);
    set(COLOR_3DDKSHADOW, A, QPalette::Shadow);
    set(COLOR_3DLIGHT, A, QPalette::Midlight);
    set(kInfoText, A, QPalette::ToolTipText);
    set(kInfoBackground, A, QPalette::ToolTipBase);
    set(COLOR_HOTLIGHT, A, QPalette::Link);
    set(kGradientActiveCaption, A, QPalette::Highlight);
    set(kGradientInactiveCaption, I, QPalette::Highlight);
    set(kMenuHighlight, A, QPalette::Highlight);
    set(kMenuBar, A, QPalette::Window);

    bool changed = false;
    for (int i = 0; i < COLOR_COUNT; ++i)
        changed = changed || c[i] != GetSysColor(i);
    if (changed)
        SetSysColors(c);
    return changed;
}
