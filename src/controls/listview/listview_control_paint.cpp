// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Painting: background, rows through the custom-draw stages, owner-drawn rows,
// icons, grid lines and the focus rectangle.
#include <algorithm>

#include "controls/listview/listview_control.h"

namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr int kCellTextInset = 6;
constexpr int kLabelTextInset = 2;
// A selected label's highlight reaches this far past its text.
constexpr int kLabelBoxPadding = 8;

UINT AlignmentFormat(int fmt)
{
    switch (fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

} // namespace

COLORREF ListViewControl::TextColour(COLORREF requested) const
{
    return requested == CLR_DEFAULT || requested == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : requested;
}

COLORREF ListViewControl::TextBkColour(COLORREF requested) const
{
    if (requested == CLR_DEFAULT)
        return m_bkColour;
    return requested;
}

CFont* ListViewControl::HotFont(int index)
{
    const bool activating = (m_exStyle & (LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE)) != 0;
    const bool hot = index == m_hot;
    const bool underline =
        activating && (((m_exStyle & LVS_EX_UNDERLINEHOT) && hot) || ((m_exStyle & LVS_EX_UNDERLINECOLD) && !hot));
    if (!underline)
        return nullptr;
    if (!m_hotFont) {
        m_hotFont = std::make_unique<CFont>(m_font ? *m_font : CFont{});
        m_hotFont->underline = true;
    }
    return m_hotFont.get();
}

bool ListViewControl::ShowsSelection() const
{
    return m_wnd->HasFocus() || HasStyle(LVS_SHOWSELALWAYS);
}

BOOL ListViewControl::OnEraseBkgnd(CDC* dc)
{
    if (dc == nullptr)
        return FALSE;
    if (m_bkColour == CLR_NONE) {
        // A transparent list lets its parent paint what lies behind it.
        CWnd* parent = m_wnd->GetParent();
        return parent ? static_cast<BOOL>(parent->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc))) : FALSE;
    }
    RECT client;
    m_wnd->GetClientRect(&client);
    dc->FillSolidRect(client, m_bkColour);
    return TRUE;
}

LRESULT ListViewControl::CustomDraw(NMLVCUSTOMDRAW& cd, DWORD stage)
{
    cd.nmcd.dwDrawStage = stage;
    return Notify(cd.nmcd.hdr, NM_CUSTOMDRAW);
}

void ListViewControl::FillCustomDraw(NMLVCUSTOMDRAW& cd, CDC* dc, int index, const RECT& rc)
{
    cd = NMLVCUSTOMDRAW{};
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = rc;
    cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(index);
    const UINT state = m_items.State(index);
    if (state & LVIS_SELECTED)
        cd.nmcd.uItemState |= CDIS_SELECTED;
    if ((state & LVIS_FOCUSED) && m_wnd->HasFocus())
        cd.nmcd.uItemState |= CDIS_FOCUS;
    if (index == m_hot)
        cd.nmcd.uItemState |= CDIS_HOT;
    cd.nmcd.lItemlParam = ItemParam(index);
    cd.clrText = m_textColour;
    cd.clrTextBk = m_textBkColour;
}

void ListViewControl::OnPaint(CDC* dc)
{
    if (dc == nullptr)
        return;
    CFont* oldFont = m_font ? dc->SelectObject(m_font) : nullptr;
    RECT client;
    m_wnd->GetClientRect(&client);
    RECT clip;
    dc->GetClipBox(&clip);

    NMLVCUSTOMDRAW cd;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = client;
    cd.clrText = m_textColour;
    cd.clrTextBk = m_textBkColour;
    const LRESULT mode = CustomDraw(cd, CDDS_PREPAINT);

    if (!(mode & CDRF_SKIPDEFAULT)) {
        const int view = View();
        if (view == LVS_REPORT) {
            const std::vector<ColumnSpan> columns = DisplayColumns();
            const int top = ListTop();
            const int first = m_scrollY + std::max(0, static_cast<int>(clip.top) - top) / std::max(1, m_itemHeight);
            const int last = m_scrollY + (std::min(clip.bottom, client.bottom) - top - 1) / std::max(1, m_itemHeight);
            for (int i = std::max(0, first); i <= last && i < m_items.Count(); ++i) {
                if (HasStyle(LVS_OWNERDRAWFIXED))
                    PaintItemStages(dc, i, mode, &ListViewControl::PaintOwnerDrawItem);
                else
                    PaintReportItem(dc, i, mode, columns);
            }
            if (m_exStyle & LVS_EX_GRIDLINES)
                PaintGridLines(dc, columns);
        } else {
            for (int i = 0; i < m_items.Count(); ++i) {
                const POINT p = ItemViewPosition(i);
                const SIZE cell = view == LVS_ICON ? IconCell() : SmallCell();
                const RECT box{p.x - m_scrollX, p.y - m_scrollY, p.x - m_scrollX + cell.cx, p.y - m_scrollY + cell.cy};
                if (box.right <= clip.left || box.left >= clip.right || box.bottom <= clip.top ||
                    box.top >= clip.bottom)
                    continue;
                PaintItemStages(dc, i, mode, &ListViewControl::PaintIconItem);
            }
        }
        if (!HasStyle(LVS_OWNERDRAWFIXED) || view != LVS_REPORT)
            PaintFocus(dc);
    }
    if (mode & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.dwItemSpec = 0;
        cd.nmcd.rc = client;
        CustomDraw(cd, CDDS_POSTPAINT);
    }
    if (m_font)
        dc->SelectObject(oldFont);
}

