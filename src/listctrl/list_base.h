// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list engine: attached to one list-view window, it keeps every column the
// application inserted (hidden ones too) and every item's data for every
// column, and translates the list-view messages that name a column, an item
// or a sort between the application's logical numbering and the control's own.
//
// Reaching the control, three ways:
//   default processing  the control handles the current message, its record
//                       possibly edited in place (CWnd::Default);
//   pass to the control a message of the engine's choosing straight to the
//                       control's procedure, physical numbers (DefWindowProc);
//   send                an ordinary send that passes the engine again, logical
//                       numbers (SendMessage).
// What the control alone knows and the engine never translates (its header,
// colours, fonts, rectangles, image lists) is passed to it: painting asks for
// it at every row.
//
// The engine's files by job: list_base.cpp (life, common helpers, geometry),
// list_base_columns.cpp (column messages), list_base_visibility.cpp (hiding,
// showing and the header menu), list_base_layout.cpp (the saved layout),
// list_base_items.cpp (item messages), list_base_styles.cpp (extended style,
// image lists, background), list_base_sort.cpp (sorting), list_base_colours.cpp
// (the tinted sort column), list_base_input.cpp (keys, mouse, focus, header
// notifications), list_base_invariants.cpp (self-checks).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/image_list.h"
#include "framework/wnd.h"
#include "listctrl/list_records.h"

class CListBase {
public:
    using COLUMN_DATA = listctrl::COLUMN_DATA;
    using ITEM_DATA = listctrl::ITEM_DATA;

    CListBase();
    virtual ~CListBase();
    CListBase(const CListBase&) = delete;
    CListBase& operator=(const CListBase&) = delete;

    // An item as the control has it, with a text buffer of its own; its
    // lParam is the application's, as every hook and notification gives it.
    struct FetchedItem {
        LVITEMA item;
        std::vector<char> text;
        const ITEM_DATA* record = nullptr; // the engine's record of the item
    };

    // Owner-drawn mode: one item painted cell by cell.
    void DrawItem(DRAWITEMSTRUCT* lpDrawItemStruct);
    std::unique_ptr<FetchedItem> FetchItem(int nItem, int nPhysicalSubItem);
    int GetLabelWidth(int nAvailable, CDC* pDC, const LVITEMA* pItem) const;

    // Drawing hooks of the owner-drawn mode.
    virtual void DrawSmallIcon(CDC* pDC, LVITEMA* pItem, RECT* pRect);
    virtual void DrawStateIcon(CDC* pDC, LVITEMA* pItem, RECT* pRect);
    virtual void DrawSubItemText(CDC* pDC, LVITEMA* pItem, LVCOLUMNA* pColumn, RECT* pRect);

    // Columns the user may hide, and hiding or showing one (logical numbers).
    void SetColumnHideable(int nColumn);
    void ShowColumn(int nColumn, bool bShow);
    bool IsColumnHideable(int nColumn) const;
    bool IsColumnVisible(int nColumn) const;
    int GetColumnCount() const { return static_cast<int>(m_aColumnData.size()); }
    void KeepLabelLeft(bool bKeep);
    void SetFirstColumnFormat(int fmt);
    // Applies a saved column layout; false when the layout was refused (then nothing changed).
    bool RestoreState(const std::uint8_t* pData, unsigned nSize);
    // The column layout as RestoreState reads it.
    std::vector<std::uint8_t> SaveState();

    int LogicalToPhysicalColumn(int c) const;
    int PhysicalToLogicalColumn(int p) const;
    int LogicalToPhysicalOrder(int o) const;
    int PhysicalToLogicalOrder(int q) const;

    int OrderToIndex(int nOrder);
    int GetHeaderItemOrder(int nIndex);
    bool GetSubItemRectEx(int nItem, int nSubItem, int nArea, RECT& rect);
    bool GetStateIconRect(RECT& rect, int nItem);

    // The header's context menu of columns; the chosen column arrives as a command.
    void OnContextMenu(CWnd* pWnd, POINT point);

    // Sorting and its arrow.
    void SetSortColumn(int nSortState);
    int GetSortColumn() const { return m_nSortColumn; }
    void EnableSortIcon(bool bEnable);
    bool IsSortIconEnabled() const { return m_bSortIconEnabled != FALSE; }
    void UpdateSortIcons();
    void ColorSortColumn(bool bEnable);
    bool IsSortColumnColored() const { return m_bColorSortColumn != FALSE; }

