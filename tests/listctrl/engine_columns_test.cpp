// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Column messages through the engine: logical numbers in, physical numbers to
// the control; hidden columns answered from the engine; bad arguments refused
// with nothing changed.
#include <gtest/gtest.h>

#include <cstring>

#include "support/control_spy.h"
#include "support/engine_window.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

struct EngineColumnsTest : ::testing::Test {
    ControlSpy spy; // before the window, so that its control is spied on
    EngineWindow w;
    void SetUp() override { w.AddColumns({100, 80, 60, 50}); }
    void ExpectSound() { EXPECT_EQ(w.list.CheckInvariants(), ""); }
    LRESULT Insert(int at, const char* text, UINT extraMask = 0, int order = 0)
    {
        LVCOLUMNA column;
        column.mask = LVCF_TEXT | LVCF_WIDTH | extraMask;
        column.pszText = const_cast<char*>(text);
        column.cx = 40;
        column.iOrder = order;
        column.iSubItem = 77;
        return w.list.SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(at), Arg(&column));
    }
};

TEST_F(EngineColumnsTest, InsertColumnTakesIndicesUpToTheCountAndRefusesTheRest)
{
    const struct {
        int at;
        LRESULT result;
    } rows[] = {{-1, -1}, {5, -1}, {4, 4}, {0, 0}, {3, 3}};
    for (const auto& r : rows)
        EXPECT_EQ(Insert(r.at, "New"), r.result) << "at " << r.at;
    EXPECT_EQ(w.list.GetColumnCount(), 7);
    EXPECT_EQ(w.list.SendMessage(LVM_INSERTCOLUMNA, 0, 0), -1);
    ExpectSound();
}

TEST_F(EngineColumnsTest, InsertColumnReachesTheControlWithThePhysicalIndexAndNoSubItem)
{
    w.list.ShowColumn(1, false);
    spy.Clear();
    ASSERT_EQ(Insert(3, "New", LVCF_SUBITEM), 2); // logical 3 is physical 2 while column 1 is hidden
    // The control sees only what the engine passes it, past the engine's handlers.
    const std::vector<RecordedMessage> list = spy.Of(SpyWindow::ListView);
    ASSERT_GE(list.size(), 1u);
    EXPECT_EQ(list[0].message, static_cast<UINT>(LVM_INSERTCOLUMNA));
    EXPECT_TRUE(list[0].direct);
    EXPECT_EQ(list[0].wParam, 2u);
    EXPECT_EQ(list[0].changed & LVCF_SUBITEM, 0u);
    EXPECT_EQ(list[0].text, "New");
    ExpectSound();
}

TEST_F(EngineColumnsTest, InsertAndDeleteKeepTheSortStateOnItsColumn)
{
    const struct {
        int sortBefore;
        bool insert;
        int at;
        int sortAfter;
    } rows[] = {
        {3, false, 2, 0},  {3, false, 0, 2}, {3, false, 3, 3},   {3, true, 2, 4},
        {-1, true, 0, -2}, {3, true, 3, 3},  {-3, false, 1, -2},
    };
    for (const auto& r : rows) {
        EngineWindow fresh;
        fresh.AddColumns({100, 80, 60, 50});
        fresh.list.m_nSortColumn = r.sortBefore;
        LVCOLUMNA column;
        column.mask = LVCF_WIDTH;
        if (r.insert)
            ASSERT_NE(fresh.list.SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(r.at), Arg(&column)), -1);
        else
            ASSERT_EQ(fresh.list.SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(r.at)), 1);
        EXPECT_EQ(fresh.list.m_nSortColumn, r.sortAfter)
            << (r.insert ? "insert at " : "delete ") << r.at << " with sort " << r.sortBefore;
    }
}

