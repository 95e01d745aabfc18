// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The header control: items, their order and layout, and the message dispatch.
// Mouse input and painting are in header_control_input.cpp.
#include "controls/header/header_control.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

template <class T> T* Ptr(LPARAM lParam)
{
    return reinterpret_cast<T*>(lParam);
}

POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// Mask bits of the oldest header records; a read with any bit the control
// does not know is limited to these.
constexpr UINT kOldestFields = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP;
constexpr UINT kKnownFields = 0x03FF;

// The format bits that follow what an inserted item has: HDF_STRING its text,
// HDF_BITMAP a bitmap; HDF_IMAGE is added for an image but never taken away.
int InsertedFormat(const HDITEMA& item)
{
    int fmt = item.fmt;
    if (item.mask & HDI_TEXT)
        fmt |= HDF_STRING;
    else
        fmt &= ~HDF_STRING;
    if ((item.mask & HDI_BITMAP) && item.hbm != nullptr)
        fmt |= HDF_BITMAP;
    else
        fmt &= ~HDF_BITMAP;
    if (item.mask & HDI_IMAGE)
        fmt |= HDF_IMAGE;
    return fmt;
}

} // namespace

void RegisterHeaderClass()
{
    RegisterWindowClass(WC_HEADERA,
                        [](CWnd* wnd) -> std::unique_ptr<ControlProc> { return std::make_unique<HeaderControl>(wnd); });
}

