// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Message sequences the list view sends to its parent.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/list_test_window.h"
#include "support/recording_dc.h"

namespace {

constexpr UINT kSelFocus = LVIS_SELECTED | LVIS_FOCUSED;

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

ExpectedMessage Stage(DWORD stage, int item, int subItem)
{
    ExpectedMessage e = Code(NM_CUSTOMDRAW, kCheckStage | kCheckItem | kCheckSubItem, item, subItem);
    e.stage = stage;
    return e;
}

POINT HeaderPoint(ListTestWindow& w, int column, int dx)
{
    RECT rc{};
    w.Header()->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rc));
    return POINT{rc.left + dx, 5};
}

void Mouse(CWnd* wnd, UINT message, POINT pt, WPARAM keys = 0)
{
    wnd->SendMessage(message, keys, MAKELPARAM(pt.x, pt.y));
}

struct ListViewNotifyTest : ::testing::Test {
    ListTestWindow w{LVS_REPORT, 400, 300, LVS_EX_HEADERDRAGDROP};
    void SetUp() override
    {
        w.AddColumns({100, 80, 60});
        w.parent.Clear();
    }
};

TEST_F(ListViewNotifyTest, PlainInsertNotifiesInsertOnly)
{
    w.ctrl.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "a", 0, 0, 0, 5);
    ExpectedMessage insert = Code(LVN_INSERTITEM, kCheckItem | kCheckParam, 0);
    insert.lParam = 5;
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {insert}));
}

TEST_F(ListViewNotifyTest, InsertingASelectedFocusedItemNotifiesTheChangeFirst)
{
    w.ctrl.InsertItem(LVIF_TEXT | LVIF_STATE, 0, "a", kSelFocus, kSelFocus, 0, 0);
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {Change(LVN_ITEMCHANGING, 0, kSelFocus, 0, LVIF_STATE),
                                                      Change(LVN_ITEMCHANGED, 0, kSelFocus, 0, LVIF_STATE),
                                                      Code(LVN_INSERTITEM, kCheckItem, 0)}));
}

TEST_F(ListViewNotifyTest, SettingOnlyTheParamNotifiesAChangeOfParam)
{
    w.AddRow("a", {}, 1);
    w.parent.Clear();
    EXPECT_TRUE(w.ctrl.SetItemData(0, 2));
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {Change(LVN_ITEMCHANGING, 0, 0, 0, LVIF_PARAM),
                                                      Change(LVN_ITEMCHANGED, 0, 0, 0, LVIF_PARAM)}));
    // A state that does not change is not news.
    w.parent.Clear();
    w.ctrl.SetItemState(0, 0, LVIS_SELECTED);
    EXPECT_TRUE(w.parent.Messages().empty());
}