TEST_F(EngineColumnsTest, DeleteColumnRefusedByTheControlChangesNothing)
{
    w.AddRow("a", {"a1", "a2", "a3"});
    EXPECT_EQ(w.list.SendMessage(LVM_DELETECOLUMN, 4), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(-1)), 0);
    w.list.refuse[LVM_DELETECOLUMN] = 0;
    EXPECT_EQ(w.list.SendMessage(LVM_DELETECOLUMN, 2), 0);
    w.list.refuse.clear();
    EXPECT_EQ(w.list.GetColumnCount(), 4);
    EXPECT_EQ(w.Text(0, 2), "a2");
    // A hidden column goes without asking the control; the hideable count follows.
    w.list.ShowColumn(2, false);
    EXPECT_EQ(w.list.GetHideableColumnCount(), 3);
    EXPECT_EQ(w.list.SendMessage(LVM_DELETECOLUMN, 2), 1);
    EXPECT_EQ(w.list.GetHideableColumnCount(), 2);
    EXPECT_EQ(w.Text(0, 2), "a3");
    ExpectSound();
}

TEST_F(EngineColumnsTest, HiddenColumnIsAnsweredFromTheEngine)
{
    w.list.ShowColumn(2, false);
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNWIDTH, 2), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(80, 0)), 1);
    char buffer[4] = {'x', 'x', 'x', 'x'};
    LVCOLUMNA column;
    column.mask = LVCF_WIDTH | LVCF_IMAGE | LVCF_TEXT | LVCF_ORDER | LVCF_SUBITEM | LVCF_FMT;
    column.pszText = buffer;
    column.cchTextMax = sizeof buffer;
    ASSERT_EQ(w.list.SendMessage(LVM_GETCOLUMNA, 2, Arg(&column)), 1);
    EXPECT_EQ(column.cx, 80);
    EXPECT_EQ(column.iImage, -1);
    EXPECT_STREQ(buffer, "Col");
    EXPECT_EQ(column.iOrder, 2);
    EXPECT_EQ(column.iSubItem, 2);
    EXPECT_EQ(column.fmt, LVCFMT_LEFT);
    // Bad indices, hidden or not.
    for (WPARAM bad : {WPARAM(4), static_cast<WPARAM>(-1)}) {
        EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNA, bad, Arg(&column)), 0);
        EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNA, bad, Arg(&column)), 0);
        EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNWIDTH, bad), 0);
        EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNWIDTH, bad, 50), 0);
    }
}

TEST_F(EngineColumnsTest, AHiddenColumnKeepsTheWidthEitherMessageSetAndShowsAtIt)
{
    LVCOLUMNA set;
    set.mask = LVCF_WIDTH;
    set.cx = 90;
    for (const auto& [message, arg] : {std::pair{LVM_SETCOLUMNWIDTH, MAKELPARAM(90, 0)}, {LVM_SETCOLUMNA, Arg(&set)}}) {
        w.list.ShowColumn(2, false);
        EXPECT_EQ(w.list.SendMessage(message, 2, arg), 1);
        LVCOLUMNA read;
        read.mask = LVCF_WIDTH;
        w.list.SendMessage(LVM_GETCOLUMNA, 2, Arg(&read));
        w.list.ShowColumn(2, true);
        EXPECT_EQ(read.cx, 90) << message;
        EXPECT_EQ(w.ControlWidth(2), 90) << message;
        w.ctrl.SetColumnWidth(2, 60);
    }
}

// Column 0 can never be hidden: whichever column becomes column 0 when the
// first one is deleted is shown, at the width it kept, and is not hideable.
TEST_F(EngineColumnsTest, TheColumnThatBecomesColumnZeroIsShownAndNotHideable)
{
    for (const bool hidden : {true, false}) {
        EngineWindow fresh;
        fresh.AddColumns({100, 80, 60, 50});
        fresh.AddRow("a0", {"a1", "a2", "a3"});
        fresh.ctrl.SetColumnWidth(1, 70);
        fresh.list.ShowColumn(1, !hidden);
        ASSERT_EQ(fresh.list.SendMessage(LVM_DELETECOLUMN, 0), 1);
        fresh.list.SetColumnHideable(0);
        fresh.list.ShowColumn(0, false);
        EXPECT_TRUE(fresh.list.IsColumnVisible(0) && !fresh.list.IsColumnHideable(0)) << hidden;
        EXPECT_EQ(fresh.list.GetHideableColumnCount(), 2);
        EXPECT_EQ(fresh.ControlText(0, 0) + fresh.ControlText(0, 1), "a1a2");
        EXPECT_EQ(fresh.ControlWidth(0), 70);
        EXPECT_EQ(fresh.list.CheckInvariants(), "");
    }
}

