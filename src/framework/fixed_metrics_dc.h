// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A device context that draws nothing and measures every character as the
// same width: the stand-in where no toolkit is present, and the base of the
// recording context the tests use.
#pragma once

#include "framework/dc.h"

class FixedMetricsDC : public CDC {
public:
    static constexpr int kCharWidth = 7;
    static constexpr int kLineHeight = 16;

    CFont* SelectObject(CFont* font) override;
    CBrush* SelectObject(CBrush* brush) override;
    void PatBlt(int x, int y, int width, int height) override;
    void FillSolidRect(const RECT& rc, COLORREF c) override;
    void DrawLine(int x1, int y1, int x2, int y2, COLORREF c) override;
    void DrawFocusRect(const RECT& rc) override;
    BOOL TextOut(int x, int y, std::string_view text) override;
    int DrawText(std::string_view text, RECT* rc, UINT format) override;
    SIZE GetTextExtent(std::string_view text) const override;
    BOOL GetTextMetrics(TEXTMETRIC* tm) const override;
    void GetClipBox(RECT* rc) const override;
    int GetDeviceCaps(int index) const override;
    void DrawImage(const CImageList* list, int index, int x, int y, int cx, int cy, UINT style) override;
    void DrawHeaderSection(const HeaderSectionPaint& section) override;
    void DrawCheckBox(const RECT& rc, bool checked) override;
    POINT SetViewportOrg(int x, int y) override;
    void SetClipRect(const RECT* rc) override;

    void SetClipBox(const RECT& rc) { m_clip = rc; }
    CBrush* SelectedBrush() const { return m_brush; }
    CFont* SelectedFont() const { return m_font; }

protected:
    CFont* m_font = nullptr;
    CBrush* m_brush = nullptr;
    RECT m_clip{0, 0, 10000, 10000};
    POINT m_origin{};
};

// Number of characters (code points) of a UTF-8 text.
int Utf8Length(std::string_view text);
