// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A list engine window (the extended list view, without a document) inside a
// parent that records what the application would see, for engine tests. The
// list can be told to make the control refuse a message, to try the engine's
// handling of refusals.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "controls/common_controls.h"
#include "controls/image_list.h"
#include "framework/list_ctrl.h"
#include "listctrl/list_view_ex.h"
#include "support/message_recorder.h"

// An image list of count plain 16-pixel pictures, each a different colour.
inline void FillPlainPictures(CImageList& list, int count)
{
    list.Create(16, 16, ILC_COLOR32, 0, 1);
    for (int i = 0; i < count; ++i) {
        ImageData picture;
        picture.width = picture.height = 16;
        picture.argb.assign(256, 0xFF000000u + static_cast<std::uint32_t>(i));
        list.Add(picture);
    }
}

class EngineTestList : public CListViewEx {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{CListViewEx::GetThisMessageMap(),
                                    {msgmap::NotifyReflect(NM_CUSTOMDRAW, &EngineTestList::OnCustomDrawSeen)}};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    // What a class built on the engine sees of its custom draw, then the engine's own handling.
    void OnCustomDrawSeen(NMHDR* pNMHDR, LRESULT* pResult)
    {
        const auto* cd = reinterpret_cast<const NMLVCUSTOMDRAW*>(pNMHDR);
        customDraw.push_back({cd->nmcd.dwDrawStage, static_cast<int>(cd->nmcd.dwItemSpec), cd->nmcd.lItemlParam});
        OnCustomDraw(pNMHDR, pResult);
    }
    struct DrawStage {
        DWORD stage;
        int item;
        LPARAM lParam;
    };
    std::vector<DrawStage> customDraw;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        auto it = refuse.find(message);
        if (it != refuse.end())
            return it->second;
        return CListViewEx::DefWindowProc(message, wParam, lParam);
    }
    // Answers the control gives instead of handling the message.
    std::map<UINT, LRESULT> refuse;
    using CListBase::m_aColumnData;
    using CListBase::m_nSortColumn;
};

// The window of a class built on the engine: EngineTestList, or one derived from it.
template <class List> struct BasicEngineWindow {
    explicit BasicEngineWindow(DWORD style = LVS_REPORT, DWORD exStyle = 0, int width = 600, int height = 300)
    {
        InitCommonControls();
        parent.reflect = true;
        parent.CreateEx(0, "", 0, RECT{0, 0, 800, 600}, nullptr, 0);
        list.CreateEx(0, "", WS_CHILD | WS_VISIBLE | style, RECT{0, 0, width, height}, &parent, kId);
        list.MoveWindow(RECT{0, 0, width, height});
        ctrl.Attach(&list);
        if (exStyle)
            ctrl.SetExtendedStyle(exStyle);
    }
    ~BasicEngineWindow()
    {
        if (CWnd::GetFocus() == &list || CWnd::GetFocus() == &parent)
            CWnd::FocusChanged(nullptr);
        list.DestroyWindow();
    }
    CWnd* Header() { return reinterpret_cast<CWnd*>(list.SendMessage(LVM_GETHEADER)); }
    // Columns "Col0", "Col1", ... of the given widths, the last ones hideable if asked.
    void AddColumns(std::initializer_list<int> widths, bool hideable = true)
    {
        int i = 0;
        for (int w : widths) {
            const std::string name = "Col" + std::to_string(i);
            ctrl.InsertColumn(i, name.c_str(), LVCFMT_LEFT, w);
            if (hideable && i > 0)
                list.SetColumnHideable(i);
            ++i;
        }
    }
    // A row with a label and sub-item texts (logical columns 1, 2, ...).
    int AddRow(const char* label, std::initializer_list<const char*> subItems = {}, LPARAM lParam = 0)
    {
        const int index = ctrl.InsertItem(LVIF_TEXT | LVIF_PARAM, ctrl.GetItemCount(), label, 0, 0, 0, lParam);
        int sub = 1;
        for (const char* text : subItems)
            ctrl.SetItemText(index, sub++, text);
        return index;
    }
    std::string Text(int item, int sub) { return std::string(ctrl.GetItemText(item, sub)); }
    // What the control itself holds (physical numbers).
    int ControlColumnCount() { return Header() ? static_cast<int>(Header()->SendMessage(HDM_GETITEMCOUNT)) : 0; }
    std::string ControlHeading(int p)
    {
        char buffer[64] = {};
        LVCOLUMNA column;
        column.mask = LVCF_TEXT;
        column.pszText = buffer;
        column.cchTextMax = sizeof buffer;
        list.DefWindowProc(LVM_GETCOLUMNA, static_cast<WPARAM>(p), reinterpret_cast<LPARAM>(&column));
        return buffer;
    }
    std::string ControlText(int item, int p)
    {
        char buffer[260] = {};
        LVITEMA it;
        it.iSubItem = p;
        it.pszText = buffer;
        it.cchTextMax = sizeof buffer;
        list.DefWindowProc(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
        return buffer;
    }
    int ControlWidth(int p)
    {
        return static_cast<int>(list.DefWindowProc(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(p), 0));
    }

    static constexpr UINT kId = 7;
    MessageRecorder parent;
    List list;
    CListCtrl ctrl;
};
using EngineWindow = BasicEngineWindow<EngineTestList>;
