// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The extended list view's message map and its few handlers of its own: column
// toggles from the header menu, header notifications, the column click, and
// notifications on their way to the parent.
#include "listctrl/list_view_ex.h"

CListViewEx::CListViewEx()
{
    m_pListCtrl = this;
}

CListViewEx::~CListViewEx() = default;

const MessageMap* CListViewEx::GetThisMessageMap()
{
    using V = CListViewEx;
    static const MessageMap map{CListView::GetThisMessageMap(),
                                {
                                    msgmap::Message<V>(WM_CONTEXTMENU, &V::OnContextMenuMessage),
                                    msgmap::Message<V>(WM_DESTROY, &V::OnDestroyMessage),
                                    msgmap::Message<V>(LVM_DELETEALLITEMS, &V::OnDeleteAllItems),
                                    msgmap::Message<V>(LVM_DELETECOLUMN, &V::OnDeleteColumn),
                                    msgmap::Message<V>(LVM_DELETEITEM, &V::OnDeleteItem),
                                    msgmap::Message<V>(LVM_FINDITEMA, &V::OnFindItem),
                                    msgmap::Message<V>(LVM_GETCOLUMNA, &V::OnGetColumn),
                                    msgmap::Message<V>(LVM_GETCOLUMNORDERARRAY, &V::OnGetColumnOrderArray),
                                    msgmap::Message<V>(LVM_GETCOLUMNWIDTH, &V::OnGetColumnWidth),
                                    msgmap::Message<V>(LVM_GETEXTENDEDLISTVIEWSTYLE, &V::OnGetExtendedStyle),
                                    msgmap::Message<V>(LVM_GETITEMA, &V::OnGetItem),
                                    msgmap::Message<V>(LVM_GETITEMTEXTA, &V::OnGetItemText),
                                    msgmap::Message<V>(LVM_HITTEST, &V::OnHitTest),
                                    msgmap::Message<V>(LVM_INSERTCOLUMNA, &V::OnInsertColumn),
                                    msgmap::Message<V>(LVM_INSERTITEMA, &V::OnInsertItem),
                                    msgmap::Message<V>(LVM_SETCOLUMNA, &V::OnSetColumn),
                                    msgmap::Message<V>(LVM_SETCOLUMNORDERARRAY, &V::OnSetColumnOrderArray),
                                    msgmap::Message<V>(LVM_SETCOLUMNWIDTH, &V::OnSetColumnWidth),
                                    msgmap::Message<V>(LVM_SETEXTENDEDLISTVIEWSTYLE, &V::OnSetExtendedStyle),
                                    msgmap::Message<V>(LVM_SETIMAGELIST, &V::OnSetImageList),
                                    msgmap::Message<V>(LVM_SETITEMA, &V::OnSetItem),
                                    msgmap::Message<V>(LVM_SETITEMTEXTA, &V::OnSetItemText),
                                    msgmap::Message<V>(LVM_SETBKCOLOR, &V::OnSetBkColor),
                                    msgmap::Message<V>(LVM_SORTITEMS, &V::OnSortItems),
                                    msgmap::Message<V>(WM_SYSCOLORCHANGE, &V::OnSysColorChangeMessage),
                                    msgmap::Message<V>(WM_ERASEBKGND, &V::OnEraseBkgndMessage),
                                    msgmap::Message<V>(WM_HSCROLL, &V::OnHScrollMessage),
                                    msgmap::Message<V>(WM_KILLFOCUS, &V::OnKillFocusMessage),
                                    msgmap::Message<V>(WM_SETFOCUS, &V::OnSetFocusMessage),
                                    msgmap::Message<V>(WM_LBUTTONDOWN, &V::OnLButtonDownMessage),
                                    msgmap::Message<V>(WM_LBUTTONDBLCLK, &V::OnLButtonDblClkMessage),
                                    msgmap::Message<V>(WM_LBUTTONUP, &V::OnLButtonUpMessage),
                                    msgmap::Message<V>(WM_MOUSEMOVE, &V::OnMouseMoveMessage),
                                    msgmap::Message<V>(WM_KEYDOWN, &V::OnKeyDownMessage),
                                    msgmap::Message<V>(WM_KEYUP, &V::OnKeyUpMessage),
                                    msgmap::NotifyReflect<V>(NM_CUSTOMDRAW, &V::OnCustomDraw),
                                    msgmap::NotifyReflectEx<V>(LVN_COLUMNCLICK, &V::OnColumnClick),
                                    msgmap::NotifyReflectEx<V>(LVN_GETDISPINFOA, &V::OnGetDispInfo),
                                }};
    return &map;
}

