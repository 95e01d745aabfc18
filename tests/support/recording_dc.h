// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A device context that records what is drawn, with rectangles and colours,
// so drawing tests can ask "what fill covers this point" or "which texts were
// drawn in which colour". Metrics are those of FixedMetricsDC.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/fixed_metrics_dc.h"

struct DrawOp {
    enum class Kind { Fill, Line, Text, Image, FocusRect, HeaderSection, CheckBox };
    Kind kind = Kind::Fill;
    RECT rc{};           // device coordinates; a line's two end points for Line
    COLORREF colour = 0; // fill or line colour; text colour for Text
    COLORREF bk = 0;     // the context's background colour when a text was drawn
    std::string text;
    UINT format = 0; // DrawText format, or ILD_ style of an image
    const CImageList* images = nullptr;
    int image = -1;
    bool checked = false;
    HeaderSectionPaint section;
};

class RecordingDC : public FixedMetricsDC {
public:
    void PatBlt(int x, int y, int width, int height) override;
    void FillSolidRect(const RECT& rc, COLORREF c) override;
    void DrawLine(int x1, int y1, int x2, int y2, COLORREF c) override;
    void DrawFocusRect(const RECT& rc) override;
    BOOL TextOut(int x, int y, std::string_view text) override;
    int DrawText(std::string_view text, RECT* rc, UINT format) override;
    void DrawImage(const CImageList* list, int index, int x, int y, int cx, int cy, UINT style) override;
    void DrawHeaderSection(const HeaderSectionPaint& section) override;
    void DrawCheckBox(const RECT& rc, bool checked) override;

    const std::vector<DrawOp>& Ops() const { return m_ops; }
    std::vector<DrawOp> Of(DrawOp::Kind kind) const;
    void Clear() { m_ops.clear(); }
    // The colour of the last fill covering the point, if any.
    std::optional<COLORREF> FillAt(int x, int y) const;
    // The first text drawn with exactly this content.
    const DrawOp* FindText(std::string_view text) const;

private:
    RECT ToDevice(const RECT& rc) const;
    std::vector<DrawOp> m_ops;
};
