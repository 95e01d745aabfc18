// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list-view control (window class "SysListView32"): rows of items with
// sub-item texts in report, icon, small-icon and list views. It answers the
// LVM_ messages like the platform control it stands in for, tells its parent
// about changes, clicks and keys with LVN_/NM_ notifications, asks it for
// callback texts and custom colours, and paints through a CDC. The column
// header is a child "SysHeader32" window.
//
// Sorting (LVM_SORTITEMS) happens inside the message, as the platform control
// does it: the comparator is called before the message returns and never
// after, so a caller may pass a pointer to a local as its parameter, or change
// what the comparator reads once the call is done. Every request sorts every
// row fully and stably (rows that compare equal keep their order); rows
// already in order cost one comparison per neighbour, and a few new ones are
// merged in. While the comparator runs, the rows stay where they were (it may
// read the list), and messages that would add, delete or sort rows are refused.
//
// The work is split by job: listview_control.cpp (dispatch, creation, styles,
// colours, image lists), _items.cpp (rows, states, sort, find), _columns.cpp
// (columns and header), _geometry.cpp (layout, rectangles, hit tests,
// scrolling), _paint.cpp (drawing, custom draw, owner draw), _input.cpp
// (mouse, keyboard, focus).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/image_list.h"
#include "controls/listview/item_store.h"
#include "framework/commctrl.h"
#include "framework/wnd.h"

class ListViewControl : public ControlProc {
public:
    explicit ListViewControl(CWnd* wnd);
    ~ListViewControl() override;

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct ColumnInfo {
        int fmt = LVCFMT_LEFT;
        int image = 0;
    };
    // Rectangles of one item in client coordinates.
    struct ItemParts {
        RECT bounds{};
        RECT state{};
        RECT icon{};
        RECT label{};
    };
    // The columns in display order with their horizontal extent (client coordinates).
    struct ColumnSpan {
        int index = 0;
        int left = 0;
        int right = 0;
    };

    // ---- creation, styles, colours, image lists (listview_control.cpp)
    LRESULT OnCreate();
    void OnDestroy();
    void OnStyleChanged(WPARAM which, const STYLESTRUCT* change);
    void OnSize();
    void OnSetFont(CFont* font, bool redraw);
    void OnSetRedraw(bool redraw);
    DWORD SetExtendedStyle(DWORD mask, DWORD style);
    CImageList* SetImageList(WPARAM which, CImageList* list);
    CImageList* GetImageList(WPARAM which) const;
    BOOL SetBkColor(COLORREF colour);
    BOOL SetTextColor(COLORREF colour);
    BOOL SetTextBkColor(COLORREF colour);
    void MeasureFont();
    void UpdateItemMetrics();
    void MeasureOwnerDrawItem();
    void EnsureCheckBoxImages();
    void InvalidateAll();
    int View() const;
    bool HasStyle(DWORD style) const;
    LRESULT Notify(NMHDR& hdr, UINT code);
    LRESULT NotifyListView(UINT code, int item, int subItem = 0, UINT newState = 0, UINT oldState = 0, UINT changed = 0,
                           LPARAM lParam = 0, POINT pt = POINT{});
    std::unique_ptr<CDC> MeasureDC() const;

    // ---- rows (listview_control_items.cpp)
    int InsertItem(const LVITEMA* item);
    int InsertPosition(const std::string& text, int requested) const;
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems(bool destroying);
    BOOL GetItem(LVITEMA* item);
    BOOL SetItem(const LVITEMA* item);
    int GetItemText(int index, LVITEMA* item);
    BOOL SetItemText(int index, const LVITEMA* item);
    BOOL SetItemState(int index, const LVITEMA* item);
    UINT GetItemState(int index, UINT mask) const;
    int GetNextItem(int start, UINT flags);
    int FindItem(int start, const LVFINDINFOA* info);
    BOOL SortItems(PFNLVCOMPARE compare, LPARAM lParamSort);
    template <class Less> void SortRows(int count, Less less);
    int GetSelectedCount() const;
    BOOL SetItemCount(int count);
    int SetSelectionMark(int index);

