// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list's colours: the tinted sort column through the control's custom
// draw, the repaint of column 0's icon area on that background, and the
// repaints that keep the tint right after a background change, a change of the
// system colours and horizontal scrolling.
#include "listctrl/list_base.h"
#include "listctrl/sort_column_tint.h"

namespace {

constexpr DWORD kHotTracking = LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT;

RECT ItemRect(CWnd* list, int item, int code)
{
    RECT rc{code, 0, 0, 0};
    if (!list->DefWindowProc(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rc)))
        return RECT{};
    return rc;
}

} // namespace

void CListBase::ColorSortColumn(bool bEnable)
{
    if ((m_bColorSortColumn != FALSE) == bEnable || m_pListCtrl == nullptr)
        return;
    if (bEnable) {
        // Too few colours to show a shade.
        if (m_pListCtrl->ColourDepth() <= 8)
            return;
        m_clrSortColumn = SortColumnTint(static_cast<COLORREF>(PassToControl(LVM_GETBKCOLOR)));
    }
    m_bColorSortColumn = bEnable ? TRUE : FALSE;
    m_pListCtrl->Invalidate(TRUE);
}

void CListBase::OnSysColorChange()
{
    DefaultProcessing();
    // Derived again from the background as it is now (or off on a poor display).
    const bool tinted = m_bColorSortColumn != FALSE;
    m_bColorSortColumn = tinted ? FALSE : TRUE;
    ColorSortColumn(tinted);
}

bool CListBase::IsSortColumnShownAt(int physical) const
{
    if (m_nSortColumn == 0)
        return false;
    const int c = (m_nSortColumn < 0 ? -m_nSortColumn : m_nSortColumn) - 1;
    return IsColumnVisible(c) && LogicalToPhysicalColumn(c) == physical;
}

void CListBase::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    LRESULT result = CDRF_DODEFAULT;
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        result = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        result = CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        if (m_bColorSortColumn) {
            cd->clrTextBk = IsSortColumnShownAt(cd->iSubItem) ? m_clrSortColumn
                                                              : static_cast<COLORREF>(PassToControl(LVM_GETBKCOLOR));
            result = CDRF_NEWFONT;
        }
        if (cd->iSubItem == 0)
            result |= CDRF_NOTIFYPOSTPAINT;
        break;
    case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM:
        RepaintIconArea(cd->nmcd.hdc, static_cast<int>(cd->nmcd.dwItemSpec));
        break;
    default:
        break;
    }
    if (pResult)
        *pResult = result;
}

COLORREF CListBase::IconAreaColour(int row, UINT state, bool columnZeroFirst, bool focus) const
{
    const COLORREF plain = (m_bColorSortColumn && IsSortColumnShownAt(0) && (m_nSortColumn == 1 || m_nSortColumn == -1))
                               ? m_clrSortColumn
                               : static_cast<COLORREF>(PassToControl(LVM_GETBKCOLOR));
    if (columnZeroFirst || !(m_dwExtendedStyle & LVS_EX_FULLROWSELECT))
        return plain;
    // Full-row selection with column 0 moved away from the left: the row's own colour.
    const bool selected = (state & LVIS_SELECTED) != 0;
    if (selected && focus && (m_dwExtendedStyle & kHotTracking) && PassToControl(LVM_GETHOTITEM) == row)
        return m_clrHotText;
    if (selected && focus)
        return GetSysColor(COLOR_HIGHLIGHT);
    if (selected && (ListStyle() & LVS_SHOWSELALWAYS))
        return GetSysColor(COLOR_BTNFACE);
    return plain;
}

