// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Results of the list view's item and column messages, bad arguments included.
#include <algorithm>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "framework/fixed_metrics_dc.h"
#include "support/list_test_window.h"

namespace {

LRESULT Send(ListTestWindow& w, UINT message, WPARAM wParam, LPARAM lParam)
{
    return w.list.SendMessage(message, wParam, lParam);
}

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

struct ListViewItemsTest : ::testing::Test {
    ListTestWindow w{LVS_REPORT};
    void SetUp() override
    {
        w.AddColumns({100, 80, 60});
        w.AddRow("alpha", {"a1", "a2"}, 10);
        w.AddRow("beta", {"b1", "b2"}, 20);
        w.AddRow("gamma", {"c1", "c2"}, 30);
    }
};

TEST_F(ListViewItemsTest, BadItemIndicesAreRefusedEverywhere)
{
    for (int bad : {-1, 3, 1000000}) {
        SCOPED_TRACE(bad);
        LVITEMA item;
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = bad;
        char buffer[16] = "untouched";
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        EXPECT_EQ(Send(w, LVM_GETITEMA, 0, Arg(&item)), FALSE);
        EXPECT_EQ(Send(w, LVM_SETITEMA, 0, Arg(&item)), FALSE);
        EXPECT_EQ(Send(w, LVM_GETITEMTEXTA, static_cast<WPARAM>(bad), Arg(&item)), 0);
        EXPECT_EQ(Send(w, LVM_SETITEMTEXTA, static_cast<WPARAM>(bad), Arg(&item)), FALSE);
        EXPECT_EQ(Send(w, LVM_GETITEMSTATE, static_cast<WPARAM>(bad), LVIS_SELECTED), 0);
        RECT rc{LVIR_BOUNDS, 0, 0, 0};
        EXPECT_EQ(Send(w, LVM_GETITEMRECT, static_cast<WPARAM>(bad), Arg(&rc)), FALSE);
        EXPECT_EQ(Send(w, LVM_ENSUREVISIBLE, static_cast<WPARAM>(bad), 0), FALSE);
        if (bad != -1) {
            EXPECT_EQ(Send(w, LVM_DELETEITEM, static_cast<WPARAM>(bad), 0), FALSE);
        }
    }
    EXPECT_EQ(Send(w, LVM_DELETEITEM, static_cast<WPARAM>(-1), 0), FALSE);
    EXPECT_EQ(w.ctrl.GetItemCount(), 3);
}

TEST_F(ListViewItemsTest, BadColumnIndicesAreRefused)
{
    LVCOLUMNA column;
    column.mask = LVCF_WIDTH;
    for (int bad : {-1, 3, 1000000}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(Send(w, LVM_GETCOLUMNA, static_cast<WPARAM>(bad), Arg(&column)), FALSE);
        EXPECT_EQ(Send(w, LVM_SETCOLUMNA, static_cast<WPARAM>(bad), Arg(&column)), FALSE);
        EXPECT_EQ(Send(w, LVM_DELETECOLUMN, static_cast<WPARAM>(bad), 0), FALSE);
        EXPECT_EQ(Send(w, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(bad), 0), 0);
        EXPECT_EQ(w.ctrl.SetColumnWidth(bad, 50), FALSE);
        EXPECT_EQ(w.ctrl.SetItemText(0, bad, "x"), FALSE);
    }
    EXPECT_EQ(Send(w, LVM_INSERTCOLUMNA, static_cast<WPARAM>(-1), Arg(&column)), -1);
    EXPECT_EQ(Send(w, LVM_INSERTCOLUMNA, 0, 0), -1);
}

TEST_F(ListViewItemsTest, InsertItemRulesForSubItemsAndPositions)
{
    LVITEMA item;
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("x");
    item.iItem = 0;
    item.iSubItem = 1;
    EXPECT_EQ(w.ctrl.InsertItem(&item), -1);
    item.iSubItem = 0;
    item.iItem = -1;
    EXPECT_EQ(w.ctrl.InsertItem(&item), -1);
    item.iItem = 500;
    EXPECT_EQ(w.ctrl.InsertItem(&item), 3);
    item.iItem = 1;
    EXPECT_EQ(w.ctrl.InsertItem(&item), 1);
    EXPECT_EQ(w.ctrl.GetItemText(2, 0), "beta");
    EXPECT_EQ(w.list.SendMessage(LVM_INSERTITEMA, 0, 0), -1);
}

TEST_F(ListViewItemsTest, ItemTextIsTruncatedToTheBufferAndAlwaysTerminated)
{
    w.ctrl.SetItemText(1, 2, "Cam-01-long-name");
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(w.ctrl.GetItemText(1, 2, buffer, 4), 3);
    EXPECT_STREQ(buffer, "Cam");
    EXPECT_EQ(w.ctrl.GetItemText(1, 2), "Cam-01-long-name");
    w.ctrl.SetItemText(1, 2, "");
    char empty[8] = "zzzzzzz";
    EXPECT_EQ(w.ctrl.GetItemText(1, 2, empty, 8), 0);
    EXPECT_STREQ(empty, "");
    // Column texts truncate the same way.
    char heading[4] = {};
    LVCOLUMNA column;
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = 4;
    ASSERT_TRUE(w.ctrl.GetColumn(1, &column));
    EXPECT_STREQ(heading, "Col");
}

TEST_F(ListViewItemsTest, SubItemsHaveNoLParamOfTheirOwn)
{
    LVITEMA item;
    item.mask = LVIF_PARAM;
    item.iItem = 1;
    item.iSubItem = 2;
    ASSERT_TRUE(w.ctrl.GetItem(&item));
    EXPECT_EQ(item.lParam, 20);
    item.lParam = 99;
    EXPECT_FALSE(w.ctrl.SetItem(&item));
    EXPECT_EQ(w.ctrl.GetItemData(1), 20u);
}

TEST_F(ListViewItemsTest, DeletingAColumnMovesTheLaterSubItemsDown)
{
    ASSERT_TRUE(w.ctrl.DeleteColumn(1));
    EXPECT_EQ(w.ctrl.GetItemText(0, 0), "alpha");
    EXPECT_EQ(w.ctrl.GetItemText(0, 1), "a2");
    // Inserting a column before a sub-item moves it up again, leaving the new cell empty.
    ASSERT_EQ(w.ctrl.InsertColumn(1, "new", LVCFMT_LEFT, 40), 1);
    EXPECT_EQ(w.ctrl.GetItemText(0, 1), "");
    EXPECT_EQ(w.ctrl.GetItemText(0, 2), "a2");
}

TEST_F(ListViewItemsTest, CallbackTextIsAskedOfTheParentWithAClearedBuffer)
{
    LVITEMA item;
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = 3;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.lParam = 77;
    ASSERT_EQ(w.ctrl.InsertItem(&item), 3);
    int asked = 0;
    w.parent.onNotify = [&](NMHDR* hdr, LRESULT*) {
        if (hdr->code != LVN_GETDISPINFOA)
            return false;
        auto* di = reinterpret_cast<NMLVDISPINFOA*>(hdr);
        ++asked;
        std::strncpy(di->item.pszText, "Cam-01", static_cast<std::size_t>(di->item.cchTextMax));
        return false;
    };
    w.parent.Clear();
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(w.ctrl.GetItemText(3, 0, buffer, sizeof buffer), 6);
    EXPECT_STREQ(buffer, "Cam-01");
    const auto asks = w.parent.OfCode(LVN_GETDISPINFOA);
    ASSERT_EQ(asks.size(), 1u);
    EXPECT_EQ(asks[0].item, 3);
    EXPECT_EQ(asks[0].subItem, 0);
    EXPECT_EQ(asks[0].lParam, 77);
    EXPECT_EQ(asks[0].changed, LVIF_TEXT);
    EXPECT_TRUE(asks[0].textCleared);
    EXPECT_EQ(asks[0].textSize, 32);

    // Painting asks with the control's own 260-character buffer.
    w.parent.Clear();
    FixedMetricsDC dc;
    w.list.Paint(&dc);
    const auto paintAsks = w.parent.OfCode(LVN_GETDISPINFOA);
    ASSERT_FALSE(paintAsks.empty());
    EXPECT_EQ(paintAsks[0].textSize, 260);
    EXPECT_TRUE(paintAsks[0].textCleared);
}

TEST_F(ListViewItemsTest, DisplayInfoKeptWhenTheParentSaysSo)
{
    LVITEMA item;
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.pszText = LPSTR_TEXTCALLBACKA;
    ASSERT_TRUE(w.ctrl.SetItem(&item));
    item.iSubItem = 1;
    ASSERT_TRUE(w.ctrl.SetItem(&item));
    w.parent.onNotify = [](NMHDR* hdr, LRESULT*) {
        if (hdr->code == LVN_GETDISPINFOA) {
            auto* di = reinterpret_cast<NMLVDISPINFOA*>(hdr);
            di->item.pszText = const_cast<char*>(di->item.iSubItem == 0 ? "kept" : "sub");
            di->item.mask |= LVIF_DI_SETITEM;
        }
        return false;
    };
    EXPECT_EQ(w.ctrl.GetItemText(0, 0), "kept");
    EXPECT_EQ(w.ctrl.GetItemText(0, 1), "sub");
    w.parent.onNotify = nullptr;
    w.parent.Clear();
    // The label was stored; the sub-item is still asked for.
    EXPECT_EQ(w.ctrl.GetItemText(0, 0), "kept");
    EXPECT_TRUE(w.parent.OfCode(LVN_GETDISPINFOA).empty());
    EXPECT_EQ(w.ctrl.GetItemText(0, 1), "");
    EXPECT_EQ(w.parent.OfCode(LVN_GETDISPINFOA).size(), 1u);
}

TEST_F(ListViewItemsTest, FindItemIgnoresCaseMatchesPrefixesAndWraps)
{
    LVFINDINFOA find;
    find.flags = LVFI_STRING;
    find.psz = "BETA";
    EXPECT_EQ(w.ctrl.FindItem(&find), 1);
    find.psz = "bet";
    EXPECT_EQ(w.ctrl.FindItem(&find), -1);
    find.flags = LVFI_PARTIAL;
    EXPECT_EQ(w.ctrl.FindItem(&find), 1);
    // The search starts after the start item and only wraps when asked.
    find.flags = LVFI_STRING;
    find.psz = "alpha";
    EXPECT_EQ(w.ctrl.FindItem(&find, 0), -1);
    find.flags |= LVFI_WRAP;
    EXPECT_EQ(w.ctrl.FindItem(&find, 0), 0);
    find.flags = LVFI_PARAM;
    find.lParam = 30;
    EXPECT_EQ(w.ctrl.FindItem(&find), 2);
    EXPECT_EQ(w.ctrl.FindItem(&find, 2), -1);
}

int CompareParamsDescending(LPARAM a, LPARAM b, LPARAM sortParam)
{
    EXPECT_EQ(sortParam, 1234);
    return a < b ? 1 : (a > b ? -1 : 0);
}

TEST_F(ListViewItemsTest, SortUsesTheCallersFunctionAndSelectionTravelsWithRows)
{
    w.ctrl.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    w.parent.Clear();
    ASSERT_TRUE(w.ctrl.SortItems(CompareParamsDescending, 1234));
    EXPECT_TRUE(w.parent.Messages().empty());
    EXPECT_EQ(w.ctrl.GetItemText(0, 0), "gamma");
    EXPECT_EQ(w.ctrl.GetItemText(2, 1), "a1");
    EXPECT_EQ(w.ctrl.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_FALSE(w.ctrl.SortItems(nullptr, 0));
}

TEST_F(ListViewItemsTest, SortedStyleInsertsInPlaceButDoesNotResortExistingRows)
{
    ListTestWindow sorted{LVS_REPORT | LVS_SORTASCENDING};
    sorted.AddColumns({100});
    for (const char* name : {"delta", "Alpha", "charlie", "bravo"})
        sorted.AddRow(name);
    EXPECT_EQ(sorted.ctrl.GetItemText(0, 0), "Alpha");
    EXPECT_EQ(sorted.ctrl.GetItemText(3, 0), "delta");

    w.list.ModifyStyle(0, LVS_SORTDESCENDING);
    EXPECT_EQ(w.ctrl.GetItemText(0, 0), "alpha");
}

TEST_F(ListViewItemsTest, StateForEveryRowAndSingleSelection)
{
    EXPECT_TRUE(w.ctrl.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(w.ctrl.GetSelectedCount(), 3u);
    EXPECT_EQ(w.ctrl.GetNextItem(0, LVNI_SELECTED), 1);
    EXPECT_EQ(w.ctrl.GetNextItem(2, LVNI_SELECTED), -1);
    EXPECT_FALSE(w.ctrl.SetItemState(-1, LVIS_FOCUSED, LVIS_FOCUSED));

    ListTestWindow single{LVS_REPORT | LVS_SINGLESEL};
    single.AddColumns({100});
    single.AddRow("a");
    single.AddRow("b");
    EXPECT_FALSE(single.ctrl.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));
    single.ctrl.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    single.ctrl.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(single.ctrl.GetSelectedCount(), 1u);
    EXPECT_EQ(single.ctrl.GetNextItem(-1, LVNI_SELECTED), 1);
}

TEST_F(ListViewItemsTest, OneRowHasTheFocusAndDeletingItPassesItOn)
{
    w.ctrl.SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    w.ctrl.SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(w.ctrl.GetItemState(1, LVIS_FOCUSED), 0u);
    ASSERT_TRUE(w.ctrl.DeleteItem(2));
    // The focused row was the last: the new last row takes the focus.
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_FOCUSED), 1);
    ASSERT_TRUE(w.ctrl.DeleteItem(0));
    EXPECT_EQ(w.ctrl.GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(w.ctrl.GetItemText(0, 0), "beta");
}

TEST_F(ListViewItemsTest, ExtendedStyleReturnsThePreviousOneAndMaskZeroMeansAll)
{
    EXPECT_EQ(w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, 0),
              LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(w.ctrl.GetExtendedStyle(), LVS_EX_FULLROWSELECT);
    EXPECT_EQ(w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES), LVS_EX_FULLROWSELECT);
    EXPECT_EQ(w.ctrl.GetExtendedStyle(), LVS_EX_CHECKBOXES);
    // Check boxes start empty and can be ticked.
    EXPECT_FALSE(w.ctrl.GetCheck(0));
    w.ctrl.SetCheck(0);
    EXPECT_TRUE(w.ctrl.GetCheck(0));
}

