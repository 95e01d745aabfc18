// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A list-view window inside a recording parent, sized and ready for tests.
#pragma once

#include <memory>

#include "controls/common_controls.h"
#include "framework/list_ctrl.h"
#include "support/message_recorder.h"

struct ListTestWindow {
    explicit ListTestWindow(DWORD style, int width = 400, int height = 300, DWORD exStyle = 0)
    {
        InitCommonControls();
        parent.CreateEx(0, "", 0, RECT{0, 0, 800, 600}, nullptr, 0);
        list.CreateEx(0, "SysListView32", WS_CHILD | WS_VISIBLE | style, RECT{0, 0, width, height}, &parent, kId);
        list.MoveWindow(RECT{0, 0, width, height});
        ctrl.Attach(&list);
        if (exStyle)
            ctrl.SetExtendedStyle(exStyle);
    }
    ~ListTestWindow()
    {
        if (CWnd::GetFocus() == &list || CWnd::GetFocus() == &parent)
            CWnd::FocusChanged(nullptr);
        list.DestroyWindow();
    }
    CWnd* Header() { return reinterpret_cast<CWnd*>(list.SendMessage(LVM_GETHEADER)); }
    void AddColumns(std::initializer_list<int> widths)
    {
        int i = 0;
        for (int w : widths) {
            std::string name = "Col" + std::to_string(i);
            ctrl.InsertColumn(i++, name.c_str(), LVCFMT_LEFT, w);
        }
    }
    int AddRow(const char* label, std::initializer_list<const char*> subItems = {}, LPARAM lParam = 0)
    {
        const int index = ctrl.InsertItem(LVIF_TEXT | LVIF_PARAM, ctrl.GetItemCount(), label, 0, 0, 0, lParam);
        int sub = 1;
        for (const char* text : subItems)
            ctrl.SetItemText(index, sub++, text);
        return index;
    }

    static constexpr UINT kId = 1;
    MessageRecorder parent;
    CWnd list;
    CListCtrl ctrl;
};
