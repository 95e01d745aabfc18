// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Mouse handling and painting of the header control.
#include <algorithm>
#include <cstdlib>

#include "controls/header/header_control.h"

namespace {

// Half the width of the zone around a divider that grabs it.
constexpr int kDividerGrip = 4;
// How far the pointer moves before a press becomes a section drag.
constexpr int kDragThreshold = 4;

} // namespace

// Whether the mouse may resize an item: not a fixed-width one, and none under HDS_NOSIZING.
bool HeaderControl::Sizable(int index) const
{
    return !(m_items[static_cast<std::size_t>(index)].fmt & HDF_FIXEDWIDTH) && !(m_wnd->GetStyle() & HDS_NOSIZING);
}

int HeaderControl::HitTestPoint(POINT pt, UINT* flags) const
{
    RECT client;
    m_wnd->GetClientRect(&client);
    UINT outside = 0;
    if (pt.x < client.left)
        outside |= HHT_TOLEFT;
    else if (pt.x >= client.right)
        outside |= HHT_TORIGHT;
    if (pt.y < client.top)
        outside |= HHT_ABOVE;
    else if (pt.y >= client.bottom)
        outside |= HHT_BELOW;
    if (outside) {
        *flags = outside;
        return -1;
    }
    int left = 0;
    for (std::size_t pos = 0; pos < m_order.size(); ++pos) {
        const int index = m_order[pos];
        const int right = left + std::max(0, m_items[static_cast<std::size_t>(index)].width);
        // The grip of a divider reaches either side of it; the divider belongs to the item on its left.
        if (pos > 0 && pt.x < left + kDividerGrip && Sizable(m_order[pos - 1])) {
            *flags = HHT_ONDIVIDER;
            return m_order[pos - 1];
        }
        const bool last = pos + 1 == m_order.size();
        if (Sizable(index) && pt.x >= right - kDividerGrip && pt.x < right + (last ? kDividerGrip : 0)) {
            *flags = HHT_ONDIVIDER;
            return index;
        }
        if (pt.x >= left && pt.x < right) {
            *flags = HHT_ONHEADER;
            return index;
        }
        left = right;
    }
    *flags = HHT_NOWHERE;
    return -1;
}

int HeaderControl::HitTest(HDHITTESTINFO* info) const
{
    if (info == nullptr)
        return -1;
    info->iItem = HitTestPoint(info->pt, &info->flags);
    return info->iItem;
}

int HeaderControl::DropOrderAt(int x) const
{
    int left = 0;
    for (std::size_t pos = 0; pos < m_order.size(); ++pos) {
        left += std::max(0, m_items[static_cast<std::size_t>(m_order[pos])].width);
        if (x < left)
            return static_cast<int>(pos);
    }
    return std::max(0, Count() - 1);
}

int HeaderControl::TrackedWidth(int item, POINT pt) const
{
    return std::max(0, static_cast<int>(pt.x - ItemRect(item).left - m_trackOffset));
}

void HeaderControl::EndMouseMode()
{
    if (m_mode != Mode::None && CWnd::GetCapture() == m_wnd)
        CWnd::ReleaseCapture();
    m_mode = Mode::None;
    m_mouseItem = -1;
    m_wnd->Invalidate();
}

void HeaderControl::OnLButtonDown(POINT pt)
{
    UINT flags = 0;
    const int item = HitTestPoint(pt, &flags);
    if (item < 0)
        return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        HDITEMA hi;
        hi.mask = HDI_WIDTH;
        hi.cxy = m_items[static_cast<std::size_t>(item)].width;
        if (Notify(HDN_BEGINTRACKA, item, &hi) != 0 || item >= Count())
            return;
        m_mode = Mode::Tracking;
        m_mouseItem = item;
        m_trackOffset = pt.x - ItemRect(item).right;
        m_wnd->SetCapture();
        return;
    }
    if ((flags & HHT_ONHEADER) && (m_wnd->GetStyle() & (HDS_BUTTONS | HDS_DRAGDROP))) {
        m_mode = Mode::Pressed;
        m_mouseItem = item;
        m_pressPt = pt;
        m_dragX = pt.x;
        m_wnd->SetCapture();
        m_wnd->Invalidate();
    }
}

void HeaderControl::OnLButtonDblClk(POINT pt)
{
    UINT flags = 0;
    const int item = HitTestPoint(pt, &flags);
    if (item < 0)
        return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))
        Notify(HDN_DIVIDERDBLCLICKA, item, nullptr);
    else if (flags & HHT_ONHEADER)
        Notify(HDN_ITEMDBLCLICKA, item, nullptr);
}

