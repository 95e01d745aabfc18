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

namespace {

struct DemoSortTest : ::testing::Test {
    MessageRecorder parent;
    CListDemoView view;
    CListCtrl ctrl;
    void SetUp() override
    {
        parent.reflect = true;
        parent.CreateEx(0, "", 0, RECT{0, 0, 800, 600}, nullptr, 0);
        view.CreateEx(0, "", WS_CHILD, RECT{0, 0, 700, 400}, &parent, 1);
        view.MoveWindow(RECT{0, 0, 700, 400});
        ctrl.Attach(&view);
        view.OnInitialUpdate();
    }
    void TearDown() override
    {
        CWnd::FocusChanged(nullptr);
        view.DestroyWindow();
    }
    // Clicks the heading of a logical column (none is hidden: the control's number is the same).
    void ClickHeading(int column)
    {
        auto* header = reinterpret_cast<CWnd*>(view.SendMessage(LVM_GETHEADER));
        RECT rc{};
        header->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rc));
        const LPARAM at = MAKELPARAM(rc.left + 10, (rc.top + rc.bottom) / 2);
        header->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        header->SendMessage(WM_LBUTTONUP, 0, at);
    }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < ctrl.GetItemCount(); ++i)
            texts.push_back(std::string(ctrl.GetItemText(i, column)));
        return texts;
    }
};

TEST_F(DemoSortTest, AClickOnAHeadingSortsTheRowsAndASecondOneReversesThem)
{
    ASSERT_EQ(ctrl.GetItemCount(), 12);
    const struct {
        int column;
        bool ascending;
    } clicks[] = {{2, true}, {2, false}, {0, true}, {3, true}, {1, true}, {1, false}};
    for (const auto& click : clicks) {
        SCOPED_TRACE("column " + std::to_string(click.column));
        ClickHeading(click.column);
        EXPECT_EQ(view.GetSortColumn(), click.ascending ? click.column + 1 : -(click.column + 1));
        std::vector<std::string> texts = Column(click.column);
        std::vector<std::string> sorted = texts;
        if (click.ascending)
            std::stable_sort(sorted.begin(), sorted.end());
        else
            std::stable_sort(sorted.begin(), sorted.end(), std::greater<>());
        EXPECT_EQ(texts, sorted);
    }
}

} // namespace
