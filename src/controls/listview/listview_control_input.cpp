// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Mouse, keyboard and focus: selection by click and key, activation, check
// boxes, hot tracking and the notifications that go with them.
#include <algorithm>
#include <cstdlib>

#include "controls/listview/listview_control.h"

namespace {

constexpr int kDragThreshold = 4;

bool KeyDown(int vk)
{
    return (GetKeyState(vk) & 0x8000) != 0;
}

UINT KeyFlags()
{
    UINT flags = 0;
    if (KeyDown(VK_MENU))
        flags |= LVKF_ALT;
    if (KeyDown(VK_CONTROL))
        flags |= LVKF_CONTROL;
    if (KeyDown(VK_SHIFT))
        flags |= LVKF_SHIFT;
    return flags;
}

} // namespace

void ListViewControl::SendClick(UINT code, int item, int subItem, POINT pt)
{
    NMITEMACTIVATE nm;
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    nm.uKeyFlags = KeyFlags();
    if (m_items.IsValid(item)) {
        nm.uNewState = m_items.State(item);
        nm.lParam = ItemParam(item);
    }
    Notify(nm.hdr, code);
}

void ListViewControl::Activate(int item, int subItem, POINT pt)
{
    NMITEMACTIVATE nm;
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    nm.uNewState = m_items.State(item);
    nm.lParam = ItemParam(item);
    nm.uKeyFlags = KeyFlags();
    Notify(nm.hdr, LVN_ITEMACTIVATE);
}

