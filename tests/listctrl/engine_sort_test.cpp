// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Sorting through the engine: the comparator runs inside LVM_SORTITEMS with
// the application's lParams, the sort state shows as the header's arrow on
// the right column with the column's alignment kept, and a new sort column
// repaints the list.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "support/engine_window.h"
#include "support/recording_host.h"

namespace {

// Keys behind the rows' lParams, as a caller's records hold them.
int g_keys[5];
int CompareKeys(LPARAM a, LPARAM b, LPARAM sortParam)
{
    const int direction = *reinterpret_cast<const int*>(sortParam);
    return direction * (g_keys[a] - g_keys[b]);
}

struct EngineSortTest : ::testing::Test {
    EngineWindow w;
    RecordingHost host;
    void SetUp() override
    {
        w.list.SetHost(&host);
        w.AddColumns({100, 80, 60});
        for (int id = 0; id < 5; ++id)
            w.AddRow("row", {}, id);
    }
    void TearDown() override { w.list.SetHost(nullptr); }
    std::vector<LPARAM> Order()
    {
        std::vector<LPARAM> ids;
        for (int i = 0; i < w.ctrl.GetItemCount(); ++i)
            ids.push_back(static_cast<LPARAM>(w.ctrl.GetItemData(i)));
        return ids;
    }
    int HeaderFormat(int physical)
    {
        HDITEMA item;
        item.mask = HDI_FORMAT;
        w.Header()->SendMessage(HDM_GETITEMA, static_cast<WPARAM>(physical), reinterpret_cast<LPARAM>(&item));
        return item.fmt;
    }
};

TEST_F(EngineSortTest, TheComparatorRunsInsideTheMessageWithTheApplicationsParams)
{
    const int keys[5] = {30, 10, 50, 20, 40};
    std::copy(std::begin(keys), std::end(keys), g_keys);
    // The caller changes what its sort parameter points to once the call is done.
    int direction = -1;
    ASSERT_TRUE(w.list.SendMessage(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&direction),
                                   reinterpret_cast<LPARAM>(&CompareKeys)));
    direction = 1;
    EXPECT_EQ(Order(), (std::vector<LPARAM>{2, 4, 0, 3, 1}));
    // Keys changed behind the list's back show only with the next sort.
    g_keys[1] = 60;
    EXPECT_EQ(Order(), (std::vector<LPARAM>{2, 4, 0, 3, 1}));
    w.list.SendMessage(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&direction), reinterpret_cast<LPARAM>(&CompareKeys));
    EXPECT_EQ(Order(), (std::vector<LPARAM>{3, 0, 4, 2, 1}));
}

TEST_F(EngineSortTest, SortCallbackHandsTheComparatorTheRecordsParamsAndOnlyWhileASortRuns)
{
    static std::vector<LPARAM> seen;
    seen.clear();
    const PFNLVCOMPARE record = [](LPARAM a, LPARAM b, LPARAM sortParam) {
        seen.insert(seen.end(), {a, b, sortParam});
        return 0;
    };
    CListBase::ITEM_DATA x;
    CListBase::ITEM_DATA y;
    x.m_lParam = 11;
    y.m_lParam = 12;
    const auto engine = reinterpret_cast<LPARAM>(static_cast<CListBase*>(&w.list));
    const auto recordOf = [](CListBase::ITEM_DATA& data) { return reinterpret_cast<LPARAM>(&data); };
    // No sort running: nobody to ask.
    EXPECT_EQ(CListBase::SortCallback(recordOf(x), recordOf(y), engine), 0);
    EXPECT_TRUE(seen.empty());
    w.list.OnSortItems(99, reinterpret_cast<LPARAM>(record));
    ASSERT_GE(seen.size(), 3u);
    for (std::size_t i = 0; i < seen.size(); i += 3) {
        EXPECT_TRUE(seen[i] >= 0 && seen[i] < 5 && seen[i + 1] >= 0 && seen[i + 1] < 5) << "an engine record leaked";
        EXPECT_EQ(seen[i + 2], 99);
    }
    seen.clear();
    EXPECT_EQ(CListBase::SortCallback(recordOf(x), recordOf(y), engine), 0);
    EXPECT_TRUE(seen.empty()) << "the finished sort's comparator was called";
}

