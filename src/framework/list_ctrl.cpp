// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/list_ctrl.h"

#include <vector>

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

WPARAM Index(int i)
{
    return static_cast<WPARAM>(static_cast<INT_PTR>(i));
}

} // namespace

// ---- CHeaderCtrl ------------------------------------------------------------

LRESULT CHeaderCtrl::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_pWnd ? m_pWnd->SendMessage(message, wParam, lParam) : 0;
}

int CHeaderCtrl::GetItemCount() const
{
    return static_cast<int>(Send(HDM_GETITEMCOUNT));
}
int CHeaderCtrl::InsertItem(int index, HDITEM* item)
{
    return static_cast<int>(Send(HDM_INSERTITEM, Index(index), Arg(item)));
}
BOOL CHeaderCtrl::DeleteItem(int index)
{
    return static_cast<BOOL>(Send(HDM_DELETEITEM, Index(index)));
}
BOOL CHeaderCtrl::GetItem(int index, HDITEM* item) const
{
    return static_cast<BOOL>(Send(HDM_GETITEM, Index(index), Arg(item)));
}
BOOL CHeaderCtrl::SetItem(int index, HDITEM* item)
{
    return static_cast<BOOL>(Send(HDM_SETITEM, Index(index), Arg(item)));
}
BOOL CHeaderCtrl::GetItemRect(int index, RECT* rc) const
{
    return static_cast<BOOL>(Send(HDM_GETITEMRECT, Index(index), Arg(rc)));
}
int CHeaderCtrl::OrderToIndex(int order) const
{
    return static_cast<int>(Send(HDM_ORDERTOINDEX, Index(order)));
}
CImageList* CHeaderCtrl::SetImageList(CImageList* list)
{
    return reinterpret_cast<CImageList*>(Send(HDM_SETIMAGELIST, 0, Arg(list)));
}
CImageList* CHeaderCtrl::GetImageList() const
{
    return reinterpret_cast<CImageList*>(Send(HDM_GETIMAGELIST));
}
BOOL CHeaderCtrl::GetOrderArray(int* order, int count) const
{
    if (count < 0)
        count = GetItemCount();
    return static_cast<BOOL>(Send(HDM_GETORDERARRAY, Index(count), Arg(order)));
}
BOOL CHeaderCtrl::SetOrderArray(int count, int* order)
{
    return static_cast<BOOL>(Send(HDM_SETORDERARRAY, Index(count), Arg(order)));
}
int CHeaderCtrl::HitTest(HDHITTESTINFO* info) const
{
    return static_cast<int>(Send(HDM_HITTEST, 0, Arg(info)));
}

// ---- CListCtrl --------------------------------------------------------------

LRESULT CListCtrl::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_pWnd ? m_pWnd->SendMessage(message, wParam, lParam) : 0;
}

BOOL CListCtrl::Create(DWORD style, const RECT& rc, CWnd* parent, UINT id)
{
    auto wnd = std::make_unique<CWnd>();
    if (!wnd->CreateEx(0, WC_LISTVIEWA, style, rc, parent, id))
        return FALSE;
    m_pOwnedWnd = std::move(wnd);
    m_pWnd = m_pOwnedWnd.get();
    return TRUE;
}

int CListCtrl::InsertColumn(int column, const LVCOLUMN* info)
{
    return static_cast<int>(Send(LVM_INSERTCOLUMN, Index(column), Arg(info)));
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem)
{
    LVCOLUMN info;
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.pszText = const_cast<LPSTR>(heading);
    info.fmt = format;
    if (width != -1) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return InsertColumn(column, &info);
}

BOOL CListCtrl::DeleteColumn(int column)
{
    return static_cast<BOOL>(Send(LVM_DELETECOLUMN, Index(column)));
}
BOOL CListCtrl::GetColumn(int column, LVCOLUMN* info) const
{
    return static_cast<BOOL>(Send(LVM_GETCOLUMN, Index(column), Arg(info)));
}
BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* info)
{
    return static_cast<BOOL>(Send(LVM_SETCOLUMN, Index(column), Arg(info)));
}
int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, Index(column)));
}
BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(Send(LVM_SETCOLUMNWIDTH, Index(column), MAKELPARAM(width, 0)));
}