TEST_F(ListViewNotifyTest, RefusedChangeLeavesTheStateAlone)
{
    w.AddRow("a");
    w.parent.Answer(LVN_ITEMCHANGING, TRUE);
    EXPECT_FALSE(w.ctrl.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(w.ctrl.GetSelectedCount(), 0u);
    EXPECT_TRUE(w.parent.OfCode(LVN_ITEMCHANGED).empty());
}

TEST_F(ListViewNotifyTest, SelectingInASingleSelectionListDeselectsThePreviousRow)
{
    ListTestWindow single{LVS_REPORT | LVS_SINGLESEL};
    single.AddColumns({100});
    single.AddRow("a");
    single.AddRow("b");
    single.ctrl.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    single.parent.Clear();
    single.ctrl.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(MatchesSequence(single.parent.Messages(), {Change(LVN_ITEMCHANGING, 1, LVIS_SELECTED, 0, LVIF_STATE),
                                                           Change(LVN_ITEMCHANGING, 0, 0, LVIS_SELECTED, LVIF_STATE),
                                                           Change(LVN_ITEMCHANGED, 0, 0, LVIS_SELECTED, LVIF_STATE),
                                                           Change(LVN_ITEMCHANGED, 1, LVIS_SELECTED, 0, LVIF_STATE)}));
}

TEST_F(ListViewNotifyTest, DeleteAllNotifiesEachRowFromTheLastUnlessTheParentSaysTrue)
{
    for (const char* name : {"a", "b", "c"})
        w.AddRow(name);
    w.parent.Clear();
    ASSERT_TRUE(w.ctrl.DeleteAllItems());
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(),
                                {Code(LVN_DELETEALLITEMS, kCheckItem, -1), Code(LVN_DELETEITEM, kCheckItem, 2),
                                 Code(LVN_DELETEITEM, kCheckItem, 1), Code(LVN_DELETEITEM, kCheckItem, 0)}));

    for (const char* name : {"a", "b", "c"})
        w.AddRow(name);
    w.parent.Clear();
    w.parent.Answer(LVN_DELETEALLITEMS, TRUE);
    ASSERT_TRUE(w.ctrl.DeleteAllItems());
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {Code(LVN_DELETEALLITEMS, kCheckItem, -1)}));
    EXPECT_EQ(w.ctrl.GetItemCount(), 0);
    EXPECT_EQ(w.ctrl.GetSelectionMark(), -1);
}

TEST_F(ListViewNotifyTest, DeletingASelectedRowClearsItsStateFirst)
{
    w.AddRow("a");
    w.AddRow("b");
    w.ctrl.SetItemState(0, kSelFocus, kSelFocus);
    w.parent.Clear();
    ASSERT_TRUE(w.ctrl.DeleteItem(0));
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {Change(LVN_ITEMCHANGING, 0, 0, kSelFocus, LVIF_STATE),
                                                      Change(LVN_ITEMCHANGED, 0, 0, kSelFocus, LVIF_STATE),
                                                      Code(LVN_DELETEITEM, kCheckItem, 0)}));
}

TEST_F(ListViewNotifyTest, HeaderClickBecomesColumnClickWithThePhysicalColumn)
{
    CWnd* header = w.Header();
    Mouse(header, WM_LBUTTONDOWN, HeaderPoint(w, 1, 30));
    Mouse(header, WM_LBUTTONUP, HeaderPoint(w, 1, 30));
    // The list's own notice, then the header's passed on.
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {Code(LVN_COLUMNCLICK, kCheckItem | kCheckSubItem, -1, 1),
                                                      Code(HDN_ITEMCLICKA, kCheckItem, 1)}));

    // Displayed first after a reorder, column 2 still reports itself as 2.
    int order[3] = {2, 0, 1};
    w.ctrl.SetColumnOrderArray(3, order);
    w.parent.Clear();
    Mouse(header, WM_LBUTTONDOWN, POINT{20, 5});
    Mouse(header, WM_LBUTTONUP, POINT{20, 5});
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {Code(LVN_COLUMNCLICK, kCheckItem | kCheckSubItem, -1, 2),
                                                      Code(HDN_ITEMCLICKA, kCheckItem, 2)}));
}

TEST_F(ListViewNotifyTest, HeaderDragIsForwardedBeforeTheMoveAndCanBeRefused)
{
    CWnd* header = w.Header();
    // Drag column 0 onto column 2's place.
    Mouse(header, WM_LBUTTONDOWN, POINT{30, 5});
    Mouse(header, WM_MOUSEMOVE, POINT{120, 5}, MK_LBUTTON);
    Mouse(header, WM_MOUSEMOVE, POINT{200, 5}, MK_LBUTTON);
    Mouse(header, WM_LBUTTONUP, POINT{200, 5});
    ExpectedMessage endDrag = Code(HDN_ENDDRAG, kCheckItem | kCheckOrder | kCheckFrom, 0);
    endDrag.order = 2;
    endDrag.from = header;
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {endDrag}));
    int order[3] = {};
    ASSERT_TRUE(w.ctrl.GetColumnOrderArray(order, 3));
    EXPECT_EQ(std::vector<int>(order, order + 3), std::vector<int>({1, 2, 0}));

    // Refused by the parent: nothing moves.
    w.parent.Clear();
    w.parent.Answer(HDN_ENDDRAG, TRUE);
    Mouse(header, WM_LBUTTONDOWN, POINT{30, 5});
    Mouse(header, WM_MOUSEMOVE, POINT{150, 5}, MK_LBUTTON);
    Mouse(header, WM_LBUTTONUP, POINT{150, 5});
    ASSERT_TRUE(w.ctrl.GetColumnOrderArray(order, 3));
    EXPECT_EQ(std::vector<int>(order, order + 3), std::vector<int>({1, 2, 0}));
    EXPECT_TRUE(w.parent.OfCode(LVN_COLUMNCLICK).empty());
}

