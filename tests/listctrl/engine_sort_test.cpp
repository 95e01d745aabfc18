// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Sorting through the engine: the comparator runs inside LVM_SORTITEMS with
// the application's lParams, the arrow stands on its column with the column's
// alignment, and a new sort column repaints the list.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/engine_window.h"
#include "support/recording_host.h"

namespace {

int g_keys[5] = {30, 10, 50, 20, 40}; // behind the rows' lParams 0..4
std::vector<LPARAM> g_seen;           // every comparator call: a, b, sort parameter

int CompareKeys(LPARAM a, LPARAM b, LPARAM direction)
{
    g_seen.insert(g_seen.end(), {a, b, direction});
    return *reinterpret_cast<const int*>(direction) * (g_keys[a] - g_keys[b]);
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
        g_seen.clear();
    }
    void TearDown() override { w.list.SetHost(nullptr); }
    std::vector<LPARAM> Order()
    {
        std::vector<LPARAM> ids;
        for (int i = 0; i < 5; ++i)
            ids.push_back(static_cast<LPARAM>(w.ctrl.GetItemData(i)));
        return ids;
    }
    int Arrow(int physical)
    {
        HDITEMA item;
        item.mask = HDI_FORMAT;
        w.Header()->SendMessage(HDM_GETITEMA, static_cast<WPARAM>(physical), reinterpret_cast<LPARAM>(&item));
        return item.fmt & (HDF_SORTUP | HDF_SORTDOWN | HDF_JUSTIFYMASK);
    }
};

TEST_F(EngineSortTest, TheComparatorRunsInsideTheMessageWithTheApplicationsParams)
{
    int direction = -1; // changed by the caller once the call is done
    const auto param = reinterpret_cast<LPARAM>(&direction);
    ASSERT_TRUE(w.list.OnSortItems(static_cast<WPARAM>(param), reinterpret_cast<LPARAM>(&CompareKeys)));
    direction = 1;
    EXPECT_EQ(Order(), (std::vector<LPARAM>{2, 4, 0, 3, 1}));
    for (std::size_t i = 0; i < g_seen.size(); i += 3)
        EXPECT_TRUE(g_seen[i] < 5 && g_seen[i + 1] < 5 && g_seen[i + 2] == param) << "a record or another parameter";
    // Outside a sort the engine's callback has no comparator to call.
    g_seen.clear();
    CListBase::ITEM_DATA a;
    EXPECT_EQ(CListBase::SortCallback(reinterpret_cast<LPARAM>(&a), reinterpret_cast<LPARAM>(&a),
                                      reinterpret_cast<LPARAM>(static_cast<CListBase*>(&w.list))),
              0);
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(EngineSortTest, AComparatorAskingForAnotherSortKeepsItsOwnRunning)
{
    static CListViewEx* list;
    list = &w.list;
    const PFNLVCOMPARE nesting = [](LPARAM a, LPARAM b, LPARAM) {
        const PFNLVCOMPARE other = [](LPARAM, LPARAM, LPARAM) { return 0; };
        EXPECT_FALSE(list->SendMessage(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(other)));
        return g_keys[a] - g_keys[b];
    };
    ASSERT_TRUE(w.list.SendMessage(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(nesting)));
    EXPECT_EQ(Order(), (std::vector<LPARAM>{1, 3, 0, 4, 2}));
}

// The arrow is written into the header item of the sort column, keeping its
// alignment, and comes back with the column when it is shown again.
TEST_F(EngineSortTest, TheArrowStandsOnTheSortColumnWithItsAlignment)
{
    LVCOLUMNA right;
    right.mask = LVCF_FMT;
    right.fmt = LVCFMT_RIGHT;
    w.list.SendMessage(LVM_SETCOLUMNA, 2, reinterpret_cast<LPARAM>(&right));
    w.list.SetSortColumn(-3);
    w.list.EnableSortIcon(true);
    EXPECT_EQ(Arrow(2), HDF_SORTDOWN | HDF_RIGHT);
    w.list.ShowColumn(2, false);
    w.list.ShowColumn(2, true);
    EXPECT_EQ(Arrow(2), HDF_SORTDOWN | HDF_RIGHT);
    EXPECT_EQ(Arrow(1), HDF_LEFT);
    w.list.EnableSortIcon(false);
    w.list.UpdateSortIcons();
    EXPECT_EQ(Arrow(2), HDF_RIGHT);
}

TEST_F(EngineSortTest, ANewSortColumnRepaintsTheListAndTheSameOneReversedDoesNot)
{
    const struct {
        int state;
        bool repaint;
    } steps[] = {{2, true}, {-2, false}, {3, true}, {0, true}, {0, false}};
    for (const auto& s : steps) {
        host.invalidated.clear();
        w.list.SetSortColumn(s.state);
        const bool whole =
            std::any_of(host.invalidated.begin(), host.invalidated.end(), [](const RECT& rc) { return rc.left == -1; });
        EXPECT_EQ(whole, s.repaint) << "to state " << s.state;
    }
}

} // namespace