// One switch that only decodes arguments; every job lives in a typed handler.
LRESULT HeaderControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case HDM_GETITEMCOUNT:
        return Count();
    case HDM_INSERTITEMA:
        return InsertItem(index, Ptr<const HDITEMA>(lParam));
    case HDM_DELETEITEM:
        return DeleteItem(index);
    case HDM_GETITEMA:
        return GetItem(index, Ptr<HDITEMA>(lParam));
    case HDM_SETITEMA:
        return SetItem(index, Ptr<const HDITEMA>(lParam));
    case HDM_LAYOUT:
        return Layout(Ptr<HDLAYOUT>(lParam));
    case HDM_HITTEST:
        return HitTest(Ptr<HDHITTESTINFO>(lParam));
    case HDM_GETITEMRECT:
        return GetItemRect(index, Ptr<RECT>(lParam));
    case HDM_SETIMAGELIST:
        return reinterpret_cast<LRESULT>(SetImageList(Ptr<CImageList>(lParam)));
    case HDM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(GetImageList());
    case HDM_ORDERTOINDEX:
        return OrderToIndex(index);
    case HDM_GETORDERARRAY:
        return GetOrderArray(index, Ptr<int>(lParam));
    case HDM_SETORDERARRAY:
        return SetOrderArray(index, Ptr<const int>(lParam));
    case WM_CREATE:
        MeasureFont();
        return 0;
    case WM_SETFONT:
        m_font = reinterpret_cast<CFont*>(wParam);
        MeasureFont();
        if (lParam)
            m_wnd->Invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_ERASEBKGND:
        if (auto* dc = reinterpret_cast<CDC*>(wParam)) {
            RECT rc;
            m_wnd->GetClientRect(&rc);
            dc->FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
        }
        return 1;
    case WM_PAINT:
        Paint(reinterpret_cast<CDC*>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(PointOf(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(PointOf(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(PointOf(lParam));
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(PointOf(lParam));
        return 0;
    case WM_KILLFOCUS:
        EndMouseMode();
        return 0;
    case WM_CONTEXTMENU:
        // The owner decides what the menu is.
        if ((m_wnd->GetStyle() & WS_CHILD) && m_wnd->GetParent())
            return m_wnd->GetParent()->SendMessage(WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_STYLECHANGED:
        m_wnd->Invalidate();
        return 0;
    default:
        return 0;
    }
}

void HeaderControl::MeasureFont()
{
    std::unique_ptr<CDC> dc = m_wnd->CreateMeasureDC();
    if (m_font)
        dc->SelectObject(m_font);
    TEXTMETRIC tm;
    if (dc->GetTextMetrics(&tm))
        m_lineHeight = tm.tmHeight + tm.tmExternalLeading;
}

int HeaderControl::Height() const
{
    return m_lineHeight + 6;
}

int HeaderControl::InsertItem(int index, const HDITEMA* item)
{
    // An empty mask makes no item.
    if (item == nullptr || item->mask == 0 || index < 0)
        return -1;
    const int count = Count();
    index = std::min(index, count);

    // Width, lParam and format are taken whatever the mask says; text, image
    // and bitmap only when it names them.
    HeaderItem added;
    added.width = item->cxy;
    added.lParam = item->lParam;
    added.fmt = InsertedFormat(*item);
    if ((item->mask & HDI_TEXT) && item->pszText != nullptr && item->pszText != LPSTR_TEXTCALLBACKA)
        added.text = item->pszText;
    if (item->mask & HDI_IMAGE)
        added.image = item->iImage;
    if (item->mask & HDI_BITMAP)
        added.bitmap = item->hbm;

    int order = (item->mask & HDI_ORDER) ? item->iOrder : index;
    if (order < 0 || order > count)
        order = count;

    m_items.insert(m_items.begin() + index, std::move(added));
    for (int& i : m_order)
        if (i >= index)
            ++i;
    m_order.insert(m_order.begin() + order, index);
    m_wnd->Invalidate();
    return index;
}

BOOL HeaderControl::DeleteItem(int index)
{
    if (index < 0 || index >= Count())
        return FALSE;
    m_items.erase(m_items.begin() + index);
    m_order.erase(std::find(m_order.begin(), m_order.end(), index));
    for (int& i : m_order)
        if (i > index)
            --i;
    if (m_mouseItem == index)
        EndMouseMode();
    m_hotItem = -1;
    m_wnd->Invalidate();
    return TRUE;
}

BOOL HeaderControl::GetItem(int index, HDITEMA* item) const
{
    if (item == nullptr || index < 0 || index >= Count())
        return FALSE;
    const HeaderItem& it = m_items[static_cast<std::size_t>(index)];
    const UINT mask = (item->mask & ~kKnownFields) ? (item->mask & kOldestFields) : item->mask;
    if ((mask & HDI_TEXT) && item->pszText != nullptr && item->cchTextMax > 0) {
        const std::size_t n = std::min(it.text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
        std::memcpy(item->pszText, it.text.data(), n);
        item->pszText[n] = '\0';
    }
    if (mask & HDI_WIDTH)
        item->cxy = it.width;
    if (mask & HDI_FORMAT)
        item->fmt = it.fmt;
    if (mask & HDI_LPARAM)
        item->lParam = it.lParam;
    if (mask & HDI_IMAGE)
        item->iImage = it.image;
    if (mask & HDI_BITMAP)
        item->hbm = it.bitmap;
    if (mask & HDI_ORDER)
        item->iOrder = OrderOf(index);
    return TRUE;
}

BOOL HeaderControl::SetItem(int index, const HDITEMA* item)
{
    if (item == nullptr || index < 0 || index >= Count())
        return FALSE;
    return ApplyItem(index, *item);
}

BOOL HeaderControl::ApplyItem(int index, const HDITEMA& change)
{
    HDITEMA copy = change;
    if (Notify(HDN_ITEMCHANGINGA, index, &copy) != 0)
        return FALSE;
    // The parent may have deleted items while it was asked.
    if (index >= Count())
        return FALSE;
    HeaderItem& it = m_items[static_cast<std::size_t>(index)];
    if (change.mask & HDI_TEXT)
        it.text = (change.pszText && change.pszText != LPSTR_TEXTCALLBACKA) ? change.pszText : "";
    if (change.mask & HDI_WIDTH)
        it.width = change.cxy;
    if (change.mask & HDI_FORMAT)
        it.fmt = change.fmt;
    if (change.mask & HDI_LPARAM)
        it.lParam = change.lParam;
    if (change.mask & HDI_IMAGE)
        it.image = change.iImage;
    if (change.mask & HDI_BITMAP)
        it.bitmap = change.hbm;
    if ((change.mask & HDI_ORDER) && change.iOrder >= 0 && change.iOrder < Count())
        MoveToOrder(index, change.iOrder);
    copy = change;
    Notify(HDN_ITEMCHANGEDA, index, &copy);
    m_wnd->Invalidate();
    return TRUE;
}

BOOL HeaderControl::Layout(HDLAYOUT* layout) const
{
    if (layout == nullptr || layout->prc == nullptr || layout->pwpos == nullptr)
        return FALSE;
    WINDOWPOS& pos = *layout->pwpos;
    pos.hwnd = m_wnd;
    pos.hwndInsertAfter = nullptr;
    pos.x = layout->prc->left;
    pos.y = layout->prc->top;
    pos.cx = layout->prc->right - layout->prc->left;
    pos.cy = (m_wnd->GetStyle() & HDS_HIDDEN) ? 0 : Height();
    pos.flags = 0;
    layout->prc->top += pos.cy;
    return TRUE;
}

int HeaderControl::OrderOf(int index) const
{
    const auto it = std::find(m_order.begin(), m_order.end(), index);
    return it == m_order.end() ? -1 : static_cast<int>(it - m_order.begin());
}

RECT HeaderControl::ItemRect(int index) const
{
    RECT client;
    m_wnd->GetClientRect(&client);
    int left = 0;
    for (int i : m_order) {
        const int width = std::max(0, m_items[static_cast<std::size_t>(i)].width);
        if (i == index)
            return RECT{left, 0, left + width, client.bottom};
        left += width;
    }
    return RECT{};
}

BOOL HeaderControl::GetItemRect(int index, RECT* rc) const
{
    if (rc == nullptr || index < 0 || index >= Count())
        return FALSE;
    *rc = ItemRect(index);
    return TRUE;
}

CImageList* HeaderControl::SetImageList(CImageList* list)
{
    CImageList* old = m_images;
    m_images = list;
    m_wnd->Invalidate();
    return old;
}

int HeaderControl::OrderToIndex(int order) const
{
    if (order < 0 || order >= Count())
        return order;
    return m_order[static_cast<std::size_t>(order)];
}

BOOL HeaderControl::GetOrderArray(int count, int* order) const
{
    if (order == nullptr || count < Count())
        return FALSE;
    std::copy(m_order.begin(), m_order.end(), order);
    return TRUE;
}

BOOL HeaderControl::SetOrderArray(int count, const int* order)
{
    if (order == nullptr || count != Count())
        return FALSE;
    // Entry by entry, each names the item shown at that position: the item
    // leaves its place and goes there. An entry out of range is skipped and a
    // duplicate moves its item once more, so a bad array is mended from the
    // order before it rather than refused.
    for (int pos = 0; pos < count; ++pos) {
        const int index = order[pos];
        if (index < 0 || index >= count)
            continue;
        m_order.erase(m_order.begin() + OrderOf(index));
        m_order.insert(m_order.begin() + pos, index);
    }
    m_wnd->Invalidate();
    return TRUE;
}

void HeaderControl::MoveToOrder(int index, int order)
{
    const int current = OrderOf(index);
    if (current < 0 || order < 0 || order >= Count() || current == order)
        return;
    m_order.erase(m_order.begin() + current);
    m_order.insert(m_order.begin() + order, index);
    m_wnd->Invalidate();
}

LRESULT HeaderControl::Notify(UINT code, int item, HDITEMA* pitem, int button)
{
    CWnd* parent = m_wnd->GetParent();
    if (parent == nullptr)
        return 0;
    NMHEADERA nm;
    nm.hdr.hwndFrom = m_wnd;
    nm.hdr.idFrom = m_wnd->GetDlgCtrlID();
    nm.hdr.code = code;
    nm.iItem = item;
    nm.iButton = button;
    nm.pitem = pitem;
    return parent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}
