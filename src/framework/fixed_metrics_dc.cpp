// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/fixed_metrics_dc.h"

#include <memory>

#include "framework/wnd.h"

int Utf8Length(std::string_view text)
{
    int n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

CFont* FixedMetricsDC::SelectObject(CFont* font)
{
    CFont* old = m_font;
    m_font = font;
    return old;
}

CBrush* FixedMetricsDC::SelectObject(CBrush* brush)
{
    CBrush* old = m_brush;
    m_brush = brush;
    return old;
}

void FixedMetricsDC::PatBlt(int, int, int, int) {}
void FixedMetricsDC::FillSolidRect(const RECT&, COLORREF c)
{
    m_clrBk = c;
}
void FixedMetricsDC::DrawLine(int, int, int, int, COLORREF) {}
void FixedMetricsDC::DrawFocusRect(const RECT&) {}
BOOL FixedMetricsDC::TextOut(int, int, std::string_view)
{
    return TRUE;
}

int FixedMetricsDC::DrawText(std::string_view text, RECT* rc, UINT format)
{
    if (rc && (format & DT_CALCRECT)) {
        rc->right = rc->left + GetTextExtent(text).cx;
        rc->bottom = rc->top + kLineHeight;
    }
    return kLineHeight;
}

SIZE FixedMetricsDC::GetTextExtent(std::string_view text) const
{
    return SIZE{Utf8Length(text) * kCharWidth, kLineHeight};
}

BOOL FixedMetricsDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return FALSE;
    tm->tmHeight = kLineHeight;
    tm->tmAscent = 12;
    tm->tmDescent = 4;
    tm->tmInternalLeading = 0;
    tm->tmExternalLeading = 0;
    tm->tmAveCharWidth = kCharWidth;
    tm->tmMaxCharWidth = kCharWidth;
    return TRUE;
}

void FixedMetricsDC::GetClipBox(RECT* rc) const
{
    if (rc)
        *rc = m_clip;
}

int FixedMetricsDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case HORZRES:
        return m_clip.right - m_clip.left;
    case VERTRES:
        return m_clip.bottom - m_clip.top;
    default:
        return 0;
    }
}

void FixedMetricsDC::DrawImage(const CImageList*, int, int, int, int, int, UINT) {}
void FixedMetricsDC::DrawHeaderSection(const HeaderSectionPaint&) {}
void FixedMetricsDC::DrawCheckBox(const RECT&, bool) {}

POINT FixedMetricsDC::SetViewportOrg(int x, int y)
{
    const POINT old = m_origin;
    m_origin = POINT{x, y};
    return old;
}

void FixedMetricsDC::SetClipRect(const RECT* rc)
{
    m_clip = rc ? *rc : RECT{0, 0, 10000, 10000};
}

std::unique_ptr<CDC> CreateFixedMetricsDC()
{
    return std::make_unique<FixedMetricsDC>();
}