void HeaderControl::OnMouseMove(POINT pt)
{
    switch (m_mode) {
    case Mode::Tracking: {
        HDITEMA hi;
        hi.mask = HDI_WIDTH;
        hi.cxy = TrackedWidth(m_mouseItem, pt);
        if (Notify(HDN_TRACKA, m_mouseItem, &hi) != 0 || m_mouseItem >= Count()) {
            EndMouseMode();
            return;
        }
        if ((m_wnd->GetStyle() & HDS_FULLDRAG) && hi.cxy != m_items[static_cast<std::size_t>(m_mouseItem)].width) {
            HDITEMA change;
            change.mask = HDI_WIDTH;
            change.cxy = hi.cxy;
            ApplyItem(m_mouseItem, change);
        }
        return;
    }
    case Mode::Pressed:
        if ((m_wnd->GetStyle() & HDS_DRAGDROP) && std::abs(pt.x - m_pressPt.x) > kDragThreshold) {
            if (Notify(HDN_BEGINDRAG, m_mouseItem, nullptr) == 0 && m_mouseItem < Count()) {
                m_mode = Mode::Dragging;
                m_dragX = pt.x;
                m_wnd->Invalidate();
            } else {
                // Refused: the press stays a press but no longer counts as a click.
                m_pressPt.x = -100000;
            }
        }
        return;
    case Mode::Dragging:
        m_dragX = pt.x;
        m_wnd->Invalidate();
        return;
    case Mode::None: {
        UINT flags = 0;
        const int item = HitTestPoint(pt, &flags);
        m_wnd->SetCursorShape((flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? CursorShape::Divider : CursorShape::Arrow);
        const int hot = (flags & HHT_ONHEADER) ? item : -1;
        if ((m_wnd->GetStyle() & HDS_HOTTRACK) && hot != m_hotItem) {
            m_hotItem = hot;
            m_wnd->Invalidate();
        }
        return;
    }
    }
}

void HeaderControl::OnLButtonUp(POINT pt)
{
    const Mode mode = m_mode;
    const int item = m_mouseItem;
    const POINT press = m_pressPt;
    EndMouseMode();
    if (item < 0 || item >= Count())
        return;
    switch (mode) {
    case Mode::Tracking: {
        HDITEMA hi;
        hi.mask = HDI_WIDTH;
        hi.cxy = TrackedWidth(item, pt);
        Notify(HDN_ENDTRACKA, item, &hi);
        if (item < Count() && hi.cxy != m_items[static_cast<std::size_t>(item)].width) {
            HDITEMA change;
            change.mask = HDI_WIDTH;
            change.cxy = hi.cxy;
            ApplyItem(item, change);
        }
        return;
    }
    case Mode::Dragging: {
        const int order = DropOrderAt(pt.x);
        HDITEMA hi;
        hi.mask = HDI_ORDER;
        hi.iOrder = order;
        // Sent before the move, so the parent can still refuse it.
        if (Notify(HDN_ENDDRAG, item, &hi) == 0 && item < Count())
            MoveToOrder(item, order);
        return;
    }
    case Mode::Pressed: {
        UINT flags = 0;
        const bool moved = press.x == -100000;
        if (!moved && (m_wnd->GetStyle() & HDS_BUTTONS) && HitTestPoint(pt, &flags) == item && (flags & HHT_ONHEADER))
            Notify(HDN_ITEMCLICKA, item, nullptr, 0);
        return;
    }
    case Mode::None:
        return;
    }
}

void HeaderControl::OnRButtonUp(POINT pt)
{
    CWnd* parent = m_wnd->GetParent();
    LRESULT handled = 0;
    if (parent) {
        NMHDR nm;
        nm.hwndFrom = m_wnd;
        nm.idFrom = m_wnd->GetDlgCtrlID();
        nm.code = NM_RCLICK;
        handled = parent->SendMessage(WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
    }
    if (handled == 0) {
        const POINT screen = m_wnd->ClientToScreen(pt);
        m_wnd->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_wnd), MAKELPARAM(screen.x, screen.y));
    }
}

LRESULT HeaderControl::CustomDraw(CDC* dc, DWORD stage, const RECT& rc, int item, LPARAM lParam, UINT state)
{
    CWnd* parent = m_wnd->GetParent();
    if (parent == nullptr)
        return CDRF_DODEFAULT;
    NMCUSTOMDRAW cd;
    cd.hdr.hwndFrom = m_wnd;
    cd.hdr.idFrom = m_wnd->GetDlgCtrlID();
    cd.hdr.code = NM_CUSTOMDRAW;
    cd.dwDrawStage = stage;
    cd.hdc = dc;
    cd.rc = rc;
    cd.dwItemSpec = static_cast<DWORD_PTR>(item);
    cd.uItemState = state;
    cd.lItemlParam = lParam;
    return parent->SendMessage(WM_NOTIFY, cd.hdr.idFrom, reinterpret_cast<LPARAM>(&cd));
}

