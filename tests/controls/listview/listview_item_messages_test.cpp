// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Item messages of the list view against the platform control's recorded
// answers, one group per message: LVM_GETITEM, LVM_INSERTITEM,
// LVM_SETITEMTEXT, LVM_SETITEMSTATE on every row, the selection mark, and
// LVM_FINDITEM. Each group checks results and the parent's exact sequence.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/list_test_window.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

ExpectedMessage Code(UINT code, unsigned flags = 0, int item = 0, int subItem = 0)
{
    ExpectedMessage e;
    e.code = code;
    e.flags = flags;
    e.item = item;
    e.subItem = subItem;
    return e;
}

ExpectedMessage Change(UINT code, int item, UINT newState, UINT oldState, UINT changed)
{
    ExpectedMessage e = Code(code, kCheckItem | kCheckNewState | kCheckOldState | kCheckChanged, item);
    e.newState = newState;
    e.oldState = oldState;
    e.changed = changed;
    return e;
}

// A report list with columns inserted with a width only, as the platform's tests do.
struct BareColumns {
    explicit BareColumns(int columns)
    {
        for (int i = 0; i < columns; ++i) {
            LVCOLUMNA column;
            column.mask = LVCF_WIDTH;
            column.cx = 100;
            w.list.SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), Arg(&column));
        }
    }
    int InsertText(const char* text)
    {
        LVITEMA item;
        item.mask = LVIF_TEXT;
        item.iItem = w.ctrl.GetItemCount();
        item.pszText = const_cast<char*>(text);
        return static_cast<int>(w.list.SendMessage(LVM_INSERTITEMA, 0, Arg(&item)));
    }
    ListTestWindow w{LVS_REPORT};
};

constexpr UINT kAllStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_ACTIVATING;

// ---- LVM_GETITEM --------------------------------------------------------

TEST(ListViewGetItem, ASubItemWhoseTextWasNeverSetIsAskedOfTheParentOnce)
{
    struct Case {
        const char* what;
        bool setText;
        const char* text; // set with LVM_SETITEM when setText
        bool asks;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"never set", false, nullptr, true, "ans"},
        {"set to a text", true, "Text", false, "Text"},
        {"set to no text", true, nullptr, false, ""},
        {"set to the callback", true, LPSTR_TEXTCALLBACKA, true, "ans"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BareColumns l(2);
        l.InsertText("foo");
        if (c.setText) {
            LVITEMA set;
            set.mask = LVIF_TEXT;
            set.iSubItem = 1;
            set.pszText = const_cast<char*>(c.text);
            ASSERT_TRUE(l.w.list.SendMessage(LVM_SETITEMA, 0, Arg(&set)));
        }
        l.w.parent.onNotify = [](NMHDR* hdr, LRESULT*) {
            auto* di = reinterpret_cast<NMLVDISPINFOA*>(hdr);
            if (hdr->code == LVN_GETDISPINFOA && di->item.pszText && di->item.cchTextMax >= 4)
                std::strcpy(di->item.pszText, "ans");
            return false;
        };
        l.w.parent.Clear();
        char buffer[5] = "xxxx";
        LVITEMA get;
        get.mask = LVIF_TEXT;
        get.iSubItem = 1;
        get.pszText = buffer;
        get.cchTextMax = sizeof buffer;
        EXPECT_EQ(l.w.list.SendMessage(LVM_GETITEMA, 0, Arg(&get)), 1);
        EXPECT_EQ(std::string(get.pszText), c.expected);
        if (c.asks) {
            EXPECT_TRUE(
                MatchesSequence(l.w.parent.Messages(), {Code(LVN_GETDISPINFOA, kCheckItem | kCheckSubItem, 0, 1)}));
        } else {
            EXPECT_TRUE(l.w.parent.Messages().empty());
        }
    }
}

