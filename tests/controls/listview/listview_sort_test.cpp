// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// LVM_SORTITEMS as a caller sees it: after every request the rows are in the
// order a full stable sort with that request's comparator gives, whatever the
// rows looked like before; rows that compare equal keep their order; state
// travels with the rows; messages that read rows by index see the sorted
// order; the comparator runs inside the request and never after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "support/list_test_window.h"
#include "support/recording_dc.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

// The keys the comparators read live outside the list, as a caller's records
// do: every row's lParam is its id, an index into these tables.
std::vector<int> g_keyA;
std::vector<int> g_keyB;
int g_compares = 0;

int Sign(int d)
{
    return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

int CompareA(LPARAM a, LPARAM b, LPARAM direction)
{
    ++g_compares;
    return Sign(g_keyA[static_cast<std::size_t>(a)] - g_keyA[static_cast<std::size_t>(b)]) *
           static_cast<int>(direction);
}

int CompareB(LPARAM a, LPARAM b, LPARAM)
{
    ++g_compares;
    return Sign(g_keyB[static_cast<std::size_t>(a)] - g_keyB[static_cast<std::size_t>(b)]);
}

// What the platform control does at every request: a stable sort of the rows as they are.
void ModelSort(std::vector<LPARAM>& ids, const std::vector<int>& keys, int direction = 1)
{
    std::stable_sort(ids.begin(), ids.end(), [&](LPARAM a, LPARAM b) {
        const int ka = keys[static_cast<std::size_t>(a)];
        const int kb = keys[static_cast<std::size_t>(b)];
        return direction > 0 ? ka < kb : ka > kb;
    });
}

std::vector<LPARAM> Ids(CListCtrl& ctrl)
{
    std::vector<LPARAM> out;
    for (int i = 0; i < ctrl.GetItemCount(); ++i)
        out.push_back(static_cast<LPARAM>(ctrl.GetItemData(i)));
    return out;
}

struct ListViewSortTest : ::testing::Test {
    ListTestWindow w{LVS_REPORT};
    void SetUp() override
    {
        w.AddColumns({100});
        g_keyA.clear();
        g_keyB.clear();
        g_compares = 0;
    }
    // A record: the next index into the key tables.
    static LPARAM Record(int keyA, int keyB = 0)
    {
        g_keyA.push_back(keyA);
        g_keyB.push_back(keyB);
        return static_cast<LPARAM>(g_keyA.size() - 1);
    }
    // Appends a row for a new record.
    LPARAM Add(int keyA, int keyB = 0)
    {
        const LPARAM id = Record(keyA, keyB);
        w.AddRow(std::string("r").append(std::to_string(id)).c_str(), {}, id);
        return id;
    }
};

TEST_F(ListViewSortTest, EverySortSortsEveryRowWithTheKeysOfThatMoment)
{
    for (int key : {60, 10, 40, 20, 50, 30})
        Add(key);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareA, 1));
    EXPECT_EQ(Ids(w.ctrl), (std::vector<LPARAM>{1, 3, 5, 2, 4, 0}));
    // Two keys change behind the list's back; the same function and parameter sort again.
    g_keyA[1] = 55;
    g_keyA[0] = 5;
    g_compares = 0;
    ASSERT_TRUE(w.ctrl.SortItems(&CompareA, 1));
    EXPECT_EQ(Ids(w.ctrl), (std::vector<LPARAM>{0, 3, 5, 2, 4, 1}));
    EXPECT_GE(g_compares, 5) << "every neighbour must be compared";
}

TEST_F(ListViewSortTest, RowsAddedBetweenSortsLandWhereAFullStableSortPutsThem)
{
    std::mt19937 random(7);
    std::vector<LPARAM> expected;
    for (int round = 0; round < 40; ++round) {
        const int added = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < added; ++k)
            expected.push_back(Add(static_cast<int>(random() % 5)));
        ASSERT_TRUE(w.ctrl.SortItems(&CompareA, 1));
        // Few keys, many ties: the rows themselves must match, not only their keys.
        ModelSort(expected, g_keyA);
        ASSERT_EQ(Ids(w.ctrl), expected) << "round " << round;
    }
}

