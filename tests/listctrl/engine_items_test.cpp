// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Item messages through the engine: texts kept per logical column, the control
// given the callback marker, the application's lParam in and out, hidden
// columns answered from the records.
#include <gtest/gtest.h>

#include <cstring>

#include "support/control_spy.h"
#include "support/engine_window.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

struct EngineItemsTest : ::testing::Test {
    ControlSpy spy;
    EngineWindow w;
    void SetUp() override { w.AddColumns({100, 80, 60}); }
    std::vector<RecordedMessage> ToControl(UINT message)
    {
        std::vector<RecordedMessage> out;
        for (const RecordedMessage& m : spy.Of(SpyWindow::ListView))
            if (m.message == message)
                out.push_back(m);
        return out;
    }
};

TEST_F(EngineItemsTest, TheControlGetsTheCallbackMarkerAndAsksTheEngineForTheText)
{
    spy.Clear();
    ASSERT_EQ(w.AddRow("Cam-01"), 0);
    const auto inserts = ToControl(LVM_INSERTITEMA);
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_TRUE(inserts[0].textIsCallback);
    EXPECT_TRUE(inserts[0].direct);
    char buffer[32] = {};
    LVITEMA item;
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    EXPECT_EQ(w.list.SendMessage(LVM_GETITEMTEXTA, 0, Arg(&item)), 6);
    EXPECT_STREQ(buffer, "Cam-01");
    // The parent never hears of it: the engine answered.
    EXPECT_TRUE(w.parent.OfCode(LVN_GETDISPINFOA).empty());
}

TEST_F(EngineItemsTest, ASelfSortingControlGetsTheRealText)
{
    ControlSpy own;
    EngineWindow sorted(LVS_REPORT | LVS_SORTASCENDING);
    sorted.AddColumns({100});
    own.Clear();
    sorted.AddRow("Cam-01");
    std::vector<RecordedMessage> inserts;
    for (const RecordedMessage& m : own.Of(SpyWindow::ListView))
        if (m.message == LVM_INSERTITEMA)
            inserts.push_back(m);
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_FALSE(inserts[0].textIsCallback);
    EXPECT_EQ(inserts[0].text, "Cam-01");
}

TEST_F(EngineItemsTest, TheApplicationSeesItsOwnParamNeverTheRecord)
{
    w.AddRow("a", {}, 111);
    w.AddRow("b", {}, 222);
    EXPECT_EQ(w.ctrl.GetItemData(1), 222u);
    LVITEMA item;
    item.mask = LVIF_PARAM;
    item.iItem = 0;
    item.iSubItem = 2; // a sub-item reports its item's lParam
    ASSERT_TRUE(w.list.SendMessage(LVM_GETITEMA, 0, Arg(&item)));
    EXPECT_EQ(item.lParam, 111);
    // Changing it through the engine keeps the control's lParam the record.
    ASSERT_TRUE(w.ctrl.SetItemData(0, 333));
    EXPECT_EQ(w.ctrl.GetItemData(0), 333u);
    EXPECT_NE(w.list.GetItemData(0), nullptr);
    EXPECT_EQ(w.list.GetItemData(0)->m_lParam, 333);
}

TEST_F(EngineItemsTest, BadArgumentsAreRefusedEverywhere)
{
    w.AddRow("a", {"a1", "a2"});
    LVITEMA item;
    item.mask = LVIF_TEXT;
    char buffer[8] = {};
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    const struct {
        int item;
        int subItem;
    } bad[] = {{-1, 0}, {0, -1}, {0, 3}, {0, 99}};
    for (const auto& b : bad) {
        item.iItem = b.item;
        item.iSubItem = b.subItem;
        EXPECT_EQ(w.list.SendMessage(LVM_GETITEMA, 0, Arg(&item)), 0) << b.item << "," << b.subItem;
        EXPECT_EQ(w.list.SendMessage(LVM_SETITEMA, 0, Arg(&item)), 0) << b.item << "," << b.subItem;
        EXPECT_EQ(w.list.SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(b.item), Arg(&item)), 0);
        EXPECT_EQ(w.list.SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(b.item), Arg(&item)), 0);
    }
    item.iItem = -1;
    EXPECT_EQ(w.list.SendMessage(LVM_INSERTITEMA, 0, Arg(&item)), -1);
    EXPECT_EQ(w.list.SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(-1)), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_DELETEITEM, 5), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_GETITEMA, 0, 0), 0);
    EXPECT_EQ(w.ctrl.GetItemCount(), 1);
    EXPECT_EQ(w.Text(0, 2), "a2");
}

