// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "support/recording_dc.h"

RECT RecordingDC::ToDevice(const RECT& rc) const
{
    return RECT{rc.left + m_origin.x, rc.top + m_origin.y, rc.right + m_origin.x, rc.bottom + m_origin.y};
}

void RecordingDC::PatBlt(int x, int y, int width, int height)
{
    DrawOp op;
    op.kind = DrawOp::Kind::Fill;
    op.rc = ToDevice(RECT{x, y, x + width, y + height});
    op.colour = m_brush ? m_brush->colour : 0;
    m_ops.push_back(op);
}

void RecordingDC::FillSolidRect(const RECT& rc, COLORREF c)
{
    FixedMetricsDC::FillSolidRect(rc, c);
    DrawOp op;
    op.kind = DrawOp::Kind::Fill;
    op.rc = ToDevice(rc);
    op.colour = c;
    m_ops.push_back(op);
}

void RecordingDC::DrawLine(int x1, int y1, int x2, int y2, COLORREF c)
{
    DrawOp op;
    op.kind = DrawOp::Kind::Line;
    op.rc = ToDevice(RECT{x1, y1, x2, y2});
    op.colour = c;
    m_ops.push_back(op);
}

void RecordingDC::DrawFocusRect(const RECT& rc)
{
    DrawOp op;
    op.kind = DrawOp::Kind::FocusRect;
    op.rc = ToDevice(rc);
    m_ops.push_back(op);
}

BOOL RecordingDC::TextOut(int x, int y, std::string_view text)
{
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    const SIZE size = GetTextExtent(text);
    op.rc = ToDevice(RECT{x, y, x + size.cx, y + size.cy});
    op.text = std::string(text);
    op.colour = m_clrText;
    op.bk = m_clrBk;
    m_ops.push_back(op);
    return TRUE;
}

int RecordingDC::DrawText(std::string_view text, RECT* rc, UINT format)
{
    if (rc && !(format & DT_CALCRECT)) {
        DrawOp op;
        op.kind = DrawOp::Kind::Text;
        op.rc = ToDevice(*rc);
        op.text = std::string(text);
        op.colour = m_clrText;
        op.bk = m_clrBk;
        op.format = format;
        m_ops.push_back(op);
    }
    return FixedMetricsDC::DrawText(text, rc, format);
}

void RecordingDC::DrawImage(const CImageList* list, int index, int x, int y, int cx, int cy, UINT style)
{
    DrawOp op;
    op.kind = DrawOp::Kind::Image;
    op.rc = ToDevice(RECT{x, y, x + cx, y + cy});
    op.images = list;
    op.image = index;
    op.format = style;
    m_ops.push_back(op);
}

void RecordingDC::DrawHeaderSection(const HeaderSectionPaint& section)
{
    DrawOp op;
    op.kind = DrawOp::Kind::HeaderSection;
    op.rc = ToDevice(section.rc);
    op.text = section.text;
    op.section = section;
    m_ops.push_back(op);
}

void RecordingDC::DrawCheckBox(const RECT& rc, bool checked)
{
    DrawOp op;
    op.kind = DrawOp::Kind::CheckBox;
    op.rc = ToDevice(rc);
    op.checked = checked;
    m_ops.push_back(op);
}

std::vector<DrawOp> RecordingDC::Of(DrawOp::Kind kind) const
{
    std::vector<DrawOp> out;
    for (const DrawOp& op : m_ops)
        if (op.kind == kind)
            out.push_back(op);
    return out;
}

std::optional<COLORREF> RecordingDC::FillAt(int x, int y) const
{
    std::optional<COLORREF> colour;
    for (const DrawOp& op : m_ops)
        if (op.kind == DrawOp::Kind::Fill && PtInRect(op.rc, POINT{x, y}))
            colour = op.colour;
    return colour;
}

const DrawOp* RecordingDC::FindText(std::string_view text) const
{
    for (const DrawOp& op : m_ops)
        if (op.kind == DrawOp::Kind::Text && op.text == text)
            return &op;
    return nullptr;
}