TEST_F(ListViewSortTest, RequestsNobodyLooksAtInBetweenGiveTheOrderOfSortingEachTime)
{
    std::mt19937 random(11);
    std::vector<LPARAM> expected;
    for (int i = 0; i < 300; ++i) {
        expected.push_back(Add(static_cast<int>(random() % 7)));
        ASSERT_TRUE(w.ctrl.SortItems(&CompareA, -1));
        ModelSort(expected, g_keyA, -1);
    }
    EXPECT_EQ(Ids(w.ctrl), expected);
}

TEST_F(ListViewSortTest, ASecondComparatorSortsTheFirstOnesOrderNotTheOriginal)
{
    // Sorting by A, then by B, orders rows equal in B by A: the usual way to sort by two keys.
    std::mt19937 random(3);
    for (int i = 0; i < 30; ++i)
        Add(static_cast<int>(random() % 10), static_cast<int>(random() % 3));
    std::vector<LPARAM> expected = Ids(w.ctrl);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareA, 1));
    ASSERT_TRUE(w.ctrl.SortItems(&CompareB, 0));
    ModelSort(expected, g_keyA);
    ModelSort(expected, g_keyB);
    EXPECT_EQ(Ids(w.ctrl), expected);

    // The same function with another parameter is another order too.
    ASSERT_TRUE(w.ctrl.SortItems(&CompareA, -1));
    ASSERT_TRUE(w.ctrl.SortItems(&CompareB, 0));
    ModelSort(expected, g_keyA, -1);
    ModelSort(expected, g_keyB);
    EXPECT_EQ(Ids(w.ctrl), expected);
}

TEST_F(ListViewSortTest, AForwardingComparatorSortsByWhicheverComparatorIsCurrentAtTheRequest)
{
    // One function and parameter standing for whichever comparator is current,
    // as a list engine between the caller and the control has it.
    static int (*current)(LPARAM, LPARAM, LPARAM) = nullptr;
    const PFNLVCOMPARE forward = [](LPARAM a, LPARAM b, LPARAM p) { return current(a, b, p); };
    std::mt19937 random(5);
    for (int i = 0; i < 30; ++i)
        Add(static_cast<int>(random() % 10), static_cast<int>(random() % 3));
    std::vector<LPARAM> expected = Ids(w.ctrl);
    current = &CompareA;
    ASSERT_TRUE(w.ctrl.SortItems(forward, 1));
    current = &CompareB;
    ASSERT_TRUE(w.ctrl.SortItems(forward, 1));
    ModelSort(expected, g_keyA);
    ModelSort(expected, g_keyB);
    EXPECT_EQ(Ids(w.ctrl), expected);
}

TEST_F(ListViewSortTest, RowsChangedThroughTheListAreSortedWithTheirNewValues)
{
    for (int key : {5, 3, 9, 1})
        Add(key);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareA, 1));
    EXPECT_EQ(Ids(w.ctrl), (std::vector<LPARAM>{3, 1, 0, 2}));
    // Row 1 now stands for another record, which sorts last.
    const LPARAM big = Record(100);
    w.ctrl.SetItemData(1, big);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareA, 1));
    EXPECT_EQ(Ids(w.ctrl), (std::vector<LPARAM>{3, 0, 2, big}));
    // A row inserted at the top, and one deleted from the middle.
    const LPARAM seven = Record(7);
    w.ctrl.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "top", 0, 0, 0, seven);
    w.ctrl.DeleteItem(2);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareA, 1));
    EXPECT_EQ(Ids(w.ctrl), (std::vector<LPARAM>{3, seven, 2, big}));
}