void ListViewControl::PaintReportItem(CDC* dc, int index, LRESULT mode, const std::vector<ColumnSpan>& columns)
{
    ItemParts parts;
    GetItemParts(index, &parts);
    NMLVCUSTOMDRAW cd;
    FillCustomDraw(cd, dc, index, parts.bounds);
    LRESULT itemMode = 0;
    if (mode & CDRF_NOTIFYITEMDRAW)
        itemMode = CustomDraw(cd, CDDS_ITEMPREPAINT);
    if (!m_items.IsValid(index))
        return;
    if (!(itemMode & CDRF_SKIPDEFAULT)) {
        // One record for all cells: colours chosen for the row carry into its sub-items.
        for (const ColumnSpan& column : columns) {
            cd.iSubItem = column.index;
            cd.nmcd.rc = RECT{column.left, parts.bounds.top, column.right, parts.bounds.bottom};
            LRESULT subMode = 0;
            if (itemMode & CDRF_NOTIFYSUBITEMDRAW)
                subMode = CustomDraw(cd, CDDS_ITEMPREPAINT | CDDS_SUBITEM);
            if (!m_items.IsValid(index))
                return;
            if (!(subMode & CDRF_SKIPDEFAULT))
                PaintReportCell(dc, index, column, parts, cd);
            if (subMode & CDRF_NOTIFYPOSTPAINT)
                CustomDraw(cd, CDDS_ITEMPOSTPAINT | CDDS_SUBITEM);
        }
    }
    if (itemMode & CDRF_NOTIFYPOSTPAINT) {
        cd.iSubItem = 0;
        cd.nmcd.rc = parts.bounds;
        CustomDraw(cd, CDDS_ITEMPOSTPAINT);
    }
}

RECT ListViewControl::LabelBox(CDC* dc, int index, const ItemParts& parts, const std::string& text)
{
    (void)index;
    const int width = text.empty() ? 0 : static_cast<int>(dc->GetTextExtent(text).cx);
    RECT box = parts.label;
    box.right = std::min<LONG>(parts.label.right, parts.label.left + width + kLabelBoxPadding);
    return box;
}