void HeaderControl::OwnerDraw(CDC* dc, int index)
{
    CWnd* parent = m_wnd->GetParent();
    if (parent == nullptr)
        return;
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_HEADER;
    dis.CtlID = m_wnd->GetDlgCtrlID();
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = ODA_DRAWENTIRE;
    if (m_mode == Mode::Pressed && m_mouseItem == index)
        dis.itemState = ODS_SELECTED;
    dis.hwndItem = m_wnd;
    dis.hDC = dc;
    dis.rcItem = ItemRect(index);
    dis.itemData = static_cast<DWORD_PTR>(m_items[static_cast<std::size_t>(index)].lParam);
    parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void HeaderControl::PaintSection(CDC* dc, int index)
{
    const HeaderItem& it = m_items[static_cast<std::size_t>(index)];
    HeaderSectionPaint section;
    section.rc = ItemRect(index);
    section.text = it.text;
    section.fmt = it.fmt;
    section.pressed = (m_wnd->GetStyle() & HDS_BUTTONS) && m_mode == Mode::Pressed && m_mouseItem == index;
    section.hot = m_hotItem == index;
    if (it.fmt & HDF_IMAGE) {
        section.images = m_images;
        section.image = it.image;
    }
    dc->DrawHeaderSection(section);
}

// Custom draw: the parent's answer to the prepaint stage asks for the item
// stages and the post-paint stage, and skipping the default drawing skips
// the control's own drawing but no notification. An owner-drawn item has no
// custom-draw stages; its parent draws it in answer to WM_DRAWITEM.
void HeaderControl::Paint(CDC* dc)
{
    if (dc == nullptr)
        return;
    CFont* oldFont = m_font ? dc->SelectObject(m_font) : nullptr;
    RECT client;
    m_wnd->GetClientRect(&client);
    const LRESULT mode = CustomDraw(dc, CDDS_PREPAINT, client);
    const bool drawSelf = !(mode & CDRF_SKIPDEFAULT);
    int right = 0;
    // A copy: the parent may change the items while it is asked.
    const std::vector<int> order = m_order;
    for (int index : order) {
        if (index >= Count())
            continue;
        const RECT rc = ItemRect(index);
        right = std::max(right, static_cast<int>(rc.right));
        if (rc.right <= rc.left)
            continue;
        const HeaderItem& it = m_items[static_cast<std::size_t>(index)];
        if (it.fmt & HDF_OWNERDRAW) {
            OwnerDraw(dc, index);
            continue;
        }
        UINT state = 0;
        if (m_mode == Mode::Pressed && m_mouseItem == index)
            state |= CDIS_SELECTED;
        if (m_hotItem == index)
            state |= CDIS_HOT;
        const LPARAM lParam = it.lParam;
        LRESULT itemMode = CDRF_DODEFAULT;
        if (mode & CDRF_NOTIFYITEMDRAW)
            itemMode = CustomDraw(dc, CDDS_ITEMPREPAINT, rc, index, lParam, state);
        if (index >= Count())
            continue;
        if (drawSelf && !(itemMode & CDRF_SKIPDEFAULT))
            PaintSection(dc, index);
        if (itemMode & CDRF_NOTIFYPOSTPAINT)
            CustomDraw(dc, CDDS_ITEMPOSTPAINT, rc, index, lParam, state);
    }
    if (drawSelf && right < client.right) {
        // The empty stretch after the last section still looks like header.
        HeaderSectionPaint rest;
        rest.rc = RECT{right, 0, client.right, client.bottom};
        dc->DrawHeaderSection(rest);
    }
    if (drawSelf && m_mode == Mode::Dragging && m_mouseItem >= 0 && m_mouseItem < Count()) {
        // The dragged section follows the pointer.
        const HeaderItem& it = m_items[static_cast<std::size_t>(m_mouseItem)];
        HeaderSectionPaint ghost;
        const RECT rc = ItemRect(m_mouseItem);
        const int shift = m_dragX - m_pressPt.x;
        ghost.rc = RECT{rc.left + shift, rc.top, rc.right + shift, rc.bottom};
        ghost.text = it.text;
        ghost.fmt = it.fmt;
        ghost.pressed = true;
        if (it.fmt & HDF_IMAGE) {
            ghost.images = m_images;
            ghost.image = it.image;
        }
        dc->DrawHeaderSection(ghost);
    }
    if (mode & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(dc, CDDS_POSTPAINT, client);
    if (m_font)
        dc->SelectObject(oldFont);
}