TEST_F(ListViewSortTest, SelectionFocusAndTheSelectionMarkTravelWithTheirRows)
{
    for (int key : {30, 10, 20})
        Add(key);
    w.ctrl.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED); // id 0
    w.ctrl.SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);   // id 2
    w.list.SendMessage(LVM_SETSELECTIONMARK, 0, 1);       // id 1
    Add(25);                                              // id 3
    w.ctrl.SetItemState(3, LVIS_SELECTED | LVIS_CUT, LVIS_SELECTED | LVIS_CUT);
    ASSERT_TRUE(w.ctrl.SortItems(&CompareA, 1));
    ASSERT_EQ(Ids(w.ctrl), (std::vector<LPARAM>{1, 2, 3, 0}));
    EXPECT_EQ(w.ctrl.GetItemState(3, LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(w.ctrl.GetItemState(2, LVIS_SELECTED | LVIS_CUT), LVIS_SELECTED | LVIS_CUT);
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_FOCUSED), 1);
    EXPECT_EQ(w.list.SendMessage(LVM_GETSELECTIONMARK), 0);
    EXPECT_EQ(w.ctrl.GetSelectedCount(), 2u);
}

// Every way of reading the list by index sees the order of the last request,
// asked right after it, with nothing else in between.
TEST_F(ListViewSortTest, EveryMessageThatReadsRowsByIndexSeesTheSortedOrder)
{
    struct Case {
        const char* what;
        std::function<LRESULT(ListTestWindow&)> read;
        LRESULT expected;
    };
    // Keys 30, 10, 50, 20, 40 for ids 0..4: sorted, the ids are 1, 3, 0, 4, 2.
    const std::vector<Case> cases = {
        {"LVM_GETITEM lParam of the last row",
         [](ListTestWindow& l) {
             LVITEMA item;
             item.mask = LVIF_PARAM;
             item.iItem = 4;
             l.list.SendMessage(LVM_GETITEMA, 0, Arg(&item));
             return item.lParam;
         },
         2},
        {"LVM_GETITEMTEXT of the first row",
         [](ListTestWindow& l) { return static_cast<LRESULT>(l.ctrl.GetItemText(0, 0) == "r1"); }, 1},
        {"LVM_GETITEMSTATE of the selected row",
         [](ListTestWindow& l) { return l.list.SendMessage(LVM_GETITEMSTATE, 0, LVIS_SELECTED); }, LVIS_SELECTED},
        {"LVM_GETNEXTITEM selected",
         [](ListTestWindow& l) { return l.list.SendMessage(LVM_GETNEXTITEM, -1, LVNI_SELECTED); }, 0},
        {"LVM_GETNEXTITEM focused",
         [](ListTestWindow& l) { return l.list.SendMessage(LVM_GETNEXTITEM, -1, LVNI_FOCUSED); }, 0},
        {"LVM_GETSELECTIONMARK", [](ListTestWindow& l) { return l.list.SendMessage(LVM_GETSELECTIONMARK); }, 0},
        {"LVM_FINDITEM by lParam",
         [](ListTestWindow& l) {
             LVFINDINFOA find;
             find.flags = LVFI_PARAM;
             find.lParam = 4;
             return l.list.SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(-1), Arg(&find));
         },
         3},
        {"LVM_FINDITEM by text",
         [](ListTestWindow& l) {
             LVFINDINFOA find;
             find.flags = LVFI_STRING;
             find.psz = "r0";
             return l.list.SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(-1), Arg(&find));
         },
         2},
        {"LVN_ITEMCHANGED of LVM_SETITEMSTATE carries the row's lParam",
         [](ListTestWindow& l) {
             l.parent.Clear();
             l.ctrl.SetItemState(2, LVIS_CUT, LVIS_CUT);
             return l.parent.OfCode(LVN_ITEMCHANGED).at(0).lParam;
         },
         0},
        {"LVN_DELETEITEM of LVM_DELETEITEM carries the row's lParam",
         [](ListTestWindow& l) {
             l.parent.Clear();
             l.ctrl.DeleteItem(1);
             return l.parent.OfCode(LVN_DELETEITEM).at(0).lParam;
         },
         3},
        {"LVN_DELETEITEM of LVM_DELETEALLITEMS, last row first",
         [](ListTestWindow& l) {
             l.parent.Clear();
             l.ctrl.DeleteAllItems();
             const auto deleted = l.parent.OfCode(LVN_DELETEITEM);
             LRESULT digits = 0;
             for (const RecordedMessage& m : deleted)
                 digits = digits * 10 + m.lParam;
             return digits;
         },
         24031},
        {"painting draws the first row at the top",
         [](ListTestWindow& l) {
             RecordingDC dc;
             l.list.Paint(&dc);
             const auto texts = dc.Of(DrawOp::Kind::Text);
             return static_cast<LRESULT>(!texts.empty() && texts.front().text == "r1");
         },
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListTestWindow l{LVS_REPORT};
        l.AddColumns({100});
        g_keyA = {30, 10, 50, 20, 40};
        for (LPARAM id = 0; id < 5; ++id)
            l.AddRow(std::string("r").append(std::to_string(id)).c_str(), {}, id);
        l.ctrl.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        l.list.SendMessage(LVM_SETSELECTIONMARK, 0, 1);
        ASSERT_TRUE(l.ctrl.SortItems(&CompareA, 1));
        EXPECT_EQ(c.read(l), c.expected);
    }
}

