// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The header control (window class "SysHeader32"): a row of sections with
// text, width, format and a display order that can differ from the index
// order. It answers the HDM_ messages and tells its parent about clicks,
// divider drags and section drags with HDN_ notifications. While it paints it
// offers its parent custom draw (NM_CUSTOMDRAW) and has it draw the
// HDF_OWNERDRAW sections (WM_DRAWITEM); inside a list view that parent is the
// list view, which passes the custom draw on to its own parent.
#pragma once

#include <string>
#include <vector>

#include "framework/commctrl.h"
#include "framework/wnd.h"

class CImageList;

struct HeaderItem {
    std::string text;
    int width = 0;
    int fmt = 0;
    LPARAM lParam = 0;
    int image = 0;
    void* bitmap = nullptr;
};

class HeaderControl : public ControlProc {
public:
    explicit HeaderControl(CWnd* wnd) : m_wnd(wnd) {}

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // HDM_ handlers; indices are item indices, orders are display positions.
    int Count() const { return static_cast<int>(m_items.size()); }
    int InsertItem(int index, const HDITEMA* item);
    BOOL DeleteItem(int index);
    BOOL GetItem(int index, HDITEMA* item) const;
    BOOL SetItem(int index, const HDITEMA* item);
    BOOL Layout(HDLAYOUT* layout) const;
    int HitTest(HDHITTESTINFO* info) const;
    BOOL GetItemRect(int index, RECT* rc) const;
    CImageList* SetImageList(CImageList* list);
    CImageList* GetImageList() const { return m_images; }
    int OrderToIndex(int order) const;
    BOOL GetOrderArray(int count, int* order) const;
    BOOL SetOrderArray(int count, const int* order);

private:
    // Geometry.
    int OrderOf(int index) const;
    RECT ItemRect(int index) const;
    int Height() const;
    int HitTestPoint(POINT pt, UINT* flags) const;
    bool Sizable(int index) const;
    int DropOrderAt(int x) const;

    // Changes that tell the parent first; a non-zero answer to the "changing" notification cancels.
    BOOL ApplyItem(int index, const HDITEMA& change);
    void MoveToOrder(int index, int order);
    LRESULT Notify(UINT code, int item, HDITEMA* pitem, int button = 0);

    // Input.
    void OnLButtonDown(POINT pt);
    void OnLButtonDblClk(POINT pt);
    void OnMouseMove(POINT pt);
    void OnLButtonUp(POINT pt);
    void OnRButtonUp(POINT pt);
    void EndMouseMode();
    int TrackedWidth(int item, POINT pt) const;

    void Paint(CDC* dc);
    void PaintSection(CDC* dc, int index);
    LRESULT CustomDraw(CDC* dc, DWORD stage, const RECT& rc, int item = 0, LPARAM lParam = 0, UINT state = 0);
    void OwnerDraw(CDC* dc, int index);
    void MeasureFont();

    enum class Mode { None, Pressed, Dragging, Tracking };

    CWnd* m_wnd;
    std::vector<HeaderItem> m_items; // by index
    std::vector<int> m_order;        // display position -> index
    CImageList* m_images = nullptr;
    CFont* m_font = nullptr;
    int m_lineHeight = 16;

    Mode m_mode = Mode::None;
    int m_mouseItem = -1; // item pressed, dragged or whose divider is tracked
    POINT m_pressPt{};
    int m_dragX = 0;
    int m_trackOffset = 0; // pointer distance from the divider when tracking began
    int m_hotItem = -1;
};

void RegisterHeaderClass();