    // Changes one row's main item; notifies LVN_ITEMCHANGING/CHANGED when something changes,
    // and only LVN_ITEMCHANGING for a state that stays when askEvenIfUnchanged.
    bool SetMainItem(int index, const LVITEMA& change, bool notify = true, bool askEvenIfUnchanged = false);
    bool SetSubItem(int index, const LVITEMA& change);
    // Applies a state change with its side effects (single selection, one focused row).
    bool ChangeState(int index, UINT state, UINT mask, bool notify = true, bool askEvenIfUnchanged = false);
    void DeselectAllExcept(int keep);
    void SelectRange(int from, int to, bool clearOthers);
    void ShiftIndices(int from, int delta);
    // Text and image for display: asks the parent through LVN_GETDISPINFO for callbacks.
    std::string DisplayText(int index, int subItem);
    int DisplayImage(int index, int subItem);
    LPARAM ItemParam(int index) const;
    bool AskDispInfo(int index, int subItem, UINT mask, char* buffer, int size, NMLVDISPINFOA* out);

    // ---- columns and header (listview_control_columns.cpp)
    int InsertColumn(int index, const LVCOLUMNA* column);
    BOOL DeleteColumn(int index);
    BOOL GetColumn(int index, LVCOLUMNA* column);
    BOOL SetColumn(int index, const LVCOLUMNA* column);
    int GetColumnWidth(int index) const;
    BOOL SetColumnWidth(int index, int width);
    BOOL GetColumnOrderArray(int count, int* order) const;
    BOOL SetColumnOrderArray(int count, const int* order);
    int ColumnCount() const;
    int AutoSizeWidth(int column, bool useHeader);
    void CreateHeader();
    void LayoutHeader();
    bool HeaderVisible() const;
    int ListTop() const;
    int TotalColumnWidth() const;
    std::vector<ColumnSpan> DisplayColumns() const;
    RECT ColumnRect(int column) const; // x in client coordinates
    LRESULT OnHeaderNotify(NMHDR* hdr);
    LRESULT ForwardHeaderNotify(const NMHEADERA* nm);
    LRESULT ForwardToParent(NMHDR* hdr);
    int HeaderFormat(int column, int fmt) const;
    HDITEMA HeaderItemFrom(const LVCOLUMNA& column, int index) const;

    // ---- geometry and scrolling (listview_control_geometry.cpp)
    int ItemHeight() const { return m_itemHeight; }
    SIZE IconCell() const;
    SIZE SmallCell();
    POINT SlotPosition(int slot);
    POINT ItemViewPosition(int index);
    bool GetItemParts(int index, ItemParts* parts);
    static BOOL PartOfItem(const ItemParts& parts, int code, RECT* rc);
    BOOL GetItemRect(int index, RECT* rc);
    BOOL GetSubItemRect(int index, RECT* rc);
    int HitTest(LVHITTESTINFO* info, bool subItem);
    int ReportSubItemHitTest(LVHITTESTINFO* info);
    int TopIndex() const;
    int CountPerPage() const;
    int RowsPerColumn() const;
    BOOL EnsureVisible(int index, bool partialOk);
    BOOL Scroll(int dx, int dy);
    void ScrollTo(int x, int y);
    void UpdateScrollBars();
    void OnScroll(int bar, int code, int pos);
    void OnMouseWheel(int delta);
    BOOL Arrange(UINT code);
    void ArrangeIfAuto();
    bool AutoArranged() const;
    BOOL GetItemPosition(int index, POINT* pt);
    BOOL SetItemPosition(int index, POINT pt);
    BOOL GetOrigin(POINT* pt) const;
    BOOL GetViewRect(RECT* rc);
    RECT ViewExtent();
    LRESULT GetItemSpacing(bool small);
    BOOL RedrawItems(int first, int last);
    int StringWidth(const char* text) const;
    void InvalidateItem(int index);