void CListBase::RepaintIconArea(CDC* dc, int row)
{
    CWnd* header = GetHeader();
    if (dc == nullptr || header == nullptr)
        return;
    RECT column0{};
    if (!header->SendMessage(HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&column0)))
        return;
    const int w0 = column0.right - column0.left;
    const int x0 = column0.left - m_pListCtrl->GetScrollPos(SB_HORZ);
    const bool focus = m_pListCtrl->HasFocus();
    const RECT label = ItemRect(m_pListCtrl, row, LVIR_LABEL);
    LVITEMA item;
    item.mask = LVIF_IMAGE | LVIF_STATE;
    // The overlay bits too: the picture is drawn again whole, warning overlay included.
    item.stateMask = LVIS_STATEIMAGEMASK | LVIS_OVERLAYMASK | LVIS_SELECTED | LVIS_FOCUSED;
    item.iItem = row;
    item.iSubItem = 0;
    PassToControl(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const COLORREF colour = IconAreaColour(row, item.state, column0.left == 0, focus);
    dc->FillSolidRect(RECT{x0, label.top, std::min(label.left, label.right), label.bottom}, colour);
    if (w0 <= m_nStateIconOffset)
        return;
    const UINT style = (item.state & LVIS_SELECTED) && focus ? ILD_SELECTED : ILD_NORMAL;
    const auto* states = reinterpret_cast<const CImageList*>(PassToControl(LVM_GETIMAGELIST, LVSIL_STATE));
    const int stateImage = static_cast<int>((item.state >> 12) & 0xF);
    IMAGEINFO info;
    RECT stateRect{};
    if (states != nullptr && stateImage > 0 && states->GetImageInfo(stateImage - 1, &info) &&
        GetStateIconRect(stateRect, row)) {
        const int cx = std::min(stateRect.right - stateRect.left, info.rcImage.right - info.rcImage.left);
        const int cy = std::min(stateRect.bottom - stateRect.top, info.rcImage.bottom - info.rcImage.top);
        dc->DrawImage(states, stateImage - 1, stateRect.left, stateRect.top, cx, cy, style);
    }
    const auto* small = reinterpret_cast<const CImageList*>(PassToControl(LVM_GETIMAGELIST, LVSIL_SMALL));
    const RECT icon = ItemRect(m_pListCtrl, row, LVIR_ICON);
    // Image 0 is never drawn here; the device list uses 1 and 2.
    if (small != nullptr && item.iImage > 0 && small->GetImageInfo(item.iImage, &info) && icon.right > icon.left &&
        icon.left - x0 < w0) {
        const int cx = std::min(w0 - (icon.left - x0), info.rcImage.right - info.rcImage.left);
        const int cy = std::min(icon.bottom - icon.top, info.rcImage.bottom - info.rcImage.top);
        dc->DrawImage(small, item.iImage, icon.left, icon.top, cx, cy, style | (item.state & LVIS_OVERLAYMASK));
    }
}

void CListBase::OnHScroll()
{
    // Nothing to repaint in a list without rows, or without a shown sort column.
    if (m_pListCtrl == nullptr || Send(LVM_GETITEMCOUNT) <= 0 || Send(LVM_GETTOPINDEX) < 0 || m_nSortColumn == 0)
        return;
    const int c = (m_nSortColumn < 0 ? -m_nSortColumn : m_nSortColumn) - 1;
    CWnd* header = GetHeader();
    RECT column{};
    if (!IsColumnVisible(c) || header == nullptr ||
        !header->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(LogicalToPhysicalColumn(c)),
                             reinterpret_cast<LPARAM>(&column)))
        return;
    RECT client{};
    m_pListCtrl->GetClientRect(&client);
    const RECT top = ItemRect(m_pListCtrl, static_cast<int>(Send(LVM_GETTOPINDEX)), LVIR_BOUNDS);
    // The bands without rows, which the background erase paints.
    RECT above{client.left, column.bottom, client.right, top.top};
    if (above.bottom > above.top)
        m_pListCtrl->InvalidateRect(&above, TRUE);
    const RECT last = ItemRect(m_pListCtrl, static_cast<int>(Send(LVM_GETITEMCOUNT)) - 1, LVIR_BOUNDS);
    if (last.bottom < client.bottom) {
        RECT below{client.left, last.bottom, client.right, client.bottom};
        m_pListCtrl->InvalidateRect(&below, TRUE);
    }
}

BOOL CListBase::OnEraseBkgnd(CDC* pDC)
{
    const auto erase = [this] { return DefaultProcessing() != 0; };
    if (pDC == nullptr || !m_bColorSortColumn || m_nSortColumn == 0)
        return erase();
    const int c = (m_nSortColumn < 0 ? -m_nSortColumn : m_nSortColumn) - 1;
    CWnd* header = GetHeader();
    RECT column{};
    if (!IsColumnVisible(c) || header == nullptr ||
        !header->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(LogicalToPhysicalColumn(c)),
                             reinterpret_cast<LPARAM>(&column)))
        return erase();
    const int scroll = m_pListCtrl->GetScrollPos(SB_HORZ);
    const int left = column.left - scroll;
    const int right = column.right - scroll;
    RECT clip{};
    pDC->GetClipBox(&clip);
    if (left >= clip.right || right <= clip.left)
        return erase();
    const auto background = static_cast<COLORREF>(PassToControl(LVM_GETBKCOLOR));
    if (left > clip.left)
        pDC->FillSolidRect(RECT{clip.left, clip.top, left, clip.bottom}, background);
    pDC->FillSolidRect(RECT{std::max(left, static_cast<int>(clip.left)), clip.top,
                            std::min(right, static_cast<int>(clip.right)), clip.bottom},
                       m_clrSortColumn);
    if (right < clip.right)
        pDC->FillSolidRect(RECT{right, clip.top, clip.right, clip.bottom}, background);
    return TRUE;
}