TEST(ListViewGetItem, ASubItemHasNoStateOfItsOwnAndSubItemsPastTheColumnsStillAnswer)
{
    BareColumns l(2);
    l.InsertText("foo");
    l.w.ctrl.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED | INDEXTOSTATEIMAGEMASK(1),
                          LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK);
    l.w.ctrl.SetItemData(0, 0x42);
    l.w.parent.Clear();
    for (int sub : {1, 2}) {
        SCOPED_TRACE(sub);
        LVITEMA get;
        get.mask = LVIF_STATE | LVIF_PARAM;
        get.iSubItem = sub;
        get.stateMask = ~0u;
        get.state = 0xdead;
        EXPECT_EQ(l.w.list.SendMessage(LVM_GETITEMA, 0, Arg(&get)), 1);
        EXPECT_EQ(get.state, 0u);
        EXPECT_EQ(get.lParam, 0x42);
    }
    EXPECT_TRUE(l.w.parent.Messages().empty());
    // The item itself keeps its state.
    LVITEMA item;
    item.mask = LVIF_STATE;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ASSERT_EQ(l.w.list.SendMessage(LVM_GETITEMA, 0, Arg(&item)), 1);
    EXPECT_EQ(item.state, LVIS_SELECTED | LVIS_FOCUSED);
}

// ---- LVM_INSERTITEM -----------------------------------------------------

TEST(ListViewInsertItem, TheStateIsTakenWhateverTheStateMaskSays)
{
    struct Case {
        UINT mask;
        UINT state;
        UINT stateMask;
        UINT stored;
        bool notifiesChange;
    };
    const std::vector<Case> cases = {
        {LVIF_STATE, LVIS_SELECTED, 0, LVIS_SELECTED, true},
        {LVIF_STATE, LVIS_FOCUSED, 0, LVIS_FOCUSED, true},
        {LVIF_STATE, LVIS_CUT, LVIS_FOCUSED, LVIS_CUT, false},
        {LVIF_STATE, LVIS_DROPHILITED, 0, LVIS_DROPHILITED, false},
        {LVIF_STATE, LVIS_ACTIVATING, LVIS_SELECTED, LVIS_ACTIVATING, false},
        {LVIF_STATE, kAllStates, 0, kAllStates, true},
        {LVIF_STATE, kAllStates, kAllStates, kAllStates, true},
        {LVIF_STATE, 0, LVIS_FOCUSED, 0, false},
        {LVIF_TEXT, kAllStates, kAllStates, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "state " << c.state << " mask " << c.stateMask);
        ListTestWindow l{LVS_REPORT};
        LVITEMA item;
        item.mask = c.mask | LVIF_TEXT;
        item.pszText = const_cast<char*>("foo");
        item.state = c.state;
        item.stateMask = c.stateMask;
        ASSERT_EQ(l.list.SendMessage(LVM_INSERTITEMA, 0, Arg(&item)), 0);
        EXPECT_EQ(l.list.SendMessage(LVM_GETITEMSTATE, 0, kAllStates), static_cast<LRESULT>(c.stored));
        std::vector<ExpectedMessage> expected;
        if (c.notifiesChange) {
            expected.push_back(Code(LVN_ITEMCHANGING, kCheckItem | kCheckChanged, 0));
            expected.back().changed = LVIF_STATE;
            expected.push_back(Code(LVN_ITEMCHANGED, kCheckItem | kCheckChanged, 0));
            expected.back().changed = LVIF_STATE;
        }
        expected.push_back(Code(LVN_INSERTITEM, kCheckItem, 0));
        EXPECT_TRUE(MatchesSequence(l.parent.Messages(), expected));
    }
}

TEST(ListViewInsertItem, WithCheckBoxesTheStateImageStartsUncheckedAndTheRestIsKept)
{
    ListTestWindow l{LVS_REPORT, 400, 300, LVS_EX_CHECKBOXES};
    LVITEMA item;
    item.mask = LVIF_STATE;
    item.state = 0x2aaa;
    item.stateMask = 0xffff;
    ASSERT_EQ(l.list.SendMessage(LVM_INSERTITEMA, 0, Arg(&item)), 0);
    EXPECT_EQ(l.list.SendMessage(LVM_GETITEMSTATE, 0, 0xffff), 0x1aaa);
}