void ListViewControl::PaintReportCell(CDC* dc, int index, const ColumnSpan& column, const ItemParts& parts,
                                      const NMLVCUSTOMDRAW& cd)
{
    const RECT cell{column.left, parts.bounds.top, column.right, parts.bounds.bottom};
    if (cell.right <= cell.left)
        return;
    const bool fullRow = (m_exStyle & LVS_EX_FULLROWSELECT) != 0;
    const bool selected = (m_items.State(index) & LVIS_SELECTED) != 0;
    const bool focused = m_wnd->HasFocus();
    const bool highlight = selected && ShowsSelection() && (column.index == 0 || fullRow);
    const COLORREF normalBk = TextBkColour(cd.clrTextBk);
    COLORREF bk = normalBk;
    COLORREF text = TextColour(cd.clrText);
    if (highlight) {
        bk = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        text = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    }
    const std::string label = DisplayText(index, column.index);
    if (column.index == 0) {
        const RECT textArea{parts.label.left, cell.top, cell.right, cell.bottom};
        if (highlight && !fullRow) {
            // Without full-row selection only the text's box shows the selection.
            const RECT box = LabelBox(dc, index, parts, label);
            if (normalBk != CLR_NONE)
                dc->FillSolidRect(RECT{box.right, cell.top, textArea.right, cell.bottom}, normalBk);
            dc->FillSolidRect(box, bk);
        } else if (bk != CLR_NONE) {
            dc->FillSolidRect(textArea, bk);
        }
        PaintImages(dc, index, parts, false);
        RECT textRect{parts.label.left + kLabelTextInset, cell.top, parts.label.right - kLabelTextInset, cell.bottom};
        // The hot row of an activating list shows its label like a link.
        CFont* hotFont = HotFont(index);
        if (index == m_hot && !highlight && (m_exStyle & (LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE)))
            text = GetSysColor(COLOR_HOTLIGHT);
        CFont* oldFont = hotFont ? dc->SelectObject(hotFont) : nullptr;
        dc->SetTextColor(text);
        dc->SetBkColor(bk == CLR_NONE ? normalBk : bk);
        dc->SetBkMode(TRANSPARENT);
        if (!label.empty() && textRect.right > textRect.left)
            dc->DrawText(label, &textRect, kTextFormat | DT_LEFT);
        if (hotFont)
            dc->SelectObject(oldFont);
    } else {
        if (bk != CLR_NONE)
            dc->FillSolidRect(cell, bk);
        RECT textRect{cell.left + kCellTextInset, cell.top, cell.right - kCellTextInset, cell.bottom};
        if ((m_exStyle & LVS_EX_SUBITEMIMAGES) && m_smallImages) {
            const int image = DisplayImage(index, column.index);
            if (image >= 0 && image < m_smallImages->GetImageCount()) {
                dc->DrawImage(m_smallImages, image, cell.left + kLabelTextInset, cell.top, m_smallImages->Width(),
                              std::min<int>(m_smallImages->Height(), cell.bottom - cell.top), ILD_NORMAL);
                textRect.left = cell.left + kLabelTextInset + m_smallImages->Width() + kLabelTextInset;
            }
        }
        const int fmt = static_cast<std::size_t>(column.index) < m_columns.size()
                            ? m_columns[static_cast<std::size_t>(column.index)].fmt
                            : LVCFMT_LEFT;
        dc->SetTextColor(text);
        dc->SetBkColor(bk == CLR_NONE ? normalBk : bk);
        dc->SetBkMode(TRANSPARENT);
        if (!label.empty() && textRect.right > textRect.left)
            dc->DrawText(label, &textRect, kTextFormat | AlignmentFormat(fmt));
    }
}

void ListViewControl::PaintImages(CDC* dc, int index, const ItemParts& parts, bool large)
{
    const UINT state = m_items.State(index);
    const UINT style = ((state & LVIS_SELECTED) && m_wnd->HasFocus()) ? ILD_SELECTED : ILD_NORMAL;
    const int stateImage = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
    if (m_stateImages && stateImage > 0 && !IsRectEmpty(parts.state)) {
        const int h = std::min<int>(m_stateImages->Height(), parts.state.bottom - parts.state.top);
        const int y = parts.state.top + (parts.state.bottom - parts.state.top - h) / 2;
        if (m_stateImages == m_checkBoxes.get())
            dc->DrawCheckBox(RECT{parts.state.left, y, parts.state.left + m_stateImages->Width(), y + h},
                             stateImage == 2);
        else if (stateImage - 1 < m_stateImages->GetImageCount())
            dc->DrawImage(m_stateImages, stateImage - 1, parts.state.left, y, m_stateImages->Width(), h, ILD_NORMAL);
    }
    CImageList* images = large ? m_normalImages : m_smallImages;
    if (images == nullptr || IsRectEmpty(parts.icon))
        return;
    const int image = DisplayImage(index, 0);
    if (image < 0 || image >= images->GetImageCount())
        return;
    const int h = std::min<int>(images->Height(), parts.icon.bottom - parts.icon.top);
    const int y = parts.icon.top + (parts.icon.bottom - parts.icon.top - h) / 2;
    UINT overlay = state & LVIS_OVERLAYMASK;
    dc->DrawImage(images, image, parts.icon.left, y, images->Width(), h, style | overlay);
}

