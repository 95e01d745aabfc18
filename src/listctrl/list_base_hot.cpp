// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Hot tracking: the item under the mouse becomes hot where the extended style
// asks for it (one click, or two clicks on a selected item); an owner-drawn
// list, whose control never sees those styles, also gets the hand cursor and
// the repaint of the items concerned from here.
#include "listctrl/list_base.h"

namespace {

constexpr DWORD kHotTracking = LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT;

} // namespace

void CListBase::LoadCursors()
{
    if (!m_hArrowCursor)
        m_hArrowCursor = CursorShape::Arrow;
    if (!m_hHandCursor)
        m_hHandCursor = CursorShape::Hand;
}

void CListBase::ApplyCurrentCursor()
{
    if (m_hCurrentCursor && m_pListCtrl != nullptr)
        m_pListCtrl->SetCursorShape(*m_hCurrentCursor);
}

void CListBase::OnMouseMove(POINT point)
{
    if (!(m_dwExtendedStyle & kHotTracking) || m_pListCtrl == nullptr)
        return;
    LVHITTESTINFO hit;
    hit.pt = point;
    const int item = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    int hot = -1;
    if (item >= 0 && (hit.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL))) {
        const bool selected = (Send(LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) & LVIS_SELECTED) != 0;
        if ((m_dwExtendedStyle & LVS_EX_ONECLICKACTIVATE) ||
            ((m_dwExtendedStyle & LVS_EX_TWOCLICKACTIVATE) && selected))
            hot = item;
    }
    const int previous = m_nHotItem;
    m_nHotItem = hot;
    if (!(ListStyle() & LVS_OWNERDRAWFIXED))
        return;
    m_hCurrentCursor = hot < 0 ? m_hArrowCursor : m_hHandCursor;
    if (hot != previous) {
        for (int i : {previous, hot}) {
            if (i < 0)
                continue;
            RECT bounds{LVIR_BOUNDS, 0, 0, 0};
            if (Send(LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&bounds)))
                m_pListCtrl->InvalidateRect(&bounds, FALSE);
        }
    }
    ApplyCurrentCursor();
}

void CListBase::OnLButtonUp()
{
    if (ListStyle() & LVS_OWNERDRAWFIXED)
        ApplyCurrentCursor();
    DefaultProcessing();
}