// ---- LVM_SETITEMTEXT ----------------------------------------------------

TEST(ListViewSetItemText, CallbackTextOverCallbackTextStillNotifiesAChange)
{
    ListTestWindow l{LVS_REPORT};
    LVITEMA item;
    item.mask = LVIF_TEXT;
    item.pszText = LPSTR_TEXTCALLBACKA;
    ASSERT_EQ(l.list.SendMessage(LVM_INSERTITEMA, 0, Arg(&item)), 0);
    l.parent.Clear();
    LVITEMA set;
    set.pszText = LPSTR_TEXTCALLBACKA;
    EXPECT_EQ(l.list.SendMessage(LVM_SETITEMTEXTA, 0, Arg(&set)), TRUE);
    EXPECT_TRUE(MatchesSequence(l.parent.Messages(), {Change(LVN_ITEMCHANGING, 0, 0, 0, LVIF_TEXT),
                                                      Change(LVN_ITEMCHANGED, 0, 0, 0, LVIF_TEXT)}));
}

// ---- LVM_SETITEMSTATE on every row (index -1) ----------------------------

TEST(ListViewSetItemStateOnAll, EveryRowIsAskedWhenTheStateAskedForIsNotZero)
{
    struct Case {
        const char* what;
        bool allSelectedBefore;
        UINT state;
        UINT stateMask;
        bool changes;  // each row gets LVN_ITEMCHANGED after its LVN_ITEMCHANGING
        bool asks;     // each row gets LVN_ITEMCHANGING
        UINT newState; // of the notifications
        UINT oldState;
        int selectedAfter;
    };
    const std::vector<Case> cases = {
        {"select all, none selected", false, LVIS_SELECTED, LVIS_SELECTED, true, true, LVIS_SELECTED, 0, 5},
        {"select all, all selected", true, LVIS_SELECTED, LVIS_SELECTED, false, true, LVIS_SELECTED, LVIS_SELECTED, 5},
        {"deselect all, all selected", true, 0, LVIS_SELECTED, true, true, 0, LVIS_SELECTED, 0},
        {"deselect all, none selected", false, 0, LVIS_SELECTED, false, false, 0, 0, 0},
        {"a bit outside the mask", false, LVIS_CUT, LVIS_SELECTED, false, true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListTestWindow l{LVS_REPORT};
        for (int i = 0; i < 5; ++i)
            l.AddRow("foo");
        if (c.allSelectedBefore)
            l.ctrl.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
        l.parent.Clear();
        LVITEMA item;
        item.state = c.state;
        item.stateMask = c.stateMask;
        EXPECT_EQ(l.list.SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), Arg(&item)), TRUE);
        std::vector<ExpectedMessage> expected;
        for (int i = 0; i < 5 && c.asks; ++i) {
            expected.push_back(Change(LVN_ITEMCHANGING, i, c.newState, c.oldState, LVIF_STATE));
            if (c.changes)
                expected.push_back(Change(LVN_ITEMCHANGED, i, c.newState, c.oldState, LVIF_STATE));
        }
        EXPECT_TRUE(MatchesSequence(l.parent.Messages(), expected));
        EXPECT_EQ(static_cast<int>(l.ctrl.GetSelectedCount()), c.selectedAfter);
        EXPECT_EQ(l.ctrl.GetNextItem(-1, LVNI_CUT), -1);
    }
}

// ---- LVM_SETSELECTIONMARK and the mark set by focusing -------------------

struct ListViewSelectionMarkTest : ::testing::Test {
    ListTestWindow w{LVS_REPORT};
    void SetUp() override
    {
        for (int i = 0; i < 5; ++i)
            w.AddRow("foo");
    }
    LRESULT SetMark(int index) { return w.list.SendMessage(LVM_SETSELECTIONMARK, 0, index); }
    LRESULT Mark() { return w.list.SendMessage(LVM_GETSELECTIONMARK); }
};