TEST_F(ListViewItemsTest, AutoSizeFitsTheWidestTextAndOptionallyTheHeading)
{
    w.ctrl.SetItemText(1, 1, "a much longer text");
    ASSERT_TRUE(w.ctrl.SetColumnWidth(1, LVSCW_AUTOSIZE));
    const int text = 18 * FixedMetricsDC::kCharWidth;
    EXPECT_EQ(w.ctrl.GetColumnWidth(1), text + 12);
    w.ctrl.SetItemText(1, 1, "");
    ASSERT_TRUE(w.ctrl.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_EQ(w.ctrl.GetColumnWidth(1), 4 * FixedMetricsDC::kCharWidth + 12);
    // The last column stretches to the window's right edge.
    ASSERT_TRUE(w.ctrl.SetColumnWidth(2, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_EQ(w.ctrl.GetColumnWidth(2), 400 - (100 + w.ctrl.GetColumnWidth(1)));
}

TEST_F(ListViewItemsTest, InsertPastCountAppendsAndUnsizedColumnsGetWidth10)
{
    ListTestWindow w{LVS_REPORT};
    LVCOLUMNA column;
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>("first");
    EXPECT_EQ(w.list.SendMessage(LVM_INSERTCOLUMNA, 7, Arg(&column)), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_INSERTCOLUMNA, 99, Arg(&column)), 1);
    EXPECT_EQ(w.ctrl.GetColumnWidth(0), 10);
    // Deleting with no columns left fails.
    EXPECT_TRUE(w.ctrl.DeleteColumn(1));
    EXPECT_TRUE(w.ctrl.DeleteColumn(0));
    EXPECT_FALSE(w.ctrl.DeleteColumn(0));
}

TEST_F(ListViewItemsTest, TextCannotBeSetAndItemsAreCountsOnly)
{
    ListTestWindow w{LVS_REPORT | LVS_OWNERDATA};
    w.AddColumns({100, 100});
    ASSERT_TRUE(w.ctrl.SetItemCount(50));
    EXPECT_EQ(w.ctrl.GetItemCount(), 50);
    EXPECT_FALSE(w.ctrl.SetItemText(3, 0, "x"));
    EXPECT_TRUE(w.ctrl.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(w.ctrl.GetSelectedCount(), 1u);
    EXPECT_FALSE(w.ctrl.SortItems([](LPARAM, LPARAM, LPARAM) { return 0; }, 0));
}

} // namespace