    // Handlers of the list-view messages (wParam, lParam as the message has them).
    LRESULT OnInsertColumn(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteColumn(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetColumn(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetColumn(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetColumnWidth(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetColumnWidth(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetColumnOrderArray(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetColumnOrderArray(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetExtendedStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetExtendedStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteAllItems(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetItemText(WPARAM wParam, LPARAM lParam);
    LRESULT OnFindItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnSortItems(WPARAM wParam, LPARAM lParam);
    // Colours: the system colours changed, the reflected custom draw, a
    // horizontal scroll (after the control's), the background erase.
    void OnSysColorChange();
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHScroll();
    BOOL OnEraseBkgnd(CDC* pDC);
    // Input, focus and the header (the control has not seen the message yet,
    // except for OnMouseMove, which runs after it).
    void AutoSizeColumn(int q);
    void OnKeyDown(UINT vk);
    void OnKeyUp(UINT vk);
    void OnLButtonDown(POINT point);
    void OnLButtonDblClk(POINT point);
    void OnLButtonUp();
    void OnMouseMove(POINT point);
    void OnSetFocus();
    void OnKillFocus();
    BOOL OnHeaderNotify(NMHDR* pNMHDR, LRESULT* pResult);
    void LoadCursors();
    // The reflected display-information request; TRUE when handled.
    BOOL OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    // Notifications leaving for the parent carry the application's lParam,
    // never the engine's record.
    void TranslateOutgoingNotification(UINT message, LPARAM lParam);

    static int SortCallback(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    // The engine's records, for checks of its invariants.
    const listctrl::ColumnArray& Columns() const { return m_aColumnData; }
    // The record of an item, read from the control; nullptr when it cannot be read.
    ITEM_DATA* GetItemData(int nItem);
    int GetHideableColumnCount() const { return m_nHideableColumns; }
    // An empty text when the engine's records and the control agree as they
    // must; otherwise what is broken. For tests and the fuzzer.
    std::string CheckInvariants();

protected:
    // Reaching the control (see the header comment).
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT PassToControl(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT DefaultProcessing() const;
    CWnd* GetHeader() const;
    DWORD ListStyle() const;
    bool IsValidColumn(int c) const { return c >= 0 && c < GetColumnCount(); }
    // Every item from the last to the first, with its record; unreadable ones skipped.
    void ForEachItemBackwards(const std::function<void(int, ITEM_DATA&)>& visit);
    // Gives an item's text to the control as the callback marker, keeping the real one here.
    void ApplyCallbackText(LVITEMA& item) const;
    // The stored entry for logical column c of an item, put back into the control.
    void RefillColumn(int c);
    // A hidden column given back to the control: its place, width, texts and arrow.
    void ReinsertColumn(int nColumn);
    // Column 0 can never be hidden: the column that became 0 is shown and not hideable.
    void KeepColumnZeroShown();
    // Whether the sort column is shown and is the control's column `physical`.
    bool IsSortColumnShownAt(int physical) const;
    // Column 0's band left of the label, with the state image and small icon, on the row's colour.
    void RepaintIconArea(CDC* dc, int row);
    COLORREF IconAreaColour(int row, UINT state, bool columnZeroFirst, bool focus) const;
    bool IsColumnZeroMoved();
    // An owner-drawn item's check box under the point toggled; false when there is none.
    bool ToggleCheckBoxAt(POINT point);
    void MarkFocusOnFirstSelected(bool focus);
    void ApplyCurrentCursor();

    int m_nStateIconOffset = 4;
    CWnd* m_pListCtrl = nullptr;
    listctrl::ColumnArray m_aColumnData;
    int m_nHideableColumns = 0;
    BOOL m_bSortIconEnabled = FALSE;
    BOOL m_bColorSortColumn = FALSE;
    COLORREF m_clrSortColumn = 0;
    int m_nSortColumn = 0;
    int m_nFirstColumnFormat = 0;
    bool m_bKeepLabelLeft = false;
    bool m_bControlKeyDown = false;
    bool m_bStateIconOffsetKnown = false;
    DWORD m_dwExtendedStyle = 0;
    int m_nHotItem = -1;
    COLORREF m_clrHotText = 0;
    HCURSOR m_hCurrentCursor;
    HCURSOR m_hArrowCursor;
    HCURSOR m_hHandCursor;
    PFNLVCOMPARE m_pfnCompare = nullptr;
    LPARAM m_lParamSort = 0;
    bool m_bInGetDispInfo = false;

private:
    ITEM_DATA* m_pInserting = nullptr; // the record of an item the control is inserting now
};
