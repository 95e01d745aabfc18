// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Mouse and keyboard input of the list view.
#include <gtest/gtest.h>

#include "support/list_test_window.h"
#include "support/recording_dc.h"

namespace {

constexpr int kTop = 22;
constexpr int kRow = 17;

struct ListViewInputTest : ::testing::Test {
    ListTestWindow w{LVS_REPORT | LVS_SHOWSELALWAYS, 400, 200};
    void SetUp() override
    {
        w.AddColumns({100, 80});
        for (int i = 0; i < 30; ++i)
            w.AddRow(("row" + std::to_string(i)).c_str(), {"x"});
        w.parent.Clear();
    }
    void TearDown() override
    {
        SetKeyDown(VK_SHIFT, false);
        SetKeyDown(VK_CONTROL, false);
    }
    void Click(int row, WPARAM keys = 0, UINT down = WM_LBUTTONDOWN)
    {
        const LPARAM pt = MAKELPARAM(40, kTop + row * kRow + 4);
        w.list.SendMessage(down, keys, pt);
        if (down == WM_LBUTTONDOWN)
            w.list.SendMessage(WM_LBUTTONUP, 0, pt);
    }
    std::vector<int> Selected()
    {
        std::vector<int> rows;
        for (int i = w.ctrl.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = w.ctrl.GetNextItem(i, LVNI_SELECTED))
            rows.push_back(i);
        return rows;
    }
    void Key(UINT vk) { w.list.SendMessage(WM_KEYDOWN, vk, 0); }
};

TEST_F(ListViewInputTest, ClicksSelectWithControlAndShift)
{
    Click(2);
    EXPECT_EQ(Selected(), std::vector<int>({2}));
    EXPECT_TRUE(w.list.HasFocus());
    Click(5, MK_CONTROL);
    EXPECT_EQ(Selected(), std::vector<int>({2, 5}));
    Click(2, MK_CONTROL);
    EXPECT_EQ(Selected(), std::vector<int>({5}));
    Click(7, MK_SHIFT);
    EXPECT_EQ(Selected(), std::vector<int>({2, 3, 4, 5, 6, 7})) << "the range starts at the last clicked row";
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_FOCUSED), 7);
    // A click beside the columns clears the selection.
    w.list.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(250, 100));
    w.list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(250, 100));
    EXPECT_TRUE(Selected().empty());
}

TEST_F(ListViewInputTest, ClickNotifiesAfterTheSelectionChange)
{
    w.parent.ignored = {LVN_ITEMCHANGING, LVN_ITEMCHANGED};
    Click(3);
    ExpectedMessage focus;
    focus.code = NM_SETFOCUS;
    ExpectedMessage click;
    click.code = NM_CLICK;
    click.flags = kCheckItem | kCheckSubItem;
    click.item = 3;
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {focus, click}));

    w.parent.Clear();
    Click(3, 0, WM_LBUTTONDBLCLK);
    ExpectedMessage dbl = click;
    dbl.code = NM_DBLCLK;
    ExpectedMessage activate = click;
    activate.code = LVN_ITEMACTIVATE;
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {dbl, activate}));
}

TEST_F(ListViewInputTest, KeysMoveTheFocusAndTheSelectionAndAreReportedFirst)
{
    Click(0);
    w.parent.Clear();
    Key(VK_DOWN);
    ASSERT_FALSE(w.parent.Messages().empty());
    EXPECT_EQ(w.parent.Messages()[0].code, LVN_KEYDOWN);
    EXPECT_EQ(w.parent.Messages()[0].item, static_cast<int>(VK_DOWN));
    EXPECT_EQ(Selected(), std::vector<int>({1}));

    SetKeyDown(VK_SHIFT, true);
    Key(VK_DOWN);
    Key(VK_DOWN);
    SetKeyDown(VK_SHIFT, false);
    EXPECT_EQ(Selected(), std::vector<int>({1, 2, 3}));

    Key(VK_END);
    EXPECT_EQ(Selected(), std::vector<int>({29}));
    EXPECT_EQ(w.ctrl.GetTopIndex(), 30 - w.ctrl.GetCountPerPage()) << "the new row is scrolled into view";
    Key(VK_HOME);
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(w.ctrl.GetTopIndex(), 0);
    Key(VK_NEXT);
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_FOCUSED), w.ctrl.GetCountPerPage() - 1);

    SetKeyDown(VK_CONTROL, true);
    Key('A');
    SetKeyDown(VK_CONTROL, false);
    EXPECT_EQ(w.ctrl.GetSelectedCount(), 30u);
}

TEST_F(ListViewInputTest, ClickOnACheckBoxTogglesItWithoutSelecting)
{
    w.ctrl.SetExtendedStyle(LVS_EX_CHECKBOXES);
    RECT state{};
    ASSERT_TRUE(w.ctrl.GetItemRect(4, &state, LVIR_BOUNDS));
    const LPARAM pt = MAKELPARAM(2 + 8, state.top + 5);
    w.list.SendMessage(WM_LBUTTONDOWN, 0, pt);
    w.list.SendMessage(WM_LBUTTONUP, 0, pt);
    EXPECT_TRUE(w.ctrl.GetCheck(4));
    EXPECT_TRUE(Selected().empty());
    w.list.SendMessage(WM_LBUTTONDOWN, 0, pt);
    EXPECT_FALSE(w.ctrl.GetCheck(4));
}

TEST_F(ListViewInputTest, FocusChangesAreReported)
{
    w.list.SetFocus();
    CWnd::FocusChanged(nullptr);
    std::vector<UINT> codes;
    for (const RecordedMessage& m : w.parent.Messages())
        codes.push_back(m.code);
    EXPECT_EQ(codes, std::vector<UINT>({NM_SETFOCUS, NM_KILLFOCUS}));
}

TEST_F(ListViewInputTest, OneClickActivationAndHotTracking)
{
    w.ctrl.SetExtendedStyle(LVS_EX_ONECLICKACTIVATE);
    w.list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, kTop + 6 * kRow + 3));
    EXPECT_EQ(w.ctrl.GetHotItem(), 6);
    EXPECT_EQ(w.parent.OfCode(LVN_HOTTRACK).size(), 1u);
    RecordingDC dc;
    w.list.Paint(&dc);
    ASSERT_NE(dc.FindText("row6"), nullptr);
    EXPECT_EQ(dc.FindText("row6")->colour, GetSysColor(COLOR_HOTLIGHT));
    EXPECT_EQ(dc.FindText("row5")->colour, GetSysColor(COLOR_WINDOWTEXT));
    Click(6);
    EXPECT_EQ(w.parent.OfCode(LVN_ITEMACTIVATE).size(), 1u);
}

} // namespace