TEST_F(ListViewSortTest, AComparatorMayReadTheListWhileItRuns)
{
    for (int key : {3, 1, 2})
        Add(key);
    static ListTestWindow* list = nullptr;
    list = &w;
    const auto reading = [](LPARAM a, LPARAM b, LPARAM) {
        // The rows stay where they were until the sort ends.
        EXPECT_EQ(list->ctrl.GetItemCount(), 3);
        EXPECT_EQ(list->ctrl.GetItemText(0, 0), "r0");
        return Sign(g_keyA[static_cast<std::size_t>(a)] - g_keyA[static_cast<std::size_t>(b)]);
    };
    ASSERT_TRUE(w.ctrl.SortItems(reading, 0));
    EXPECT_EQ(Ids(w.ctrl), (std::vector<LPARAM>{1, 2, 0}));
}

TEST_F(ListViewSortTest, TheComparatorIsCalledInsideTheRequestAndNeverAfter)
{
    {
        ListTestWindow l{LVS_REPORT};
        l.AddColumns({100});
        g_keyA = {2, 1};
        l.AddRow("a", {}, 0);
        l.AddRow("b", {}, 1);
        g_compares = 0;
        ASSERT_TRUE(l.ctrl.SortItems(&CompareA, 1));
        EXPECT_GT(g_compares, 0);
        // The caller's records may be gone once the call has returned.
        g_keyA.clear();
        g_compares = 0;
        l.parent.Answer(LVN_DELETEALLITEMS, TRUE);
        l.ctrl.DeleteAllItems();
    }
    EXPECT_EQ(g_compares, 0);
}

TEST_F(ListViewSortTest, FewerThanTwoRowsNeedNoCompare)
{
    EXPECT_TRUE(w.ctrl.SortItems(&CompareA, 1));
    Add(1);
    EXPECT_TRUE(w.ctrl.SortItems(&CompareA, 1));
    EXPECT_EQ(w.ctrl.GetItemText(0, 0), "r0");
    EXPECT_EQ(g_compares, 0);
    EXPECT_FALSE(w.ctrl.SortItems(nullptr, 0));
}

TEST_F(ListViewSortTest, ContradictoryCompareLosesNoRow)
{
    for (int i = 0; i < 200; ++i)
        Add(i);
    static unsigned seed = 1;
    ASSERT_TRUE(w.ctrl.SortItems(
        [](LPARAM, LPARAM, LPARAM) {
            seed = seed * 1103515245u + 12345u;
            return static_cast<int>((seed >> 16) % 3) - 1;
        },
        0));
    std::vector<LPARAM> ids = Ids(w.ctrl);
    std::sort(ids.begin(), ids.end());
    std::vector<LPARAM> all(200);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(ids, all);
}

} // namespace