TEST_F(ListViewNotifyTest, DividerDoubleClickAutoSizesAndSetColumnTellsTheParentNothing)
{
    w.AddRow("a rather long label");
    w.parent.Clear();
    Mouse(w.Header(), WM_LBUTTONDBLCLK, POINT{99, 5});
    EXPECT_EQ(w.ctrl.GetColumnWidth(0), 2 + 2 + 19 * FixedMetricsDC::kCharWidth + 6);
    // The header's notices of the new width reach the parent, then the double-click itself.
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(),
                                {Code(HDN_ITEMCHANGINGA, kCheckItem, 0), Code(HDN_ITEMCHANGEDA, kCheckItem, 0),
                                 Code(HDN_DIVIDERDBLCLICKA, kCheckItem, 0)}));
    w.parent.Clear();
    LVCOLUMNA column;
    column.mask = LVCF_WIDTH;
    column.cx = 77;
    ASSERT_TRUE(w.ctrl.SetColumn(1, &column));
    EXPECT_EQ(w.ctrl.GetColumnWidth(1), 77);
    EXPECT_TRUE(w.parent.Messages().empty());
}

TEST_F(ListViewNotifyTest, DividerDragForwardsTrackAndEndTrack)
{
    CWnd* header = w.Header();
    Mouse(header, WM_LBUTTONDOWN, POINT{100, 5});
    Mouse(header, WM_MOUSEMOVE, POINT{130, 5}, MK_LBUTTON);
    Mouse(header, WM_LBUTTONUP, POINT{140, 5});
    ExpectedMessage track = Code(HDN_TRACKA, kCheckItem | kCheckWidth, 0);
    track.width = 130;
    ExpectedMessage end = Code(HDN_ENDTRACKA, kCheckItem | kCheckWidth, 0);
    end.width = 140;
    // With full drag every width the divider passes is a change of the item, passed on too.
    ExpectedMessage changing = Code(HDN_ITEMCHANGINGA, kCheckItem | kCheckWidth, 0);
    ExpectedMessage changed = Code(HDN_ITEMCHANGEDA, kCheckItem | kCheckWidth, 0);
    changing.width = changed.width = 130;
    ExpectedMessage lastChanging = changing;
    ExpectedMessage lastChanged = changed;
    lastChanging.width = lastChanged.width = 140;
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {track, changing, changed, end, lastChanging, lastChanged}));
    EXPECT_EQ(w.ctrl.GetColumnWidth(0), 140);
}

