// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list demo as a user tries it: a click on a heading sorts the rows by
// that column, a second click on it reverses them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/list_ctrl.h"
#include "support/message_recorder.h"
#include "varnex-listdemo/demo_list_view.h"

TEST(DemoSortTest, AClickOnAHeadingSortsTheRowsAndASecondOneReversesThem)
{
    MessageRecorder parent;
    parent.reflect = true;
    parent.CreateEx(0, "", 0, RECT{0, 0, 800, 600}, nullptr, 0);
    CListDemoView view;
    view.CreateEx(0, "", WS_CHILD, RECT{0, 0, 700, 400}, &parent, 1);
    view.OnInitialUpdate();
    CListCtrl ctrl;
    ctrl.Attach(&view);
    auto* header = reinterpret_cast<CWnd*>(view.SendMessage(LVM_GETHEADER));
    for (const auto& [column, ascending] : {std::pair{2, true}, {2, false}, {0, true}, {3, true}, {1, true}}) {
        RECT rc{};
        header->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rc));
        const LPARAM at = MAKELPARAM(rc.left + 10, 5);
        header->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        header->SendMessage(WM_LBUTTONUP, 0, at);
        EXPECT_EQ(view.GetSortColumn(), ascending ? column + 1 : -(column + 1));
        std::vector<std::string> texts;
        for (int i = 0; i < ctrl.GetItemCount(); ++i)
            texts.push_back(std::string(ctrl.GetItemText(i, column)));
        ASSERT_EQ(texts.size(), 12u);
        EXPECT_TRUE(ascending ? std::is_sorted(texts.begin(), texts.end())
                              : std::is_sorted(texts.rbegin(), texts.rend()))
            << "column " << column;
    }
    CWnd::FocusChanged(nullptr);
    view.DestroyWindow();
}
