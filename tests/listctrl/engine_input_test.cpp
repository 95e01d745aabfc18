// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Input through the engine: header clicks and drags reach the application once
// and keep the logical order in step, divider double-clicks and Ctrl with the
// keypad's plus size columns, the focus mark follows the first selected row.
#include <gtest/gtest.h>

#include "framework/fixed_metrics_dc.h"
#include "support/control_spy.h"
#include "support/engine_window.h"

namespace {

void Mouse(CWnd* wnd, UINT message, POINT pt, WPARAM keys = 0)
{
    wnd->SendMessage(message, keys, MAKELPARAM(pt.x, pt.y));
}

struct EngineInputTest : ::testing::Test {
    EngineWindow w{LVS_REPORT, LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT};
    void SetUp() override
    {
        w.AddColumns({100, 80, 60, 70});
        w.AddRow("alpha", {"a1", "a2", "a3"});
        w.AddRow("beta", {"b1", "b2", "b3"});
        w.parent.Clear();
    }
    POINT HeaderPoint(int physical, int dx)
    {
        RECT rc{};
        w.Header()->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(physical), reinterpret_cast<LPARAM>(&rc));
        return POINT{rc.left + dx, 5};
    }
};

TEST_F(EngineInputTest, OneHeaderClickIsOneColumnClickWithTheLogicalColumn)
{
    w.list.ShowColumn(1, false);
    CWnd* header = w.Header();
    Mouse(header, WM_LBUTTONDOWN, HeaderPoint(1, 10));
    Mouse(header, WM_LBUTTONUP, HeaderPoint(1, 10));
    const std::vector<RecordedMessage> clicks = w.parent.OfCode(LVN_COLUMNCLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].subItem, 2); // the control's column 1 is logical column 2
    EXPECT_EQ(w.list.GetSortColumn(), 3);
}

TEST_F(EngineInputTest, OneDragIsOneEndDragAndTheLogicalOrderFollowsWithAHiddenColumn)
{
    w.list.ShowColumn(2, false);
    CWnd* header = w.Header();
    // Drag logical column 3 (the control's column 2) onto the first place.
    Mouse(header, WM_LBUTTONDOWN, HeaderPoint(2, 20));
    Mouse(header, WM_MOUSEMOVE, HeaderPoint(1, 20), MK_LBUTTON);
    Mouse(header, WM_MOUSEMOVE, HeaderPoint(0, 5), MK_LBUTTON);
    Mouse(header, WM_LBUTTONUP, HeaderPoint(0, 5));
    EXPECT_EQ(w.parent.OfCode(HDN_ENDDRAG).size(), 1u);
    int order[4] = {};
    w.list.SendMessage(LVM_GETCOLUMNORDERARRAY, 4, reinterpret_cast<LPARAM>(order));
    EXPECT_EQ(std::vector<int>(order, order + 4), std::vector<int>({3, 0, 1, 2}));
    EXPECT_EQ(w.list.CheckInvariants(), "");
    // Shown again, the hidden column comes back after column 1, as the logical order says.
    w.list.ShowColumn(2, true);
    EXPECT_EQ(w.list.CheckInvariants(), "");
}

TEST_F(EngineInputTest, ADividerDoubleClickLetsTheControlSizeAnOrdinaryList)
{
    w.AddRow("a rather long label");
    w.parent.Clear();
    Mouse(w.Header(), WM_LBUTTONDBLCLK, HeaderPoint(0, 99));
    EXPECT_EQ(w.ctrl.GetColumnWidth(0), 2 + 2 + 19 * FixedMetricsDC::kCharWidth + 6);
    EXPECT_EQ(w.parent.OfCode(HDN_DIVIDERDBLCLICKA).size(), 1u);
}