TEST_F(ListViewSelectionMarkTest, OnlyMinusOneAndRowsThatExistAreTaken)
{
    struct Step {
        int set;
        LRESULT returned;
        LRESULT after;
    };
    const std::vector<Step> steps = {
        {-1, -1, -1}, {0, -1, 0}, {0, 0, 0}, {5, 0, 0}, {-2, 0, 0}, {4, 0, 4}, {100, 4, 4}, {-1, 4, -1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.set);
        EXPECT_EQ(SetMark(s.set), s.returned);
        EXPECT_EQ(Mark(), s.after);
    }
}

TEST_F(ListViewSelectionMarkTest, FocusingFromCodeSetsTheMarkOnlyWhenThereIsNone)
{
    // Through LVM_SETITEMSTATE and through LVM_SETITEM alike.
    for (bool throughSetItem : {false, true}) {
        SCOPED_TRACE(throughSetItem ? "LVM_SETITEM" : "LVM_SETITEMSTATE");
        ListTestWindow l{LVS_REPORT};
        for (int i = 0; i < 5; ++i)
            l.AddRow("foo");
        auto focus = [&](int index, UINT state) {
            LVITEMA item;
            item.mask = LVIF_STATE;
            item.iItem = index;
            item.state = state;
            item.stateMask = LVIS_FOCUSED;
            if (throughSetItem && index >= 0)
                l.list.SendMessage(LVM_SETITEMA, 0, Arg(&item));
            else
                l.list.SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), Arg(&item));
        };
        auto mark = [&] { return l.list.SendMessage(LVM_GETSELECTIONMARK); };
        // Selecting never sets it.
        l.ctrl.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ(mark(), -1);
        focus(0, LVIS_FOCUSED);
        EXPECT_EQ(mark(), 0);
        focus(1, LVIS_FOCUSED);
        EXPECT_EQ(mark(), 0);
        EXPECT_EQ(l.list.SendMessage(LVM_SETSELECTIONMARK, 0, -1), 0);
        // Row 1 has the focus already: nothing changes, so the mark stays unset.
        focus(1, LVIS_FOCUSED);
        EXPECT_EQ(mark(), -1);
        focus(-1, 0);
        focus(2, LVIS_FOCUSED);
        EXPECT_EQ(mark(), 2);
        focus(-1, 0);
        EXPECT_EQ(mark(), 2);
    }
}

// ---- LVM_GETNEXTITEM ----------------------------------------------------