// The custom-draw steps around one item that has no sub-item stages (owner
// draw, icon and list modes): item prepaint when asked, the item's own
// drawing unless the parent skipped it, item postpaint when asked.
void ListViewControl::PaintItemStages(CDC* dc, int index, LRESULT mode, ItemPainter paint)
{
    ItemParts parts;
    GetItemParts(index, &parts);
    NMLVCUSTOMDRAW cd;
    FillCustomDraw(cd, dc, index, parts.bounds);
    LRESULT itemMode = 0;
    if (mode & CDRF_NOTIFYITEMDRAW)
        itemMode = CustomDraw(cd, CDDS_ITEMPREPAINT);
    if (!m_items.IsValid(index))
        return; // the parent deleted it while drawing
    if (!(itemMode & CDRF_SKIPDEFAULT))
        (this->*paint)(dc, index, parts, cd);
    if (itemMode & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(cd, CDDS_ITEMPOSTPAINT);
}

void ListViewControl::PaintOwnerDrawItem(CDC* dc, int index, const ItemParts& parts, const NMLVCUSTOMDRAW& cd)
{
    CWnd* parent = m_wnd->GetParent();
    if (parent) {
        const UINT state = m_items.State(index);
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = m_wnd->GetDlgCtrlID();
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = ODA_DRAWENTIRE;
        if (state & LVIS_SELECTED)
            dis.itemState |= ODS_SELECTED;
        if ((state & LVIS_FOCUSED) && m_wnd->HasFocus())
            dis.itemState |= ODS_FOCUS;
        dis.hwndItem = m_wnd;
        dis.hDC = dc;
        dis.rcItem = parts.bounds;
        dis.itemData = static_cast<DWORD_PTR>(ItemParam(index));
        dc->SetTextColor(TextColour(cd.clrText));
        dc->SetBkColor(TextBkColour(cd.clrTextBk));
        parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }
}

void ListViewControl::PaintIconItem(CDC* dc, int index, const ItemParts& parts, const NMLVCUSTOMDRAW& cd)
{
    const bool large = View() == LVS_ICON;
    PaintImages(dc, index, parts, large);
    const std::string label = DisplayText(index, 0);
    const bool selected = (m_items.State(index) & LVIS_SELECTED) && ShowsSelection();
    COLORREF text = TextColour(cd.clrText);
    if (selected) {
        dc->FillSolidRect(parts.label, GetSysColor(m_wnd->HasFocus() ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        text = GetSysColor(m_wnd->HasFocus() ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    } else if (cd.clrTextBk != CLR_DEFAULT && cd.clrTextBk != CLR_NONE) {
        dc->FillSolidRect(parts.label, cd.clrTextBk);
    }
    RECT textRect{parts.label.left + kLabelTextInset, parts.label.top, parts.label.right - kLabelTextInset,
                  parts.label.bottom};
    CFont* hotFont = HotFont(index);
    if (index == m_hot && !selected && (m_exStyle & (LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE)))
        text = GetSysColor(COLOR_HOTLIGHT);
    CFont* oldFont = hotFont ? dc->SelectObject(hotFont) : nullptr;
    dc->SetTextColor(text);
    dc->SetBkMode(TRANSPARENT);
    if (!label.empty() && textRect.right > textRect.left) {
        if (large)
            textRect = RECT{parts.label.left, parts.label.top, parts.label.right, parts.label.bottom};
        dc->DrawText(label, &textRect, kTextFormat | (large ? DT_CENTER : DT_LEFT));
    }
    if (hotFont)
        dc->SelectObject(oldFont);
}

void ListViewControl::PaintGridLines(CDC* dc, const std::vector<ColumnSpan>& columns)
{
    if (columns.empty())
        return;
    RECT client;
    m_wnd->GetClientRect(&client);
    const COLORREF grey = GetSysColor(COLOR_BTNFACE);
    const int top = ListTop();
    int left = columns.front().left;
    int right = columns.front().right;
    for (const ColumnSpan& column : columns) {
        left = std::min(left, column.left);
        right = std::max(right, column.right);
        dc->DrawLine(column.right - 1, top, column.right - 1, client.bottom, grey);
    }
    // Lines under every row, down to the bottom of the window even where no rows are.
    for (int y = top + m_itemHeight - 1; y < client.bottom; y += m_itemHeight)
        dc->DrawLine(left, y, right, y, grey);
}

void ListViewControl::PaintFocus(CDC* dc)
{
    if (!m_wnd->HasFocus() || !m_items.IsValid(m_focused))
        return;
    ItemParts parts;
    GetItemParts(m_focused, &parts);
    RECT rc = parts.label;
    if (View() == LVS_REPORT) {
        if (m_exStyle & LVS_EX_FULLROWSELECT) {
            rc = parts.bounds;
            // With column 0 shown first, the focus frame starts where its text does.
            const std::vector<ColumnSpan> columns = DisplayColumns();
            if (!columns.empty() && columns.front().index == 0)
                rc.left = parts.label.left;
        } else {
            rc = LabelBox(dc, m_focused, parts, DisplayText(m_focused, 0));
        }
    }
    if (!IsRectEmpty(rc))
        dc->DrawFocusRect(rc);
}