BOOL CListViewEx::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The header menu numbers its items by logical column, from 0.
    const auto column = static_cast<int>(static_cast<INT_PTR>(wParam));
    if (column >= 0 && column < GetColumnCount()) {
        ShowColumn(column, !IsColumnVisible(column));
        return TRUE;
    }
    return CListView::OnCommand(wParam, lParam);
}

BOOL CListViewEx::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    return OnHeaderNotify(reinterpret_cast<NMHDR*>(lParam), pResult);
}

BOOL CListViewEx::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    TranslateOutgoingNotification(message, lParam);
    return CListView::OnChildNotify(message, wParam, lParam, pResult);
}

void CListViewEx::DrawItem(DRAWITEMSTRUCT* lpDrawItemStruct)
{
    CListBase::DrawItem(lpDrawItemStruct);
}

BOOL CListViewEx::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* nm = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    const int c = PhysicalToLogicalColumn(nm->iSubItem);
    nm->iSubItem = c;
    const int magnitude = m_nSortColumn < 0 ? -m_nSortColumn : m_nSortColumn;
    if (m_nSortColumn != 0 && magnitude == c + 1)
        m_nSortColumn = -m_nSortColumn;
    else
        m_nSortColumn = c + 1;
    UpdateSortIcons();
    if (pResult)
        *pResult = 0;
    return FALSE;
}

LRESULT CListViewEx::OnContextMenuMessage(WPARAM wParam, LPARAM lParam)
{
    OnContextMenu(reinterpret_cast<CWnd*>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

LRESULT CListViewEx::OnSysColorChangeMessage(WPARAM, LPARAM)
{
    OnSysColorChange();
    return 0;
}

LRESULT CListViewEx::OnEraseBkgndMessage(WPARAM wParam, LPARAM)
{
    return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam));
}

LRESULT CListViewEx::OnHScrollMessage(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    OnHScroll();
    return result;
}

LRESULT CListViewEx::OnKillFocusMessage(WPARAM, LPARAM)
{
    OnKillFocus();
    return 0;
}

LRESULT CListViewEx::OnSetFocusMessage(WPARAM, LPARAM)
{
    OnSetFocus();
    return 0;
}

LRESULT CListViewEx::OnLButtonDownMessage(WPARAM, LPARAM lParam)
{
    OnLButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

LRESULT CListViewEx::OnLButtonDblClkMessage(WPARAM, LPARAM lParam)
{
    OnLButtonDblClk(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

LRESULT CListViewEx::OnLButtonUpMessage(WPARAM, LPARAM)
{
    OnLButtonUp();
    return 0;
}

LRESULT CListViewEx::OnMouseMoveMessage(WPARAM, LPARAM lParam)
{
    const LRESULT result = Default();
    OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return result;
}

LRESULT CListViewEx::OnKeyDownMessage(WPARAM wParam, LPARAM)
{
    OnKeyDown(static_cast<UINT>(wParam));
    return 0;
}

LRESULT CListViewEx::OnKeyUpMessage(WPARAM wParam, LPARAM)
{
    OnKeyUp(static_cast<UINT>(wParam));
    return 0;
}

LRESULT CListViewEx::OnDestroyMessage(WPARAM, LPARAM)
{
    // No record may outlive the window.
    SendMessage(LVM_DELETEALLITEMS);
    return Default();
}