TEST_F(EngineSortTest, AComparatorAskingForAnotherSortKeepsItsOwnRunning)
{
    static CListViewEx* list = nullptr;
    static int nestedAnswers = 0;
    list = &w.list;
    nestedAnswers = 0;
    const int keys[5] = {30, 10, 50, 20, 40};
    std::copy(std::begin(keys), std::end(keys), g_keys);
    const PFNLVCOMPARE nesting = [](LPARAM a, LPARAM b, LPARAM) {
        const PFNLVCOMPARE other = [](LPARAM, LPARAM, LPARAM) { return 0; };
        nestedAnswers += static_cast<int>(list->SendMessage(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(other)));
        return g_keys[a] - g_keys[b];
    };
    ASSERT_TRUE(w.list.SendMessage(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(nesting)));
    EXPECT_EQ(nestedAnswers, 0) << "the control refuses a sort inside a sort";
    EXPECT_EQ(Order(), (std::vector<LPARAM>{1, 3, 0, 4, 2}));
}

// The arrow is written into the header item of the column that shows the sort
// state, keeping that item's alignment; hiding and showing the column brings
// it back.
TEST_F(EngineSortTest, TheArrowStandsOnTheSortColumnWithItsAlignmentThroughHidingAndShowing)
{
    LVCOLUMNA right;
    right.mask = LVCF_FMT;
    right.fmt = LVCFMT_RIGHT;
    w.list.SendMessage(LVM_SETCOLUMNA, 2, reinterpret_cast<LPARAM>(&right));
    w.list.SetSortColumn(-3);
    w.list.EnableSortIcon(true);
    const struct {
        const char* step;
        bool hideFirst;
    } steps[] = {{"arrow shown", false}, {"column hidden and shown again", true}};
    for (const auto& s : steps) {
        if (s.hideFirst) {
            w.list.ShowColumn(2, false);
            w.list.ShowColumn(2, true);
        }
        EXPECT_EQ(HeaderFormat(2) & (HDF_SORTDOWN | HDF_SORTUP), HDF_SORTDOWN) << s.step;
        EXPECT_EQ(HeaderFormat(2) & HDF_JUSTIFYMASK, HDF_RIGHT) << s.step;
        EXPECT_EQ(HeaderFormat(1) & (HDF_SORTDOWN | HDF_SORTUP), 0) << s.step;
    }
    // Driven directly: the state flips and the arrow with it; switched off, no arrow anywhere.
    w.list.SetSortColumn(3);
    EXPECT_EQ(HeaderFormat(2) & (HDF_SORTDOWN | HDF_SORTUP), HDF_SORTUP);
    w.list.EnableSortIcon(false);
    w.list.UpdateSortIcons();
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(HeaderFormat(p) & (HDF_SORTDOWN | HDF_SORTUP), 0) << p;
    EXPECT_EQ(HeaderFormat(2) & HDF_JUSTIFYMASK, HDF_RIGHT);
}

TEST_F(EngineSortTest, ANewSortColumnRepaintsTheListAndTheSameColumnReversedDoesNot)
{
    const auto wholeListRepainted = [this] {
        for (const RECT& rc : host.invalidated)
            if (rc.left == -1)
                return true;
        return false;
    };
    const struct {
        int state;
        bool repaint;
    } steps[] = {{2, true}, {-2, false}, {3, true}, {0, true}, {0, false}};
    for (const auto& s : steps) {
        host.invalidated.clear();
        w.list.SetSortColumn(s.state);
        EXPECT_EQ(w.list.GetSortColumn(), s.state);
        EXPECT_EQ(wholeListRepainted(), s.repaint) << "to state " << s.state;
    }
}

} // namespace
