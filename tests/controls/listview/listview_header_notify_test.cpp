// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the list view's parent hears from the header: which header
// notifications the list passes on, which it turns into its own, and the
// header's custom draw, which reaches the parent unchanged.
#include <gtest/gtest.h>

#include "support/control_spy.h"
#include "support/list_test_window.h"
#include "support/recording_dc.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

ExpectedMessage Code(UINT code, unsigned flags = 0, int item = 0)
{
    ExpectedMessage e;
    e.code = code;
    e.flags = flags;
    e.item = item;
    return e;
}

ExpectedMessage From(CWnd* from, UINT code, int item)
{
    ExpectedMessage e = Code(code, kCheckFrom | kCheckItem, item);
    e.from = from;
    return e;
}

ExpectedMessage At(SpyWindow window, UINT message)
{
    ExpectedMessage e;
    e.window = window;
    e.message = message;
    return e;
}

struct ListViewHeaderNotifyTest : ::testing::Test {
    ListTestWindow w{LVS_REPORT, 400, 300};
    CWnd* header = nullptr;
    void SetUp() override
    {
        w.AddColumns({100, 80, 60});
        w.AddRow("a fairly long label", {"x", "y"});
        header = w.Header();
        w.parent.Clear();
    }
    RECT HeaderRect(int index)
    {
        RECT rc{};
        header->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), Arg(&rc));
        return rc;
    }
};

TEST_F(ListViewHeaderNotifyTest, AClickBecomesAColumnClickFollowedByTheHeadersOwnNotice)
{
    const LPARAM pt = MAKELPARAM(HeaderRect(1).left + 20, 5);
    header->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, pt);
    header->SendMessage(WM_LBUTTONUP, 0, pt);
    ExpectedMessage columnClick = Code(LVN_COLUMNCLICK, kCheckItem | kCheckSubItem | kCheckFrom, -1);
    columnClick.subItem = 1;
    columnClick.from = &w.list;
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(), {columnClick, From(header, HDN_ITEMCLICKA, 1)}));
}

TEST_F(ListViewHeaderNotifyTest, ADividerDoubleClickSizesTheColumnAndThenTellsTheParent)
{
    header->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(HeaderRect(0).right - 1, 5));
    EXPECT_TRUE(
        MatchesSequence(w.parent.Messages(), {From(header, HDN_ITEMCHANGINGA, 0), From(header, HDN_ITEMCHANGEDA, 0),
                                              From(header, HDN_DIVIDERDBLCLICKA, 0)}));
    EXPECT_NE(w.ctrl.GetColumnWidth(0), 100);
}

TEST_F(ListViewHeaderNotifyTest, ChangingAColumnThroughTheListTellsOnlyTheList)
{
    ControlSpy spy;
    ListTestWindow l{LVS_REPORT};
    l.AddColumns({100});
    spy.Watch(l.parent);
    spy.Clear();
    LVCOLUMNA column;
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>("renamed");
    ASSERT_TRUE(l.list.SendMessage(LVM_SETCOLUMNA, 0, Arg(&column)));
    EXPECT_TRUE(MatchesSequence(spy.Of(SpyWindow::ListView),
                                {At(SpyWindow::ListView, LVM_SETCOLUMNA), At(SpyWindow::ListView, WM_NOTIFY),
                                 At(SpyWindow::ListView, WM_NOTIFY)}));
    EXPECT_TRUE(l.parent.Messages().empty());
}

TEST_F(ListViewHeaderNotifyTest, TheHeadersCustomDrawReachesTheParentUnchangedAndItsAnswersCount)
{
    w.parent.AnswerStage(CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT);
    w.parent.AnswerStage(CDDS_ITEMPREPAINT, CDRF_SKIPDEFAULT);
    RecordingDC dc;
    header->Paint(&dc);
    auto stage = [&](DWORD s, int item) {
        ExpectedMessage e = From(header, NM_CUSTOMDRAW, item);
        e.flags |= kCheckStage;
        e.stage = s;
        if (s == CDDS_PREPAINT || s == CDDS_POSTPAINT)
            e.flags &= ~kCheckItem;
        return e;
    };
    EXPECT_TRUE(MatchesSequence(w.parent.Messages(),
                                {stage(CDDS_PREPAINT, 0), stage(CDDS_ITEMPREPAINT, 0), stage(CDDS_ITEMPREPAINT, 1),
                                 stage(CDDS_ITEMPREPAINT, 2), stage(CDDS_POSTPAINT, 0)}));
    const auto& messages = w.parent.Messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[2].rc, HeaderRect(1));
    // Every section was the parent's to draw: only the empty stretch after them is drawn.
    for (const DrawOp& op : dc.Of(DrawOp::Kind::HeaderSection))
        EXPECT_TRUE(op.section.text.empty()) << op.section.text;
}

} // namespace