TEST_F(EngineInputTest, CtrlAndKeypadPlusReachAnOrdinaryListsControlUnchanged)
{
    ControlSpy spy;
    EngineWindow spied;
    spied.AddColumns({100, 80});
    spy.Clear();
    spied.list.SendMessage(WM_KEYDOWN, VK_CONTROL, 0);
    spied.list.SendMessage(WM_KEYDOWN, VK_ADD, 0);
    spied.list.SendMessage(WM_KEYUP, VK_CONTROL, 0);
    std::vector<WPARAM> keys;
    for (const RecordedMessage& m : spy.Of(SpyWindow::ListView))
        if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) {
            keys.push_back(m.wParam);
            EXPECT_FALSE(m.direct);
        }
    EXPECT_EQ(keys, std::vector<WPARAM>({VK_CONTROL, VK_ADD, VK_CONTROL}));
}

TEST_F(EngineInputTest, TheFocusMarkSitsOnTheFirstSelectedRowWhileTheListHasTheFocus)
{
    w.ctrl.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    w.ctrl.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    w.list.SendMessage(WM_SETFOCUS);
    EXPECT_EQ(w.ctrl.GetItemState(1, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
    EXPECT_EQ(w.ctrl.GetItemState(0, LVIS_FOCUSED), 0u);
    w.list.SendMessage(WM_KILLFOCUS);
    EXPECT_EQ(w.ctrl.GetItemState(1, LVIS_FOCUSED), 0u);
    // Nothing selected: nothing to mark.
    w.ctrl.SetItemState(1, 0, LVIS_SELECTED);
    w.list.SendMessage(WM_SETFOCUS);
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_FOCUSED), -1);
}

struct OwnerDrawnInputTest : ::testing::Test {
    EngineWindow w{LVS_REPORT | LVS_OWNERDRAWFIXED, LVS_EX_HEADERDRAGDROP};
    void SetUp() override
    {
        w.AddColumns({100, 80, 60});
        w.list.KeepLabelLeft(true);
        w.AddRow("a label of 20 chars", {"sub 1", "a sub-item of 22 chars"});
        // Column 2 displayed first, column 0 third.
        int order[3] = {2, 1, 0};
        w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
    }
    int Width(int c) { return static_cast<int>(w.list.SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c))); }
    void DividerDoubleClick(int physical)
    {
        NMHEADERA nm{};
        nm.hdr = NMHDR{w.Header(), 0, HDN_DIVIDERDBLCLICKA};
        nm.iItem = physical;
        w.list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    }
};

TEST_F(OwnerDrawnInputTest, DividerDoubleClicksSizeTheColumnsWhoseLayoutTheEngineDraws)
{
    const int cw = FixedMetricsDC::kCharWidth;
    RECT bounds{};
    RECT label{};
    ASSERT_TRUE(w.list.GetSubItemRectEx(0, 2, LVIR_BOUNDS, bounds));
    ASSERT_TRUE(w.list.GetSubItemRectEx(0, 2, LVIR_LABEL, label));
    DividerDoubleClick(2);
    EXPECT_EQ(Width(2), 22 * cw + (label.left - bounds.left) + 8);
    DividerDoubleClick(0);
    EXPECT_EQ(Width(0), 19 * cw + 12);
    // Column 1 is neither: the control's own sizing stands.
    w.list.SendMessage(LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(33, 0));
    DividerDoubleClick(1);
    const int controls = Width(1);
    w.list.SendMessage(LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(33, 0));
    w.list.DefWindowProc(LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(LVSCW_AUTOSIZE & 0xFFFF, 0));
    EXPECT_EQ(controls, Width(1));
    EXPECT_NE(controls, 33);
}

TEST_F(OwnerDrawnInputTest, CtrlAndKeypadPlusSizeEveryColumnInTheEnginesLayout)
{
    w.list.SendMessage(WM_KEYDOWN, VK_CONTROL, 0);
    w.list.SendMessage(WM_KEYDOWN, VK_ADD, 0);
    w.list.SendMessage(WM_KEYUP, VK_CONTROL, 0);
    EXPECT_EQ(Width(0), 19 * FixedMetricsDC::kCharWidth + 12);
    EXPECT_GT(Width(2), 22 * FixedMetricsDC::kCharWidth);
    // Without Ctrl held, plus is the control's.
    w.list.SendMessage(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(50, 0));
    w.list.SendMessage(WM_KEYDOWN, VK_ADD, 0);
    EXPECT_EQ(Width(0), 50);
}

} // namespace
