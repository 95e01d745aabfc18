// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Owner-drawn items: the engine paints each item cell by cell in display
// order, with the sort tint, selection colours that follow the focus, the
// state image and small icon in the label cell, the hot item's underline and
// colour, the label's alignment, and the focus rectangle.
#include <algorithm>
#include <cstring>
#include <memory>

#include "listctrl/list_base.h"

namespace {

constexpr DWORD kDrawTextFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS;

RECT Cell(const RECT& row, int left, int width)
{
    return RECT{left, row.top, left + width, row.bottom};
}

void DrawImageIn(CDC* dc, const CImageList* list, int index, const RECT& rect, UINT style)
{
    IMAGEINFO info;
    if (list == nullptr || !list->GetImageInfo(index, &info))
        return;
    const int cx = std::min(rect.right - rect.left, info.rcImage.right - info.rcImage.left);
    const int cy = std::min(rect.bottom - rect.top, info.rcImage.bottom - info.rcImage.top);
    if (cx > 0 && cy > 0)
        dc->DrawImage(list, index, rect.left, rect.top, cx, cy, style);
}

} // namespace

std::unique_ptr<CListBase::FetchedItem> CListBase::FetchItem(int nItem, int nPhysicalSubItem)
{
    auto fetched = std::make_unique<FetchedItem>();
    LVITEMA& item = fetched->item;
    item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    item.stateMask = ~0u;
    item.iItem = nItem;
    item.iSubItem = nPhysicalSubItem;
    if (!PassToControl(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    if (!(ListStyle() & LVS_OWNERDATA)) {
        fetched->record = reinterpret_cast<const ITEM_DATA*>(item.lParam);
        item.lParam = fetched->record ? fetched->record->m_lParam : 0;
    }
    item.mask |= LVIF_TEXT;
    // The text the engine holds is the one the control would ask it for.
    const LVITEMA* entry =
        fetched->record ? fetched->record->Entry(PhysicalToLogicalColumn(nPhysicalSubItem)) : nullptr;
    if (entry != nullptr && (entry->mask & LVIF_TEXT) && listctrl::IsRealText(entry->pszText)) {
        fetched->text.assign(entry->pszText, entry->pszText + std::strlen(entry->pszText) + 1);
        item.pszText = fetched->text.data();
        item.cchTextMax = static_cast<int>(fetched->text.size());
        return fetched;
    }
    // Any other text is the control's to find (it may ask the application), in a buffer that grows until it fits.
    fetched->text.assign(128, '\0');
    for (;;) {
        LVITEMA text;
        text.mask = LVIF_TEXT;
        text.iItem = nItem;
        text.iSubItem = nPhysicalSubItem;
        text.pszText = fetched->text.data();
        text.cchTextMax = static_cast<int>(fetched->text.size());
        if (!PassToControl(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&text)))
            return nullptr;
        // The control may answer with a text of its own instead of filling the buffer.
        if (text.pszText != fetched->text.data()) {
            const char* answer = listctrl::IsRealText(text.pszText) ? text.pszText : "";
            const std::size_t n = std::min(std::strlen(answer), fetched->text.size() - 1);
            std::memmove(fetched->text.data(), answer, n);
            fetched->text[n] = '\0';
        }
        if (std::strlen(fetched->text.data()) < fetched->text.size() - 1) {
            item.pszText = fetched->text.data();
            item.cchTextMax = static_cast<int>(fetched->text.size());
            return fetched;
        }
        fetched->text.assign(fetched->text.size() * 2, '\0');
    }
}

int CListBase::GetLabelWidth(int nAvailable, CDC* pDC, const LVITEMA* pItem) const
{
    if (pDC == nullptr || pItem == nullptr || !listctrl::IsRealText(pItem->pszText) || pItem->pszText[0] == '\0')
        return 0;
    return std::min(nAvailable, static_cast<int>(pDC->GetTextExtent(pItem->pszText).cx));
}

void CListBase::DrawSmallIcon(CDC* pDC, LVITEMA* pItem, RECT* pRect)
{
    if (pDC == nullptr || pItem == nullptr || pRect == nullptr || pItem->iImage <= 0)
        return;
    const auto* small = reinterpret_cast<const CImageList*>(PassToControl(LVM_GETIMAGELIST, LVSIL_SMALL));
    const bool selected = (pItem->state & LVIS_SELECTED) && m_pListCtrl->HasFocus();
    // The item's overlay picture goes on its icon, as the control draws it.
    DrawImageIn(pDC, small, pItem->iImage, *pRect,
                (selected ? ILD_SELECTED : ILD_NORMAL) | (pItem->state & LVIS_OVERLAYMASK));
}

void CListBase::DrawStateIcon(CDC* pDC, LVITEMA* pItem, RECT* pRect)
{
    if (pDC == nullptr || pItem == nullptr || pRect == nullptr)
        return;
    const int n = static_cast<int>((pItem->state >> 12) & 0xF);
    if (n == 0)
        return;
    const auto* states = reinterpret_cast<const CImageList*>(PassToControl(LVM_GETIMAGELIST, LVSIL_STATE));
    const bool selected = (pItem->state & LVIS_SELECTED) && m_pListCtrl->HasFocus();
    DrawImageIn(pDC, states, n - 1, *pRect, selected ? ILD_SELECTED : ILD_NORMAL);
}

void CListBase::DrawSubItemText(CDC* pDC, LVITEMA* pItem, LVCOLUMNA* pColumn, RECT* pRect)
{
    if (pDC == nullptr || pItem == nullptr || pRect == nullptr || pRect->right <= pRect->left ||
        !listctrl::IsRealText(pItem->pszText) || pItem->pszText[0] == '\0')
        return;
    UINT format = kDrawTextFormat;
    const int fmt = pColumn ? pColumn->fmt : 0;
    if (fmt & LVCFMT_CENTER)
        format |= DT_CENTER;
    else if (fmt & LVCFMT_RIGHT)
        format |= DT_RIGHT;
    RECT rc = *pRect;
    pDC->DrawText(pItem->pszText, &rc, format);
}

void CListBase::DrawItem(DRAWITEMSTRUCT* lpDrawItemStruct)
{
    const DRAWITEMSTRUCT* dis = lpDrawItemStruct;
    CDC* dc = dis ? dis->hDC : nullptr;
    if (dc == nullptr || m_pListCtrl == nullptr)
        return;
    const int itemIndex = static_cast<int>(dis->itemID);
    std::unique_ptr<FetchedItem> fetched = FetchItem(itemIndex, 0);
    if (!fetched)
        return;
    const UINT state = fetched->item.state;
    const bool focused = m_pListCtrl->HasFocus();
    const bool selected = (state & LVIS_SELECTED) != 0;
    const bool withFocus = selected && focused;
    const bool withoutFocus = selected && !focused && (ListStyle() & LVS_SHOWSELALWAYS);
    const bool drawnSelected = withFocus || withoutFocus;
    const bool focusWanted = (state & LVIS_FOCUSED) && focused;
    const bool fullRow = (m_dwExtendedStyle & LVS_EX_FULLROWSELECT) != 0;
    const COLORREF selection = withFocus ? (itemIndex == m_nHotItem ? m_clrHotText : GetSysColor(COLOR_HIGHLIGHT))
                                         : GetSysColor(COLOR_BTNFACE);
    const COLORREF defaultText = GetSysColor(COLOR_WINDOWTEXT);
    const bool underlined = ((m_dwExtendedStyle & LVS_EX_TWOCLICKACTIVATE) && selected) ||
                            ((m_dwExtendedStyle & LVS_EX_ONECLICKACTIVATE) &&
                             (m_dwExtendedStyle & LVS_EX_UNDERLINEHOT) && itemIndex == m_nHotItem);
    const COLORREF selectedText = withFocus    ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                  : underlined ? m_clrHotText
                                               : defaultText;
    const COLORREF plainText = underlined ? m_clrHotText : defaultText;

    RECT row{LVIR_BOUNDS, 0, 0, 0};
    PassToControl(LVM_GETITEMRECT, static_cast<WPARAM>(itemIndex), reinterpret_cast<LPARAM>(&row));
    RECT label{};
    GetSubItemRectEx(itemIndex, 0, LVIR_LABEL, label);
    const bool columnZeroFirst = GetHeaderItemOrder(0) <= 0;
    RECT focusRect = row;
    if (fullRow && (columnZeroFirst || m_bKeepLabelLeft)) {
        const int firstWidth =
            static_cast<int>(PassToControl(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(OrderToIndex(0))));
        focusRect.left = std::min(static_cast<int>(label.left), row.left + firstWidth);
    }

    // The hot item's label in an underlined copy of the list's font.
    CFont underline;
    CFont* previousFont = nullptr;
    bool underlineSelected = false;
    if (underlined) {
        if (const auto* listFont = reinterpret_cast<const CFont*>(PassToControl(WM_GETFONT))) {
            underline = *listFont;
            underline.underline = true;
            previousFont = dc->SelectObject(&underline);
            underlineSelected = true;
        }
    }
    // Every cell's background is filled before its text is drawn.
    const int previousBkMode = dc->SetBkMode(TRANSPARENT);
    const ITEM_DATA* data = fetched->record;
    const auto background = static_cast<COLORREF>(PassToControl(LVM_GETBKCOLOR));
    int left = row.left;
    for (int i = 0;; ++i) {
        const int p = OrderToIndex(i);
        LVCOLUMNA column;
        column.mask = LVCF_FMT | LVCF_WIDTH;
        if (p < 0 || !PassToControl(LVM_GETCOLUMNA, static_cast<WPARAM>(p), reinterpret_cast<LPARAM>(&column)))
            break;
        const RECT cell = Cell(row, left, column.cx);
        left = cell.right;
        std::unique_ptr<FetchedItem> own = p == 0 ? nullptr : FetchItem(itemIndex, p);
        LVITEMA* cellItem = p == 0 ? &fetched->item : (own ? &own->item : nullptr);
        if (cellItem == nullptr)
            continue;
        const COLORREF bg = m_bColorSortColumn && IsSortColumnShownAt(p) ? m_clrSortColumn : background;
        const bool labelCell = m_bKeepLabelLeft ? i == 0 : p == 0;
        RECT text = labelCell ? label : cell;
        if (labelCell) {
            text.left += 2;
            text.right -= p == 0 ? 2 : 6;
        } else {
            text.left += 6;
            text.right -= 6;
        }

        enum class Mode { Plain, Label, SelectedCell } mode = Mode::Plain;
        const bool f = fullRow && drawnSelected;
        if (drawnSelected || (focusWanted && !fullRow)) {
            if (labelCell)
                mode = (p == 0 && i != 0 && f) ? Mode::SelectedCell : Mode::Label;
            else
                mode = f ? Mode::SelectedCell : Mode::Plain;
        }
        if (mode == Mode::Label) {
            RECT box = label;
            if (!f) {
                const int w = text.right > text.left ? GetLabelWidth(text.right - text.left, dc, cellItem) : 0;
                const int a = (m_bKeepLabelLeft && !(p == 0 && i == 0)) ? (column.fmt & LVCFMT_JUSTIFYMASK)
                                                                        : m_nFirstColumnFormat;
                if (a == 0) {
                    box.right = label.left + w + 8;
                } else if (a == 1) {
                    box.left = label.right - w - 8;
                } else if (a == 2) {
                    box.left = label.left + (label.right - label.left - w - 12) / 2;
                    box.right = box.left + w + 12;
                }
                if (a >= 0 && a <= 2) {
                    box.left = std::max(box.left, label.left);
                    box.right = std::min(box.right, label.right);
                }
                focusRect = box;
            }
            if (drawnSelected) {
                if (box.left > cell.left)
                    dc->FillSolidRect(RECT{cell.left, cell.top, box.left, cell.bottom}, bg);
                if (box.right < cell.right)
                    dc->FillSolidRect(RECT{box.right, cell.top, cell.right, cell.bottom}, bg);
                dc->FillSolidRect(box, selection);
                dc->SetBkColor(selection);
                dc->SetTextColor(selectedText);
            } else {
                mode = Mode::Plain;
            }
        }
        if (mode == Mode::SelectedCell) {
            dc->FillSolidRect(cell, selection);
            dc->SetBkColor(selection);
            dc->SetTextColor(selectedText);
        } else if (mode == Mode::Plain) {
            dc->FillSolidRect(cell, bg);
            dc->SetBkColor(bg);
            dc->SetTextColor(plainText);
        }
        if (labelCell && data != nullptr && data->Entry(0) != nullptr) {
            // The images from the item as the control has it now: its state
            // (the check mark) lives there, not in the stored entry.
            RECT rc{};
            if (GetStateIconRect(rc, itemIndex))
                DrawStateIcon(dc, &fetched->item, &rc);
            if (GetSubItemRectEx(itemIndex, 0, LVIR_ICON, rc))
                DrawSmallIcon(dc, &fetched->item, &rc);
        }
        cellItem->iSubItem = PhysicalToLogicalColumn(p);
        column.iSubItem = cellItem->iSubItem;
        DrawSubItemText(dc, cellItem, &column, &text);
    }
    if (underlineSelected)
        dc->SelectObject(previousFont);
    dc->SetBkMode(previousBkMode);
    if (focusWanted) {
        dc->SetTextColor(defaultText);
        dc->DrawFocusRect(focusRect);
    }
}