void ListViewControl::ClickSelect(int index, bool ctrl, bool shift)
{
    const bool single = HasStyle(LVS_SINGLESEL);
    if (shift && !single) {
        const int anchor = m_items.IsValid(m_mark) ? m_mark : index;
        SelectRange(anchor, index, !ctrl);
        ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
        if (!m_items.IsValid(m_mark))
            m_mark = index;
    } else if (ctrl && !single) {
        const bool selected = (m_items.State(index) & LVIS_SELECTED) != 0;
        ChangeState(index, (selected ? 0 : LVIS_SELECTED) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_mark = index;
    } else {
        DeselectAllExcept(index);
        ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_mark = index;
    }
}

void ListViewControl::MoveFocusTo(int index, bool ctrl, bool shift)
{
    if (!m_items.IsValid(index))
        return;
    if (shift && !HasStyle(LVS_SINGLESEL)) {
        const int anchor = m_items.IsValid(m_mark) ? m_mark : (m_items.IsValid(m_focused) ? m_focused : index);
        // The range starts the mark, before focusing could set it to the range's other end.
        m_mark = anchor;
        SelectRange(anchor, index, !ctrl);
        ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (ctrl) {
        ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else {
        DeselectAllExcept(index);
        ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_mark = index;
    }
    EnsureVisible(index, false);
}

void ListViewControl::ToggleCheck(int index)
{
    const UINT image = (m_items.State(index) & LVIS_STATEIMAGEMASK) >> 12;
    ChangeState(index, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

int ListViewControl::SetHotItem(int index)
{
    const int old = m_hot;
    m_hot = index;
    if (old != index) {
        InvalidateItem(old);
        InvalidateItem(index);
    }
    return old;
}

void ListViewControl::OnButtonDown(POINT pt, WPARAM keys, bool right, bool doubleClick)
{
    if (!m_wnd->HasFocus())
        m_wnd->SetFocus();
    LVHITTESTINFO ht;
    ht.pt = pt;
    const int item = HitTest(&ht, true);
    const int subItem = std::max(0, ht.iSubItem);
    const bool ctrl = (keys & MK_CONTROL) != 0;
    const bool shift = (keys & MK_SHIFT) != 0;

    if (right) {
        // A right click selects the row under it unless it is already part of the selection.
        if (item >= 0) {
            if (m_items.State(item) & LVIS_SELECTED)
                ChangeState(item, LVIS_FOCUSED, LVIS_FOCUSED);
            else
                ClickSelect(item, false, false);
        } else if (!ctrl && !shift) {
            DeselectAllExcept(-1);
        }
        m_rPressed = !doubleClick;
        m_pressItem = item;
        m_pressSubItem = subItem;
        m_pressPt = pt;
        if (doubleClick)
            SendClick(NM_RDBLCLK, item, subItem, pt);
        return;
    }

    m_pressItem = item;
    m_pressSubItem = subItem;
    m_pressPt = pt;
    m_dragNotified = false;
    m_pressWasSelected = item >= 0 && (m_items.State(item) & LVIS_SELECTED);
    if (item >= 0 && (m_exStyle & LVS_EX_CHECKBOXES) && (ht.flags & LVHT_ONITEMSTATEICON)) {
        // The check box toggles without touching the selection.
        ToggleCheck(item);
    } else if (item >= 0) {
        ClickSelect(item, ctrl, shift);
    } else if (!ctrl && !shift) {
        DeselectAllExcept(-1);
    }
    if (doubleClick) {
        m_lPressed = false;
        SendClick(NM_DBLCLK, item, subItem, pt);
        if (m_items.IsValid(item) && !(m_exStyle & (LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE)))
            Activate(item, subItem, pt);
        return;
    }
    m_lPressed = true;
    m_wnd->SetCapture();
}

void ListViewControl::OnLButtonUp(POINT pt, WPARAM)
{
    if (!m_lPressed)
        return;
    m_lPressed = false;
    if (CWnd::GetCapture() == m_wnd)
        CWnd::ReleaseCapture();
    const int item = m_pressItem;
    const int subItem = m_pressSubItem;
    SendClick(NM_CLICK, item, subItem, pt);
    if (!m_items.IsValid(item))
        return;
    if ((m_exStyle & LVS_EX_ONECLICKACTIVATE) || ((m_exStyle & LVS_EX_TWOCLICKACTIVATE) && m_pressWasSelected))
        Activate(item, subItem, pt);
}

void ListViewControl::OnRButtonUp(POINT pt)
{
    if (!m_rPressed)
        return;
    m_rPressed = false;
    NMITEMACTIVATE nm;
    nm.iItem = m_pressItem;
    nm.iSubItem = m_pressSubItem;
    nm.ptAction = pt;
    nm.uKeyFlags = KeyFlags();
    if (m_items.IsValid(m_pressItem)) {
        nm.uNewState = m_items.State(m_pressItem);
        nm.lParam = ItemParam(m_pressItem);
    }
    // The parent answers non-zero when it has dealt with the click itself.
    if (Notify(nm.hdr, NM_RCLICK) == 0) {
        const POINT screen = m_wnd->ClientToScreen(pt);
        m_wnd->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_wnd), MAKELPARAM(screen.x, screen.y));
    }
}

void ListViewControl::OnMouseMove(POINT pt, WPARAM keys)
{
    if (m_lPressed && (keys & MK_LBUTTON) && !m_dragNotified && m_items.IsValid(m_pressItem) &&
        (std::abs(pt.x - m_pressPt.x) > kDragThreshold || std::abs(pt.y - m_pressPt.y) > kDragThreshold)) {
        m_dragNotified = true;
        NotifyListView(LVN_BEGINDRAG, m_pressItem, 0, 0, 0, 0, ItemParam(m_pressItem), m_pressPt);
    }
    const DWORD tracking = LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT;
    if (!(m_exStyle & tracking))
        return;
    LVHITTESTINFO ht;
    ht.pt = pt;
    const int item = HitTest(&ht, false);
    const int hot = (item >= 0 && (ht.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL))) ? item : -1;
    if (hot != m_hot && NotifyListView(LVN_HOTTRACK, hot, 0, 0, 0, 0, 0, pt) == 0)
        SetHotItem(hot);
    const bool hand =
        m_items.IsValid(m_hot) && ((m_exStyle & LVS_EX_ONECLICKACTIVATE) ||
                                   ((m_exStyle & LVS_EX_TWOCLICKACTIVATE) && (m_items.State(m_hot) & LVIS_SELECTED)));
    m_wnd->SetCursorShape(hand ? CursorShape::Hand : CursorShape::Arrow);
}

void ListViewControl::OnKeyDown(UINT vk)
{
    NMLVKEYDOWN nm;
    nm.wVKey = static_cast<WORD>(vk);
    nm.flags = 0;
    Notify(nm.hdr, LVN_KEYDOWN);

    const int count = m_items.Count();
    if (count == 0)
        return;
    const bool ctrl = KeyDown(VK_CONTROL);
    const bool shift = KeyDown(VK_SHIFT);
    const int view = View();
    const bool rows = view == LVS_REPORT || view == LVS_LIST;
    const int current = m_items.IsValid(m_focused) ? m_focused : -1;
    const int perPage = std::max(1, CountPerPage());
    int next = -1;
    switch (vk) {
    case VK_UP:
        next = rows ? std::max(0, current - 1) : (current < 0 ? 0 : GetNextItem(current, LVNI_ABOVE));
        break;
    case VK_DOWN:
        next = rows ? std::min(count - 1, current + 1) : (current < 0 ? 0 : GetNextItem(current, LVNI_BELOW));
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        const bool left = vk == VK_LEFT;
        if (view == LVS_REPORT) {
            ScrollTo(m_scrollX + (left ? -m_charWidth : m_charWidth) * 4, m_scrollY);
            UpdateScrollBars();
            return;
        }
        if (view == LVS_LIST) {
            const int step = RowsPerColumn();
            next = current < 0 ? 0 : std::clamp(current + (left ? -step : step), 0, count - 1);
        } else {
            next = current < 0 ? 0 : GetNextItem(current, left ? LVNI_TOLEFT : LVNI_TORIGHT);
        }
        break;
    }
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = count - 1;
        break;
    case VK_PRIOR: {
        const int top = TopIndex();
        next = (current <= top) ? std::max(0, current - perPage + 1) : top;
        break;
    }
    case VK_NEXT: {
        const int bottom = std::min(count - 1, TopIndex() + perPage - 1);
        next = (current >= bottom) ? std::min(count - 1, std::max(current, 0) + perPage - 1) : bottom;
        break;
    }
    case VK_SPACE:
        if (current >= 0) {
            if ((m_exStyle & LVS_EX_CHECKBOXES) && !ctrl) {
                ToggleCheck(current);
            } else if (ctrl) {
                const bool selected = (m_items.State(current) & LVIS_SELECTED) != 0;
                ChangeState(current, selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            } else {
                DeselectAllExcept(current);
                ChangeState(current, LVIS_SELECTED, LVIS_SELECTED);
            }
            m_mark = current;
        }
        return;
    case VK_RETURN: {
        NMHDR hdr;
        Notify(hdr, NM_RETURN);
        if (m_items.IsValid(m_focused))
            Activate(m_focused, 0, POINT{});
        return;
    }
    case 'A':
        if (ctrl && !HasStyle(LVS_SINGLESEL))
            for (int i = 0; i < m_items.Count(); ++i)
                ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
        return;
    default:
        return;
    }
    if (next >= 0)
        MoveFocusTo(std::clamp(next, 0, count - 1), ctrl, shift);
}

void ListViewControl::OnFocus(bool gained)
{
    if (!gained) {
        m_lPressed = false;
        m_rPressed = false;
    }
    InvalidateAll();
    NMHDR hdr;
    Notify(hdr, gained ? NM_SETFOCUS : NM_KILLFOCUS);
}

bool ListViewControl::OnQueryTipText(TIPTEXTQUERY* query)
{
    if (query == nullptr || !(m_exStyle & LVS_EX_INFOTIP))
        return false;
    LVHITTESTINFO hit;
    hit.pt = query->pt;
    const int index = HitTest(&hit, false);
    if (index < 0 || !(hit.flags & LVHT_ONITEM))
        return false;
    // The parent writes the tip into a buffer of the size the platform gives it.
    char buffer[INFOTIPSIZE] = {};
    NMLVGETINFOTIPA tip;
    tip.dwFlags = LVGIT_UNFOLDED;
    tip.pszText = buffer;
    tip.cchTextMax = INFOTIPSIZE;
    tip.iItem = index;
    tip.iSubItem = 0;
    tip.lParam = ItemParam(index);
    Notify(tip.hdr, LVN_GETINFOTIPA);
    buffer[INFOTIPSIZE - 1] = '\0';
    query->text = buffer;
    GetItemRect(index, &query->rcArea);
    return !query->text.empty();
}