TEST_F(ListViewNotifyTest, CustomDrawStagesFollowTheAnswers)
{
    w.ctrl.DeleteColumn(2);
    w.AddRow("row", {"sub"}, 9);
    w.parent.ignored = {LVN_GETDISPINFOA};
    w.parent.Clear();
    RecordingDC quiet;
    w.list.Paint(&quiet);
    // Nobody asked for more than the first stage.
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {Stage(CDDS_PREPAINT, 0, 0)}));

    w.parent.AnswerStage(CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT);
    w.parent.AnswerStage(CDDS_ITEMPREPAINT, CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT);
    w.parent.AnswerStage(CDDS_ITEMPREPAINT | CDDS_SUBITEM, CDRF_NOTIFYPOSTPAINT);
    w.parent.Clear();
    RecordingDC dc;
    w.list.Paint(&dc);
    EXPECT_TRUE(
        MatchesSequence(w.parent.Messages(),
                        {Stage(CDDS_PREPAINT, 0, 0), Stage(CDDS_ITEMPREPAINT, 0, 0),
                         Stage(CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, 0), Stage(CDDS_ITEMPOSTPAINT | CDDS_SUBITEM, 0, 0),
                         Stage(CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, 1), Stage(CDDS_ITEMPOSTPAINT | CDDS_SUBITEM, 0, 1),
                         Stage(CDDS_ITEMPOSTPAINT, 0, 0), Stage(CDDS_POSTPAINT, 0, 0)}));
    EXPECT_EQ(w.parent.Messages()[1].lParam, 9);
}

TEST_F(ListViewNotifyTest, ColoursChosenForTheRowCarryIntoItsCellsAndSkipDefaultDrawsNothing)
{
    w.ctrl.DeleteColumn(2);
    w.AddRow("row", {"sub"});
    w.parent.AnswerStage(CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW);
    w.parent.AnswerStage(CDDS_ITEMPREPAINT, CDRF_NOTIFYSUBITEMDRAW);
    w.parent.onNotify = [](NMHDR* hdr, LRESULT*) {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        if (hdr->code == NM_CUSTOMDRAW && cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            cd->clrText = RGB(200, 0, 0);
            cd->clrTextBk = RGB(0, 0, 200);
        }
        return false;
    };
    w.parent.Clear();
    RecordingDC dc;
    w.list.Paint(&dc);
    const auto stages = w.parent.OfCode(NM_CUSTOMDRAW);
    ASSERT_EQ(stages.size(), 4u);
    EXPECT_EQ(stages[2].clrText, RGB(200, 0, 0));
    EXPECT_EQ(stages[3].clrTextBk, RGB(0, 0, 200));
    ASSERT_NE(dc.FindText("sub"), nullptr);
    EXPECT_EQ(dc.FindText("sub")->colour, RGB(200, 0, 0));
    EXPECT_EQ(dc.FillAt(150, 30), RGB(0, 0, 200));

    w.parent.AnswerStage(CDDS_ITEMPREPAINT, CDRF_SKIPDEFAULT);
    w.parent.Clear();
    RecordingDC skipped;
    w.list.Paint(&skipped);
    EXPECT_TRUE(skipped.Of(DrawOp::Kind::Text).empty());
    EXPECT_EQ(w.parent.OfCode(NM_CUSTOMDRAW).size(), 2u);
}

TEST_F(ListViewNotifyTest, RightClickSelectsThenAsksTheParentThenOpensTheContextMenu)
{
    w.AddRow("a");
    w.AddRow("b");
    w.parent.ignored = {LVN_ITEMCHANGING, NM_SETFOCUS};
    w.parent.Clear();
    const POINT pt{30, 22 + 17 + 5};
    Mouse(&w.list, WM_RBUTTONDOWN, pt);
    Mouse(&w.list, WM_RBUTTONUP, pt);
    ExpectedMessage menu;
    menu.message = WM_CONTEXTMENU;
    menu.flags = kCheckFrom;
    menu.from = &w.list;
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {Change(LVN_ITEMCHANGED, 1, kSelFocus, 0, LVIF_STATE),
                                                      Code(NM_RCLICK, kCheckItem, 1), menu}));

    w.parent.Answer(NM_RCLICK, 1);
    w.parent.Clear();
    Mouse(&w.list, WM_RBUTTONDOWN, pt);
    Mouse(&w.list, WM_RBUTTONUP, pt);
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {Code(NM_RCLICK, kCheckItem, 1)}));
}