TEST_F(EngineColumnsTest, VisibleColumnReportsItsLogicalOrderAndNumber)
{
    int order[4] = {3, 0, 1, 2};
    ASSERT_TRUE(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 4, Arg(order)));
    w.list.ShowColumn(1, false);
    LVCOLUMNA column;
    column.mask = LVCF_ORDER | LVCF_SUBITEM | LVCF_WIDTH;
    ASSERT_TRUE(w.list.SendMessage(LVM_GETCOLUMNA, 3, Arg(&column)));
    EXPECT_EQ(column.iOrder, 0);
    EXPECT_EQ(column.iSubItem, 3);
    EXPECT_EQ(column.cx, 50);
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNWIDTH, 3), 50);
    ExpectSound();
}

TEST_F(EngineColumnsTest, SetColumnChangesTheRecordOnlyWhenTheControlAgrees)
{
    LVCOLUMNA column;
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<char*>("Renamed");
    column.fmt = LVCFMT_RIGHT;
    w.list.refuse[LVM_SETCOLUMNA] = 0;
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNA, 1, Arg(&column)), 0);
    w.list.refuse.clear();
    EXPECT_EQ(std::string(w.list.Columns()[1]->m_pLVColumn->pszText), "Col1");
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNA, 1, Arg(&column)), 1);
    EXPECT_EQ(std::string(w.list.Columns()[1]->m_pLVColumn->pszText), "Renamed");
    EXPECT_EQ(w.ControlHeading(1), "Renamed");
    // While hidden, only the record changes; shown again, the control has it.
    w.list.ShowColumn(2, false);
    column.pszText = const_cast<char*>("Later");
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNA, 2, Arg(&column)), 1);
    w.list.ShowColumn(2, true);
    EXPECT_EQ(w.ControlHeading(2), "Later");
    ExpectSound();
}

TEST_F(EngineColumnsTest, OrdersOutOfRangeAreClampedSoTheOrdersStayAPermutation)
{
    LVCOLUMNA column;
    column.mask = LVCF_ORDER;
    for (int order : {-5, 40, 2}) {
        column.iOrder = order;
        EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNA, 1, Arg(&column)), 1) << order;
        ExpectSound();
    }
    EXPECT_EQ(w.list.Columns()[1]->m_nOrder, 2);
    // Moving right past a hidden last column: the control's place counts shown columns only.
    w.list.ShowColumn(3, false);
    column.iOrder = 3;
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNA, 0, Arg(&column)), 1);
    ExpectSound();
    for (int order : {-3, 99}) {
        ASSERT_NE(Insert(2, "Ordered", LVCF_ORDER, order), -1);
        ExpectSound();
    }
}

TEST_F(EngineColumnsTest, OrderArrayIncludesHiddenColumnsAndRefusesUnknownOrRepeatedColumns)
{
    w.list.ShowColumn(1, false);
    int back[6] = {-9, -9, -9, -9, -9, -9};
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNORDERARRAY, 6, Arg(back)), 4);
    EXPECT_EQ(std::vector<int>(back, back + 6), std::vector<int>({0, 1, 2, 3, -9, -9}));
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNORDERARRAY, 0, Arg(back)), 0);

    int unknown[4] = {3, 4, 1, 0};
    int repeated[4] = {3, 3, 1, 0};
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 4, Arg(unknown)), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 4, Arg(repeated)), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 0, Arg(unknown)), 0);
    ExpectSound();
    EXPECT_EQ(w.list.Columns()[3]->m_nOrder, 3);

    // A good order: the control gets the visible columns' physical numbers, directly.
    int good[4] = {3, 1, 0, 2};
    spy.Clear();
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 4, Arg(good)), 1);
    const std::vector<RecordedMessage> list = spy.Of(SpyWindow::ListView);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0].direct);
    EXPECT_EQ(list[0].wParam, 3u);
    EXPECT_EQ(list[0].orderArray, std::vector<int>({2, 0, 1}));
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNORDERARRAY, 4, Arg(back)), 4);
    EXPECT_EQ(std::vector<int>(back, back + 4), std::vector<int>({3, 1, 0, 2}));
    ExpectSound();
}

} // namespace
