// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Thin wrappers over a list-view window and a header window: each member
// sends one message, as the framework's CListCtrl and CHeaderCtrl do.
#pragma once

#include <memory>
#include <string>

#include "framework/commctrl.h"
#include "framework/wnd.h"

class CImageList;

class CHeaderCtrl {
public:
    CHeaderCtrl() = default;
    explicit CHeaderCtrl(CWnd* wnd) : m_pWnd(wnd) {}
    void Attach(CWnd* wnd) { m_pWnd = wnd; }
    CWnd* GetWnd() const { return m_pWnd; }

    int GetItemCount() const;
    int InsertItem(int index, HDITEM* item);
    BOOL DeleteItem(int index);
    BOOL GetItem(int index, HDITEM* item) const;
    BOOL SetItem(int index, HDITEM* item);
    BOOL GetItemRect(int index, RECT* rc) const;
    int OrderToIndex(int order) const;
    CImageList* SetImageList(CImageList* list);
    CImageList* GetImageList() const;
    BOOL GetOrderArray(int* order, int count = -1) const;
    BOOL SetOrderArray(int count, int* order);
    int HitTest(HDHITTESTINFO* info) const;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* m_pWnd = nullptr;
};

class CListCtrl {
public:
    CListCtrl() = default;
    explicit CListCtrl(CWnd* wnd) : m_pWnd(wnd) {}
    void Attach(CWnd* wnd) { m_pWnd = wnd; }
    CWnd* GetWnd() const { return m_pWnd; }
    // Creates a list-view window owned by this object.
    BOOL Create(DWORD style, const RECT& rc, CWnd* parent, UINT id);

    // Columns.
    int InsertColumn(int column, const LVCOLUMN* info);
    int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int column);
    BOOL GetColumn(int column, LVCOLUMN* info) const;
    BOOL SetColumn(int column, const LVCOLUMN* info);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    BOOL GetColumnOrderArray(int* order, int count = -1) const;
    BOOL SetColumnOrderArray(int count, int* order);
    CHeaderCtrl* GetHeaderCtrl();

    // Items.
    int InsertItem(const LVITEM* item);
    int InsertItem(int index, LPCSTR text);
    int InsertItem(int index, LPCSTR text, int image);
    int InsertItem(UINT mask, int index, LPCSTR text, UINT state, UINT stateMask, int image, LPARAM lParam);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL GetItem(LVITEM* item) const;
    BOOL SetItem(const LVITEM* item);
    BOOL SetItemText(int index, int subItem, LPCSTR text);
    std::string GetItemText(int index, int subItem) const;
    int GetItemText(int index, int subItem, LPSTR buffer, int size) const;
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL SetItemState(int index, LVITEM* item);
    UINT GetItemState(int index, UINT mask) const;
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    UINT GetSelectedCount() const;
    int GetNextItem(int index, int flags) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int index);
    int FindItem(LVFINDINFO* info, int start = -1) const;
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);
    BOOL GetCheck(int index) const;
    BOOL SetCheck(int index, BOOL check = TRUE);
    BOOL SetItemCount(int count);

    // Looks, geometry, scrolling.
    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const;
    CImageList* SetImageList(CImageList* list, int which);
    CImageList* GetImageList(int which) const;
    int HitTest(LVHITTESTINFO* info) const;
    int HitTest(POINT pt, UINT* flags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* info) const;
    BOOL GetItemRect(int index, RECT* rc, UINT code) const;
    BOOL GetSubItemRect(int index, int subItem, int area, RECT& rc) const;
    BOOL GetItemPosition(int index, POINT* pt) const;
    int GetTopIndex() const;
    int GetCountPerPage() const;
    int GetStringWidth(LPCSTR text) const;
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF colour);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF colour);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF colour);
    int GetHotItem() const;
    int SetHotItem(int index);
    BOOL EnsureVisible(int index, BOOL partialOk);
    BOOL Scroll(SIZE size);
    BOOL RedrawItems(int first, int last);
    BOOL Arrange(UINT code);

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* m_pWnd = nullptr;
    std::unique_ptr<CWnd> m_pOwnedWnd;
    CHeaderCtrl m_ctrlHeader;
};