BOOL CListCtrl::GetColumnOrderArray(int* order, int count) const
{
    if (count < 0) {
        CWnd* header = reinterpret_cast<CWnd*>(Send(LVM_GETHEADER));
        count = header ? static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT)) : 0;
    }
    return static_cast<BOOL>(Send(LVM_GETCOLUMNORDERARRAY, Index(count), Arg(order)));
}

BOOL CListCtrl::SetColumnOrderArray(int count, int* order)
{
    return static_cast<BOOL>(Send(LVM_SETCOLUMNORDERARRAY, Index(count), Arg(order)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl()
{
    CWnd* header = reinterpret_cast<CWnd*>(Send(LVM_GETHEADER));
    if (header == nullptr)
        return nullptr;
    m_ctrlHeader.Attach(header);
    return &m_ctrlHeader;
}

int CListCtrl::InsertItem(const LVITEM* item)
{
    return static_cast<int>(Send(LVM_INSERTITEM, 0, Arg(item)));
}

int CListCtrl::InsertItem(int index, LPCSTR text)
{
    return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int index, LPCSTR text, int image)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, LPCSTR text, UINT state, UINT stateMask, int image, LPARAM lParam)
{
    LVITEM item;
    item.mask = mask;
    item.iItem = index;
    item.pszText = const_cast<LPSTR>(text);
    item.state = state;
    item.stateMask = stateMask;
    item.iImage = image;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int index)
{
    return static_cast<BOOL>(Send(LVM_DELETEITEM, Index(index)));
}
BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(Send(LVM_DELETEALLITEMS));
}
int CListCtrl::GetItemCount() const
{
    return static_cast<int>(Send(LVM_GETITEMCOUNT));
}
BOOL CListCtrl::GetItem(LVITEM* item) const
{
    return static_cast<BOOL>(Send(LVM_GETITEM, 0, Arg(item)));
}
BOOL CListCtrl::SetItem(const LVITEM* item)
{
    return static_cast<BOOL>(Send(LVM_SETITEM, 0, Arg(item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCSTR text)
{
    LVITEM item;
    item.iSubItem = subItem;
    item.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(Send(LVM_SETITEMTEXT, Index(index), Arg(&item)));
}

int CListCtrl::GetItemText(int index, int subItem, LPSTR buffer, int size) const
{
    LVITEM item;
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = size;
    return static_cast<int>(Send(LVM_GETITEMTEXT, Index(index), Arg(&item)));
}

std::string CListCtrl::GetItemText(int index, int subItem) const
{
    // Grow the buffer while the text fills it.
    std::vector<char> buffer(256);
    for (;;) {
        buffer[0] = '\0';
        const int length = GetItemText(index, subItem, buffer.data(), static_cast<int>(buffer.size()));
        if (length < static_cast<int>(buffer.size()) - 1 || buffer.size() >= (1u << 20))
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEM item;
    item.state = state;
    item.stateMask = mask;
    return SetItemState(index, &item);
}

BOOL CListCtrl::SetItemState(int index, LVITEM* item)
{
    return static_cast<BOOL>(Send(LVM_SETITEMSTATE, Index(index), Arg(item)));
}

UINT CListCtrl::GetItemState(int index, UINT mask) const
{
    return static_cast<UINT>(Send(LVM_GETITEMSTATE, Index(index), static_cast<LPARAM>(mask)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEM item;
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    LVITEM item;
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    return SetItem(&item);
}

UINT CListCtrl::GetSelectedCount() const
{
    return static_cast<UINT>(Send(LVM_GETSELECTEDCOUNT));
}
int CListCtrl::GetNextItem(int index, int flags) const
{
    return static_cast<int>(Send(LVM_GETNEXTITEM, Index(index), MAKELPARAM(flags, 0)));
}
int CListCtrl::GetSelectionMark() const
{
    return static_cast<int>(Send(LVM_GETSELECTIONMARK));
}
int CListCtrl::SetSelectionMark(int index)
{
    return static_cast<int>(Send(LVM_SETSELECTIONMARK, 0, index));
}
int CListCtrl::FindItem(LVFINDINFO* info, int start) const
{
    return static_cast<int>(Send(LVM_FINDITEM, Index(start), Arg(info)));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data)
{
    return static_cast<BOOL>(Send(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
}

BOOL CListCtrl::GetCheck(int index) const
{
    // State image 2 is the ticked box, 1 the empty one.
    return ((GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1 ? TRUE : FALSE;
}

BOOL CListCtrl::SetCheck(int index, BOOL check)
{
    return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::SetItemCount(int count)
{
    return static_cast<BOOL>(Send(LVM_SETITEMCOUNT, Index(count)));
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}
DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

CImageList* CListCtrl::SetImageList(CImageList* list, int which)
{
    return reinterpret_cast<CImageList*>(Send(LVM_SETIMAGELIST, Index(which), Arg(list)));
}
CImageList* CListCtrl::GetImageList(int which) const
{
    return reinterpret_cast<CImageList*>(Send(LVM_GETIMAGELIST, Index(which)));
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const
{
    return static_cast<int>(Send(LVM_HITTEST, 0, Arg(info)));
}

int CListCtrl::HitTest(POINT pt, UINT* flags) const
{
    LVHITTESTINFO info;
    info.pt = pt;
    const int item = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return item;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const
{
    return static_cast<int>(Send(LVM_SUBITEMHITTEST, 0, Arg(info)));
}

BOOL CListCtrl::GetItemRect(int index, RECT* rc, UINT code) const
{
    if (rc == nullptr)
        return FALSE;
    rc->left = static_cast<LONG>(code);
    return static_cast<BOOL>(Send(LVM_GETITEMRECT, Index(index), Arg(rc)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int area, RECT& rc) const
{
    rc.top = subItem;
    rc.left = area;
    return static_cast<BOOL>(Send(LVM_GETSUBITEMRECT, Index(index), Arg(&rc)));
}

BOOL CListCtrl::GetItemPosition(int index, POINT* pt) const
{
    return static_cast<BOOL>(Send(LVM_GETITEMPOSITION, Index(index), Arg(pt)));
}

int CListCtrl::GetTopIndex() const
{
    return static_cast<int>(Send(LVM_GETTOPINDEX));
}
int CListCtrl::GetCountPerPage() const
{
    return static_cast<int>(Send(LVM_GETCOUNTPERPAGE));
}
int CListCtrl::GetStringWidth(LPCSTR text) const
{
    return static_cast<int>(Send(LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>(text)));
}
COLORREF CListCtrl::GetBkColor() const
{
    return static_cast<COLORREF>(Send(LVM_GETBKCOLOR));
}
BOOL CListCtrl::SetBkColor(COLORREF colour)
{
    return static_cast<BOOL>(Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour)));
}
COLORREF CListCtrl::GetTextColor() const
{
    return static_cast<COLORREF>(Send(LVM_GETTEXTCOLOR));
}
BOOL CListCtrl::SetTextColor(COLORREF colour)
{
    return static_cast<BOOL>(Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour)));
}
COLORREF CListCtrl::GetTextBkColor() const
{
    return static_cast<COLORREF>(Send(LVM_GETTEXTBKCOLOR));
}
BOOL CListCtrl::SetTextBkColor(COLORREF colour)
{
    return static_cast<BOOL>(Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour)));
}
int CListCtrl::GetHotItem() const
{
    return static_cast<int>(Send(LVM_GETHOTITEM));
}
int CListCtrl::SetHotItem(int index)
{
    return static_cast<int>(Send(LVM_SETHOTITEM, Index(index)));
}
BOOL CListCtrl::EnsureVisible(int index, BOOL partialOk)
{
    return static_cast<BOOL>(Send(LVM_ENSUREVISIBLE, Index(index), partialOk));
}
BOOL CListCtrl::Scroll(SIZE size)
{
    return static_cast<BOOL>(Send(LVM_SCROLL, Index(size.cx), size.cy));
}
BOOL CListCtrl::RedrawItems(int first, int last)
{
    return static_cast<BOOL>(Send(LVM_REDRAWITEMS, Index(first), last));
}
BOOL CListCtrl::Arrange(UINT code)
{
    return static_cast<BOOL>(Send(LVM_ARRANGE, code));
}