TEST_F(EngineItemsTest, AHiddenColumnIsReadAndWrittenWithoutTheControl)
{
    w.AddRow("a", {"a1", "long text"}, 7);
    w.list.ShowColumn(2, false);
    spy.Clear();
    LVITEMA set;
    set.iSubItem = 2;
    set.pszText = const_cast<char*>("hidden text");
    EXPECT_EQ(w.list.SendMessage(LVM_SETITEMTEXTA, 0, Arg(&set)), 1);
    EXPECT_TRUE(ToControl(LVM_SETITEMTEXTA).empty());
    EXPECT_TRUE(ToControl(LVM_SETITEMA).empty());
    char small[4] = {'x', 'x', 'x', 'x'};
    LVITEMA get;
    get.iSubItem = 2;
    get.pszText = small;
    get.cchTextMax = sizeof small;
    EXPECT_EQ(w.list.SendMessage(LVM_GETITEMTEXTA, 0, Arg(&get)), 3);
    EXPECT_STREQ(small, "hid");
    // Shown again, the control shows it.
    w.list.ShowColumn(2, true);
    EXPECT_EQ(w.ControlText(0, 2), "hidden text");
}

// A hidden column answers as a visible one does: an empty mask reads nothing
// (and never through the caller's lParam), a write to a missing item fails.
TEST_F(EngineItemsTest, AHiddenColumnAnswersEmptyMasksAndMissingItemsAsAVisibleOne)
{
    w.AddRow("alpha", {"a1", "a2"}, 5);
    w.list.ShowColumn(2, false);
    char text[] = "x";
    for (int column : {1, 2}) {
        LVITEMA it;
        it.mask = 0;
        it.iSubItem = column;
        it.lParam = 0x10;
        EXPECT_TRUE(w.list.SendMessage(LVM_GETITEMA, 0, Arg(&it))) << column;
        EXPECT_EQ(it.lParam, 0x10) << column;
        it.iItem = 7;
        it.pszText = text;
        for (UINT mask : {LVIF_TEXT, LVIF_PARAM}) {
            it.mask = mask;
            EXPECT_EQ(w.list.SendMessage(LVM_SETITEMA, 0, Arg(&it)), 0) << column << " " << mask;
        }
        EXPECT_EQ(w.list.SendMessage(LVM_SETITEMTEXTA, 7, Arg(&it)), 0) << column;
    }
    EXPECT_EQ(w.Text(0, 2) + std::to_string(w.ctrl.GetItemData(0)), "a25");
}