TEST_F(ListViewNotifyTest, DestroyingTellsTheParentExceptForOwnerData)
{
    {
        ListTestWindow w{LVS_REPORT};
        w.AddColumns({100});
        w.AddRow("a");
        w.parent.Clear();
        w.list.DestroyWindow();
        EXPECT_TRUE(MatchesSequence(w.parent.Messages(),
                                    {Code(LVN_DELETEALLITEMS, kCheckItem, -1), Code(LVN_DELETEITEM, kCheckItem, 0)}));
    }
    {
        ListTestWindow w{LVS_REPORT | LVS_OWNERDATA};
        w.ctrl.SetItemCount(5);
        w.parent.Clear();
        w.list.DestroyWindow();
        EXPECT_TRUE(w.parent.OfCode(LVN_DELETEALLITEMS).empty());
    }
}

TEST_F(ListViewNotifyTest, WithoutHeaderDragDropADragIsJustAPress)
{
    ListTestWindow w{LVS_REPORT};
    w.AddColumns({100, 80});
    w.parent.Clear();
    CWnd* header = w.Header();
    Mouse(header, WM_LBUTTONDOWN, POINT{30, 5});
    Mouse(header, WM_MOUSEMOVE, POINT{150, 5}, MK_LBUTTON);
    Mouse(header, WM_LBUTTONUP, POINT{150, 5});
    EXPECT_TRUE(w.parent.OfCode(HDN_ENDDRAG).empty());
    int order[2] = {};
    ASSERT_TRUE(w.ctrl.GetColumnOrderArray(order, 2));
    EXPECT_EQ(order[0], 0);
}

} // namespace

// A list with info tips asks its parent for the tip of the item under the
// mouse, with the item's data and a buffer of the platform's size; a list
// without the style, or a point off every item, asks nothing.
TEST_F(ListViewNotifyTest, InfoTipsAreAskedOfTheParentForTheItemUnderThePoint)
{
    w.AddRow("a", {"x"}, 11);
    w.AddRow("b", {"y"}, 22);
    RECT second{};
    second.left = LVIR_BOUNDS;
    ASSERT_TRUE(w.list.SendMessage(LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));
    NMLVGETINFOTIPA asked;
    w.parent.onNotify = [&asked](NMHDR* hdr, LRESULT*) {
        if (hdr->code != LVN_GETINFOTIPA)
            return false;
        asked = *reinterpret_cast<NMLVGETINFOTIPA*>(hdr);
        std::snprintf(asked.pszText, static_cast<std::size_t>(asked.cchTextMax), "tip %d", asked.iItem);
        return true;
    };
    TIPTEXTQUERY query;
    query.pt = POINT{second.left + 40, (second.top + second.bottom) / 2};
    EXPECT_EQ(w.list.SendMessage(WM_QUERYTIPTEXT, 0, reinterpret_cast<LPARAM>(&query)), 0);
    EXPECT_TRUE(w.parent.OfCode(LVN_GETINFOTIPA).empty());

    w.ctrl.SetExtendedStyle(LVS_EX_INFOTIP);
    ASSERT_EQ(w.list.SendMessage(WM_QUERYTIPTEXT, 0, reinterpret_cast<LPARAM>(&query)), 1);
    EXPECT_EQ(query.text, "tip 1");
    EXPECT_EQ(asked.iItem, 1);
    EXPECT_EQ(asked.iSubItem, 0);
    EXPECT_EQ(asked.lParam, 22);
    EXPECT_EQ(asked.cchTextMax, INFOTIPSIZE);
    EXPECT_EQ(query.rcArea.top, second.top);
    EXPECT_EQ(query.rcArea.bottom, second.bottom);

    // Below the last row: no item, no question.
    TIPTEXTQUERY below;
    below.pt = POINT{40, second.bottom + 40};
    EXPECT_EQ(w.list.SendMessage(WM_QUERYTIPTEXT, 0, reinterpret_cast<LPARAM>(&below)), 0);
    EXPECT_EQ(w.parent.OfCode(LVN_GETINFOTIPA).size(), 1u);
}