    // ---- painting (listview_control_paint.cpp)
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint(CDC* dc);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& cd, DWORD stage);
    void PaintReportItem(CDC* dc, int index, LRESULT mode, const std::vector<ColumnSpan>& columns);
    void PaintReportCell(CDC* dc, int index, const ColumnSpan& column, const ItemParts& parts,
                         const NMLVCUSTOMDRAW& cd);
    using ItemPainter = void (ListViewControl::*)(CDC*, int, const ItemParts&, const NMLVCUSTOMDRAW&);
    void PaintItemStages(CDC* dc, int index, LRESULT mode, ItemPainter paint);
    void PaintOwnerDrawItem(CDC* dc, int index, const ItemParts& parts, const NMLVCUSTOMDRAW& cd);
    void PaintIconItem(CDC* dc, int index, const ItemParts& parts, const NMLVCUSTOMDRAW& cd);
    void PaintImages(CDC* dc, int index, const ItemParts& parts, bool large);
    void PaintGridLines(CDC* dc, const std::vector<ColumnSpan>& columns);
    void PaintFocus(CDC* dc);
    void FillCustomDraw(NMLVCUSTOMDRAW& cd, CDC* dc, int index, const RECT& rc);
    bool ShowsSelection() const;
    CFont* HotFont(int index);
    RECT LabelBox(CDC* dc, int index, const ItemParts& parts, const std::string& text);
    COLORREF TextColour(COLORREF requested) const;
    COLORREF TextBkColour(COLORREF requested) const;

    // ---- input (listview_control_input.cpp)
    void OnButtonDown(POINT pt, WPARAM keys, bool right, bool doubleClick);
    void OnLButtonUp(POINT pt, WPARAM keys);
    void OnRButtonUp(POINT pt);
    void OnMouseMove(POINT pt, WPARAM keys);
    // The tip of the item under pt, asked of the parent when the list shows tips.
    bool OnQueryTipText(TIPTEXTQUERY* query);
    void OnKeyDown(UINT vk);
    void OnFocus(bool gained);
    void ClickSelect(int index, bool ctrl, bool shift);
    void MoveFocusTo(int index, bool ctrl, bool shift);
    void ToggleCheck(int index);
    void SendClick(UINT code, int item, int subItem, POINT pt);
    void Activate(int item, int subItem, POINT pt);
    int SetHotItem(int index);

    CWnd* m_wnd;
    std::unique_ptr<CWnd> m_header;
    ListItemStore m_items;
    std::vector<ColumnInfo> m_columns;
    DWORD m_exStyle = 0;

    CImageList* m_normalImages = nullptr;
    CImageList* m_smallImages = nullptr;
    CImageList* m_stateImages = nullptr;
    std::unique_ptr<CImageList> m_checkBoxes; // the state images the control makes for LVS_EX_CHECKBOXES

    COLORREF m_bkColour;
    bool m_bkColourChosen = false; // set through LVM_SETBKCOLOR; otherwise the system's window colour
    COLORREF m_textColour = CLR_DEFAULT;
    COLORREF m_textBkColour = CLR_DEFAULT;
    CFont* m_font = nullptr;
    std::unique_ptr<CFont> m_hotFont;
    int m_lineHeight = 16;
    int m_charWidth = 7;
    int m_itemHeight = 17;
    int m_ownerDrawHeight = 0;
    int m_listColumnWidth = 0; // list view: the width of its columns; 0 until set
    int m_smallItemWidth = -1; // small-icon and list views; -1 when it must be measured again

    int m_focused = -1;
    int m_mark = -1;
    int m_hot = -1;
    UINT m_callbackMask = 0;
    int m_scrollX = 0; // pixels
    int m_scrollY = 0; // report and list: rows; icon views: pixels
    int m_nextSlot = 0;
    bool m_redraw = true;
    bool m_sorting = false;       // the comparator is running
    bool m_settingColumn = false; // LVM_SETCOLUMN: the header's notices stay with the list

    // Mouse presses waiting for their release.
    bool m_lPressed = false;
    bool m_rPressed = false;
    bool m_dragNotified = false;
    bool m_pressWasSelected = false;
    int m_pressItem = -1;
    int m_pressSubItem = 0;
    POINT m_pressPt{};
};

void RegisterListViewClass();