TEST_F(EngineItemsTest, AHiddenCellNeverSetReadsEmptyWithTheItemsRealState)
{
    w.AddRow("a", {"a1"}, 7);
    w.ctrl.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    w.list.ShowColumn(2, false);
    char buffer[16] = {'x', 'x'};
    LVITEMA item;
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT | LVIF_STATE;
    item.stateMask = LVIS_SELECTED;
    item.iItem = 0;
    item.iSubItem = 2;
    item.iImage = 9;
    item.iIndent = 9;
    item.lParam = 4242; // not asked for: must come back as it was
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ASSERT_TRUE(w.list.SendMessage(LVM_GETITEMA, 0, Arg(&item)));
    EXPECT_EQ(item.iImage, 0);
    EXPECT_EQ(item.iIndent, 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(item.state & LVIS_SELECTED, static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(item.lParam, 4242);
    EXPECT_EQ(item.mask, LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT | LVIF_STATE);
    EXPECT_EQ(item.iSubItem, 2);
}

TEST_F(EngineItemsTest, FindByParamSearchesAfterTheStartAndWrapsWhenAsked)
{
    for (LPARAM p : {50, 51, 52, 53, 54})
        w.AddRow("row", {}, p);
    const auto find = [this](int start, LPARAM p, UINT flags) {
        LVFINDINFOA info;
        info.flags = LVFI_PARAM | flags;
        info.lParam = p;
        return static_cast<int>(w.list.SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(start), Arg(&info)));
    };
    const struct {
        int start;
        LPARAM param;
        UINT flags;
        int found;
    } rows[] = {
        {-1, 50, 0, 0},        {2, 54, 0, 4},  {2, 50, 0, -1},          {2, 50, LVFI_WRAP, 0},
        {2, 52, LVFI_WRAP, 2}, {2, 52, 0, -1}, {-1, 99, LVFI_WRAP, -1}, {4, 51, LVFI_WRAP, 1},
    };
    for (const auto& r : rows)
        EXPECT_EQ(find(r.start, r.param, r.flags), r.found) << r.start << "/" << r.param << "/" << r.flags;
    // The order of the search: 3, 4, then 0, 1, 2.
    spy.Clear();
    find(2, 99, LVFI_WRAP);
    std::vector<int> visited;
    for (const RecordedMessage& m : ToControl(LVM_GETITEMA))
        visited.push_back(m.item);
    EXPECT_EQ(visited, std::vector<int>({3, 4, 0, 1, 2}));
    spy.Clear();
    find(2, 99, 0);
    visited.clear();
    for (const RecordedMessage& m : ToControl(LVM_GETITEMA))
        visited.push_back(m.item);
    EXPECT_EQ(visited, std::vector<int>({3, 4}));
}

TEST_F(EngineItemsTest, DeletingFreesRecordsAndAnEmptyListDeletesFine)
{
    EXPECT_EQ(w.list.SendMessage(LVM_DELETEALLITEMS), 1);
    for (int i = 0; i < 20; ++i)
        w.AddRow("row", {"x", "y"}, i);
    w.parent.Clear();
    EXPECT_EQ(w.list.SendMessage(LVM_DELETEITEM, 3), 1);
    EXPECT_EQ(w.list.SendMessage(LVM_DELETEALLITEMS), 1);
    EXPECT_EQ(w.ctrl.GetItemCount(), 0);
    // One deletion notice per row, each with the application's own lParam.
    const std::vector<RecordedMessage> deleted = w.parent.OfCode(LVN_DELETEITEM);
    ASSERT_EQ(deleted.size(), 20u);
    EXPECT_EQ(deleted[0].lParam, 3);
    EXPECT_EQ(deleted[1].lParam, 19);
    EXPECT_EQ(deleted.back().lParam, 0);
}

TEST_F(EngineItemsTest, ARefusedInsertOrDeleteKeepsEverythingAsItWas)
{
    w.AddRow("a", {"a1"}, 1);
    w.list.refuse[LVM_INSERTITEMA] = -1;
    EXPECT_EQ(w.AddRow("b"), -1);
    w.list.refuse.clear();
    w.list.refuse[LVM_DELETEITEM] = 0;
    EXPECT_EQ(w.list.SendMessage(LVM_DELETEITEM, 0), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_DELETEALLITEMS), 0);
    w.list.refuse.clear();
    EXPECT_EQ(w.ctrl.GetItemCount(), 1);
    EXPECT_EQ(w.Text(0, 1), "a1");
    EXPECT_EQ(w.list.CheckInvariants(), "");
}

} // namespace
