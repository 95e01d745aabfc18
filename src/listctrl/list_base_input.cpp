// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Keys, mouse, focus and the header's notifications: sizing columns to their
// content where the engine lays out labels itself, check boxes of owner-drawn
// items, the focus mark on the first selected row, and the logical order kept
// in step with header drags.
#include <algorithm>
#include <string>
#include <vector>

#include "listctrl/column_mapping.h"
#include "listctrl/list_base.h"

bool CListBase::IsColumnZeroMoved()
{
    return GetHeaderItemOrder(0) > 0;
}

void CListBase::AutoSizeColumn(int q)
{
    const int c = PhysicalToLogicalColumn(q);
    int width = 0;
    std::vector<char> buffer(1024);
    for (int i = static_cast<int>(Send(LVM_GETITEMCOUNT)) - 1; i >= 0; --i) {
        LVITEMA item;
        item.iSubItem = c;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        buffer[0] = '\0';
        Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        width =
            std::max(width, static_cast<int>(Send(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(buffer.data()))));
    }
    if (c == 0) {
        width += 6;
    } else {
        // Room for the icons before the text, when the label sits in this column.
        RECT bounds{};
        RECT label{};
        if (GetSubItemRectEx(0, q, LVIR_BOUNDS, bounds) && GetSubItemRectEx(0, q, LVIR_LABEL, label))
            width += label.left - bounds.left;
        width += 2;
    }
    width += 6;
    PassToControl(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(q), MAKELPARAM(width, 0));
}

void CListBase::OnKeyDown(UINT vk)
{
    // The engine sizes columns itself only where it lays out labels itself.
    const bool ownLayout = m_bKeepLabelLeft && IsColumnZeroMoved();
    if (vk == VK_CONTROL && ownLayout) {
        m_bControlKeyDown = true;
        return;
    }
    if (vk == VK_ADD && m_bControlKeyDown && ownLayout) {
        for (int pos = 0;; ++pos) {
            const int q = OrderToIndex(pos);
            LVCOLUMNA column;
            column.mask = LVCF_FMT;
            if (q < 0 || !PassToControl(LVM_GETCOLUMNA, static_cast<WPARAM>(q), reinterpret_cast<LPARAM>(&column)))
                break;
            if (q == 0 || pos == 0)
                AutoSizeColumn(q);
            else
                PassToControl(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(q), MAKELPARAM(LVSCW_AUTOSIZE & 0xFFFF, 0));
        }
        return;
    }
    DefaultProcessing();
}

void CListBase::OnKeyUp(UINT vk)
{
    if (vk == VK_CONTROL)
        m_bControlKeyDown = false;
    DefaultProcessing();
}

bool CListBase::ToggleCheckBoxAt(POINT point)
{
    LVHITTESTINFO hit;
    hit.pt = point;
    const int item = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item < 0 || !(m_dwExtendedStyle & LVS_EX_CHECKBOXES) || hit.flags != LVHT_ONITEMSTATEICON)
        return false;
    // The click toggles the check mark only: neither selection nor focus move.
    const UINT state = static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK));
    const bool checked = ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
    LVITEMA change;
    change.stateMask = LVIS_STATEIMAGEMASK;
    change.state = INDEXTOSTATEIMAGEMASK(checked ? 1 : 2);
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change));
    return true;
}

void CListBase::OnLButtonDown(POINT point)
{
    if (ListStyle() & LVS_OWNERDRAWFIXED) {
        ApplyCurrentCursor();
        if (!ToggleCheckBoxAt(point))
            DefaultProcessing();
    } else {
        DefaultProcessing();
    }
    OnMouseMove(point);
}

void CListBase::OnLButtonDblClk(POINT point)
{
    if ((ListStyle() & LVS_OWNERDRAWFIXED) && ToggleCheckBoxAt(point))
        return;
    DefaultProcessing();
}

void CListBase::MarkFocusOnFirstSelected(bool focus)
{
    DefaultProcessing();
    const int first = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (first < 0)
        return;
    LVITEMA item;
    item.stateMask = LVIS_FOCUSED;
    item.state = focus ? LVIS_FOCUSED : 0;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(first), reinterpret_cast<LPARAM>(&item));
}

void CListBase::OnSetFocus()
{
    MarkFocusOnFirstSelected(true);
}

void CListBase::OnKillFocus()
{
    MarkFocusOnFirstSelected(false);
}

BOOL CListBase::OnHeaderNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    const LRESULT r = DefaultProcessing();
    // Handled here either way: the control has seen it once, and the parent's
    // answer (which default processing brought back) is the result.
    if (pResult)
        *pResult = r;
    if (pNMHDR == nullptr || pNMHDR->hwndFrom != GetHeader())
        return TRUE;
    const auto* nm = reinterpret_cast<const NMHEADERA*>(pNMHDR);
    switch (pNMHDR->code) {
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
        if (m_bColorSortColumn)
            OnHScroll();
        break;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW: {
        const int q = nm->iItem;
        if (m_bKeepLabelLeft && ((q != 0 && GetHeaderItemOrder(q) == 0) || (q == 0 && GetHeaderItemOrder(0) >= 1)))
            AutoSizeColumn(q); // in place of the control's own sizing
        break;
    }
    case HDN_ENDDRAG:
        if (r == 0 && nm->pitem != nullptr && nm->pitem->iOrder >= 0) {
            // The control applies the new physical order; the same move in the
            // logical order, hidden columns included. A drop past the last
            // place lands on the last place, as the header puts it.
            const int visible = static_cast<int>(GetHeader()->SendMessage(HDM_GETITEMCOUNT));
            const int c = PhysicalToLogicalColumn(nm->iItem);
            const int t = PhysicalToLogicalOrder(std::min(nm->pitem->iOrder, visible - 1));
            if (c >= 0 && t >= 0)
                listctrl::MoveColumnToOrder(m_aColumnData, c, t);
        }
        break;
    default:
        break;
    }
    return TRUE;
}