TEST(ListViewGetNextItem, NeighboursByDirectionAndRowsByState)
{
    ListTestWindow l{LVS_REPORT};
    l.AddRow("a");
    l.AddRow("b");
    struct Case {
        int start;
        UINT flags;
        LRESULT next;
    };
    const std::vector<Case> noFocus = {
        {0, LVNI_ABOVE, -1}, {0, LVNI_BELOW, 1}, {1, LVNI_ABOVE, 0},     {1, LVNI_BELOW, -1},     {-1, LVNI_ALL, 0},
        {0, LVNI_ALL, 1},    {1, LVNI_ALL, -1},  {-1, LVNI_FOCUSED, -1}, {-1, LVNI_SELECTED, -1}, {5, LVNI_BELOW, -1},
    };
    for (const Case& c : noFocus) {
        SCOPED_TRACE(::testing::Message() << "from " << c.start << " flags " << c.flags);
        EXPECT_EQ(l.list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(c.start), c.flags), c.next);
    }
    l.ctrl.SetItemState(1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    EXPECT_EQ(l.list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
    EXPECT_EQ(l.list.SendMessage(LVM_GETNEXTITEM, 0, LVNI_SELECTED), 1);
    EXPECT_EQ(l.list.SendMessage(LVM_GETNEXTITEM, 1, LVNI_SELECTED), -1);
    EXPECT_EQ(l.list.SendMessage(LVM_GETNEXTITEM, 0, LVNI_ABOVE | LVNI_SELECTED), -1);
    EXPECT_EQ(l.list.SendMessage(LVM_GETNEXTITEM, 0, LVNI_BELOW | LVNI_FOCUSED), 1);
    l.ctrl.SetItemState(-1, 0, LVIS_FOCUSED);
    EXPECT_EQ(l.list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);
}

// ---- LVM_SETCOLUMNWIDTH -------------------------------------------------

TEST(ListViewSetColumnWidth, AutoSizeMakesRoomForCheckBoxes)
{
    ListTestWindow l{LVS_REPORT};
    l.AddColumns({100, 100});
    l.AddRow("foo");
    auto autoSized = [&] {
        EXPECT_TRUE(l.list.SendMessage(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(static_cast<WORD>(LVSCW_AUTOSIZE), 0)));
        return l.ctrl.GetColumnWidth(0);
    };
    const int plain = autoSized();
    EXPECT_GT(plain, 0);
    l.ctrl.SetExtendedStyle(LVS_EX_CHECKBOXES);
    const int withBoxes = autoSized();
    EXPECT_GT(withBoxes, plain);
    l.ctrl.SetExtendedStyle(0);
    EXPECT_LT(autoSized(), withBoxes);
}

// ---- LVM_FINDITEM -------------------------------------------------------

TEST(ListViewFindItem, TextSearchesMatchWholeTextsOrPrefixesWithoutCase)
{
    struct Case {
        const char* text;
        UINT flags;
        LRESULT found;
    };
    const std::vector<Case> cases = {
        {"foo", LVFI_STRING, 0},
        {"foo", LVFI_STRING | LVFI_PARTIAL, 0},
        {"foo", LVFI_PARTIAL, 0},
        {"fo", LVFI_STRING | LVFI_PARTIAL, 0},
        {"fo", LVFI_STRING, -1},
        {"fo", LVFI_PARTIAL, 0},
        {"oo", LVFI_STRING | LVFI_PARTIAL, -1},
        {"fo", LVFI_SUBSTRING, 0},
        {"f", LVFI_SUBSTRING, 0},
        {"o", LVFI_SUBSTRING, -1},
        {"o", LVFI_SUBSTRING | LVFI_PARTIAL, -1},
        {"f", LVFI_SUBSTRING | LVFI_STRING, 0},
        {"f", LVFI_SUBSTRING | LVFI_PARTIAL, 0},
        {"Foo", LVFI_STRING, 0},
        {"F", LVFI_SUBSTRING, 0},
    };
    ListTestWindow l{LVS_REPORT};
    l.AddRow("foo");
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.text << " flags " << c.flags);
        LVFINDINFOA find;
        find.flags = c.flags;
        find.psz = c.text;
        EXPECT_EQ(l.list.SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(-1), Arg(&find)), c.found);
    }
}

TEST(ListViewFindItem, SearchesStartAfterTheGivenRowAndWrapOnlyWhenAsked)
{
    ListTestWindow l{LVS_REPORT};
    for (int i = 0; i < 5; ++i)
        l.AddRow("foo", {}, 100 + (i % 2));
    struct Case {
        int start;
        UINT flags;
        LPARAM param;
        LRESULT found;
    };
    const std::vector<Case> cases = {
        {-1, LVFI_PARAM, 100, 0},
        {0, LVFI_PARAM, 100, 2},
        {4, LVFI_PARAM, 100, -1},
        {4, LVFI_PARAM | LVFI_WRAP, 100, 0},
        {3, LVFI_PARAM | LVFI_WRAP, 101, 1},
        {-1, LVFI_PARAM, 102, -1},
        {2, LVFI_STRING, 0, 3},
        {4, LVFI_STRING | LVFI_WRAP, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "start " << c.start << " flags " << c.flags);
        LVFINDINFOA find;
        find.flags = c.flags;
        find.lParam = c.param;
        find.psz = "foo";
        EXPECT_EQ(l.list.SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(c.start), Arg(&find)), c.found);
    }
}

} // namespace
