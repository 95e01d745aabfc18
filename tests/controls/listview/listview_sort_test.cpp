// Sorting a list that is sorted already but for the rows added since: each
// new row must land where a full sort would put it, with the comparator's
// view of every row, and state must travel with the rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "support/list_test_window.h"

namespace {

int CompareValues(LPARAM a, LPARAM b, LPARAM direction)
{
    return a < b ? static_cast<int>(-direction) : (a > b ? static_cast<int>(direction) : 0);
}

int CompareValuesTenths(LPARAM a, LPARAM b, LPARAM)
{
    // Equal keys in groups of ten: shows whether ties keep their order.
    return CompareValues(a / 10, b / 10, 1);
}

std::vector<LPARAM> Params(CListCtrl& ctrl)
{
    std::vector<LPARAM> out;
    for (int i = 0; i < ctrl.GetItemCount(); ++i)
        out.push_back(static_cast<LPARAM>(ctrl.GetItemData(i)));
    return out;
}

} // namespace

TEST(ListViewSortTest, RowsAddedBetweenSortsLandWhereAFullSortPutsThem)
{
    ListTestWindow w(LVS_REPORT);
    w.AddColumns({100});
    std::mt19937 random(7);
    std::vector<LPARAM> all;
    for (int round = 0; round < 40; ++round) {
        const int added = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < added; ++k) {
            const LPARAM value = static_cast<LPARAM>(random() % 50);
            all.push_back(value);
            w.AddRow("r", {}, value);
        }
        ASSERT_TRUE(w.ctrl.SortItems(&CompareValuesTenths, 0));
        std::vector<LPARAM> expected = all;
        std::stable_sort(expected.begin(), expected.end(), [](LPARAM a, LPARAM b) { return a / 10 < b / 10; });
        // Among equal keys the earlier row stays first, as in the full stable sort.
        std::vector<LPARAM> actual = Params(w.ctrl);
        std::vector<LPARAM> keysActual, keysExpected;
        for (LPARAM v : actual)
            keysActual.push_back(v / 10);
        for (LPARAM v : expected)
            keysExpected.push_back(v / 10);
        ASSERT_EQ(keysActual, keysExpected) << "round " << round;
        all = actual;
    }
}

TEST(ListViewSortTest, ChangedParamOrOtherComparatorSortsEverythingAgain)
{
    ListTestWindow w(LVS_REPORT);
    w.AddColumns({100});
    for (LPARAM v : {5, 3, 9, 1})
        w.AddRow("r", {}, v);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareValues, 1));
    EXPECT_EQ(Params(w.ctrl), (std::vector<LPARAM>{1, 3, 5, 9}));
    // A row re-valued in the middle is out of place; the next sort must see it.
    w.ctrl.SetItemData(1, 100);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareValues, 1));
    EXPECT_EQ(Params(w.ctrl), (std::vector<LPARAM>{1, 5, 9, 100}));
    // A row inserted at the top is not after the sorted rows.
    w.ctrl.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "top", 0, 0, 0, 50);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareValues, 1));
    EXPECT_EQ(Params(w.ctrl), (std::vector<LPARAM>{1, 5, 9, 50, 100}));
    // The same function with another parameter is another order.
    ASSERT_TRUE(w.ctrl.SortItems(&CompareValues, -1));
    EXPECT_EQ(Params(w.ctrl), (std::vector<LPARAM>{100, 50, 9, 5, 1}));
    // Deleting rows keeps the rest in order.
    w.ctrl.DeleteItem(2);
    w.AddRow("r", {}, 7);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareValues, -1));
    EXPECT_EQ(Params(w.ctrl), (std::vector<LPARAM>{100, 50, 7, 5, 1}));
}

TEST(ListViewSortTest, SelectionAndFocusTravelWithTheirRowsWhenPlacingNewRows)
{
    ListTestWindow w(LVS_REPORT);
    w.AddColumns({100});
    for (LPARAM v : {10, 20, 30})
        w.AddRow("r", {}, v);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareValues, 1));
    w.ctrl.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED); // the 20
    w.AddRow("r", {}, 5);
    w.AddRow("r", {}, 25);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareValues, 1));
    EXPECT_EQ(Params(w.ctrl), (std::vector<LPARAM>{5, 10, 20, 25, 30}));
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_FOCUSED), 2);
}

TEST(ListViewSortTest, FewerThanTwoRowsNeedNoCompareAndEqualRowsKeepTheirOrder)
{
    ListTestWindow w{LVS_REPORT};
    w.AddColumns({100});
    static int calls = 0;
    calls = 0;
    auto counting = [](LPARAM, LPARAM, LPARAM) {
        ++calls;
        return 0;
    };
    EXPECT_TRUE(w.ctrl.SortItems(counting, 0));
    w.AddRow("only", {}, 1);
    EXPECT_TRUE(w.ctrl.SortItems(counting, 0));
    EXPECT_EQ(calls, 0);
    for (int i = 0; i < 20; ++i)
        w.AddRow(std::to_string(i).c_str(), {}, i % 2);
    // Rows with lParam 0 first, each group in its old order.
    ASSERT_TRUE(w.ctrl.SortItems([](LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a - b); }, 0));
    std::vector<std::string> order;
    for (int i = 0; i < w.ctrl.GetItemCount(); ++i)
        order.push_back(w.ctrl.GetItemText(i, 0));
    EXPECT_EQ(order.front(), "0");
    EXPECT_EQ(order[1], "2");
    EXPECT_EQ(order[9], "18");
    EXPECT_EQ(order[10], "only");
    EXPECT_EQ(order[11], "1");
    EXPECT_EQ(order.back(), "19");
}

TEST(ListViewSortTest, ContradictoryCompareLosesNoRow)
{
    ListTestWindow w{LVS_REPORT};
    w.AddColumns({100});
    for (int i = 0; i < 200; ++i)
        w.AddRow(std::to_string(i).c_str(), {}, i);
    static unsigned seed = 1;
    ASSERT_TRUE(w.ctrl.SortItems(
        [](LPARAM, LPARAM, LPARAM) {
            seed = seed * 1103515245u + 12345u;
            return static_cast<int>((seed >> 16) % 3) - 1;
        },
        0));
    std::vector<bool> seen(200, false);
    for (int i = 0; i < 200; ++i)
        seen[static_cast<std::size_t>(w.ctrl.GetItemData(i))] = true;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 200);
}
