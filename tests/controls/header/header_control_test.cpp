// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The header control on its own: items, orders, rectangles, notifications
// around changes, and what the mouse does.
#include <gtest/gtest.h>

#include "controls/common_controls.h"
#include "framework/commctrl.h"
#include "support/message_recorder.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

struct HeaderControlTest : ::testing::Test {
    MessageRecorder parent;
    CWnd header;
    void SetUp() override
    {
        InitCommonControls();
        parent.CreateEx(0, "", 0, RECT{0, 0, 500, 300}, nullptr, 0);
        header.CreateEx(0, "SysHeader32", WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_FULLDRAG, RECT{0, 0, 400, 22},
                        &parent, 9);
        parent.headers.insert(&header);
        for (int width : {100, 80, 60})
            Insert(99, width);
        parent.Clear();
    }
    int Insert(int index, int width, int order = -1)
    {
        HDITEMA hi;
        hi.mask = HDI_WIDTH;
        hi.cxy = width;
        if (order >= 0) {
            hi.mask |= HDI_ORDER;
            hi.iOrder = order;
        }
        return static_cast<int>(header.SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(index), Arg(&hi)));
    }
    std::vector<int> Order()
    {
        std::vector<int> order(static_cast<std::size_t>(header.SendMessage(HDM_GETITEMCOUNT)));
        header.SendMessage(HDM_GETORDERARRAY, order.size(), Arg(order.data()));
        return order;
    }
    void Mouse(UINT message, int x) { header.SendMessage(message, 0, MAKELPARAM(x, 5)); }
    std::vector<UINT> Codes()
    {
        std::vector<UINT> codes;
        for (const RecordedMessage& m : parent.Messages())
            codes.push_back(m.code);
        return codes;
    }
};

TEST_F(HeaderControlTest, ItemsOutOfRangeAreRefused)
{
    HDITEMA hi;
    hi.mask = HDI_WIDTH;
    for (WPARAM bad : {WPARAM{99}, static_cast<WPARAM>(-2), WPARAM{3}}) {
        EXPECT_EQ(header.SendMessage(HDM_GETITEMA, bad, Arg(&hi)), 0);
        EXPECT_EQ(header.SendMessage(HDM_SETITEMA, bad, Arg(&hi)), 0);
        EXPECT_EQ(header.SendMessage(HDM_DELETEITEM, bad), 0);
        RECT rc;
        EXPECT_EQ(header.SendMessage(HDM_GETITEMRECT, bad, Arg(&rc)), 0);
    }
    EXPECT_TRUE(parent.Messages().empty());
    EXPECT_EQ(Insert(-1, 10), -1);
    EXPECT_EQ(header.SendMessage(HDM_INSERTITEMA, 0, 0), -1);
}

TEST_F(HeaderControlTest, OrdersFollowInsertionsDeletionsAndExplicitPlaces)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(header.SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(i)), i);
    // A new item at index 1 shown first.
    EXPECT_EQ(Insert(1, 40, 0), 1);
    EXPECT_EQ(Order(), std::vector<int>({1, 0, 2, 3}));
    HDITEMA hi;
    hi.mask = HDI_ORDER;
    ASSERT_TRUE(header.SendMessage(HDM_GETITEMA, 0, Arg(&hi)));
    EXPECT_EQ(hi.iOrder, 1);
    ASSERT_TRUE(header.SendMessage(HDM_DELETEITEM, 1));
    EXPECT_EQ(Order(), std::vector<int>({0, 1, 2}));
}

TEST_F(HeaderControlTest, OrderArraysMustHaveTheRightSizeAndRectanglesFollowThem)
{
    int order[3] = {2, 0, 1};
    EXPECT_EQ(header.SendMessage(HDM_SETORDERARRAY, 2, Arg(order)), 0);
    EXPECT_EQ(header.SendMessage(HDM_SETORDERARRAY, 4, Arg(order)), 0);
    // A duplicate is not refused: the array is applied entry by entry.
    int duplicate[3] = {0, 0, 1};
    EXPECT_EQ(header.SendMessage(HDM_SETORDERARRAY, 3, Arg(duplicate)), 1);
    EXPECT_EQ(Order(), std::vector<int>({0, 2, 1}));
    ASSERT_EQ(header.SendMessage(HDM_SETORDERARRAY, 3, Arg(order)), 1);
    int small[2];
    EXPECT_EQ(header.SendMessage(HDM_GETORDERARRAY, 2, Arg(small)), 0);
    EXPECT_EQ(header.SendMessage(HDM_ORDERTOINDEX, 0), 2);
    RECT rc{};
    ASSERT_TRUE(header.SendMessage(HDM_GETITEMRECT, 1, Arg(&rc)));
    EXPECT_EQ(rc, (RECT{160, 0, 240, 22}));
}

TEST_F(HeaderControlTest, SetItemAsksFirstAndARefusalCancels)
{
    HDITEMA hi;
    hi.mask = HDI_WIDTH;
    hi.cxy = 55;
    ASSERT_TRUE(header.SendMessage(HDM_SETITEMA, 1, Arg(&hi)));
    EXPECT_EQ(Codes(), std::vector<UINT>({HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA}));
    EXPECT_EQ(parent.Messages()[0].item, 1);
    EXPECT_EQ(parent.Messages()[0].width, 55);

    parent.Answer(HDN_ITEMCHANGINGA, TRUE);
    parent.Clear();
    hi.cxy = 99;
    EXPECT_FALSE(header.SendMessage(HDM_SETITEMA, 1, Arg(&hi)));
    EXPECT_EQ(Codes(), std::vector<UINT>({HDN_ITEMCHANGINGA}));
    hi.mask = HDI_WIDTH;
    parent.Answer(HDN_ITEMCHANGINGA, FALSE);
    header.SendMessage(HDM_GETITEMA, 1, Arg(&hi));
    EXPECT_EQ(hi.cxy, 55);
}

TEST_F(HeaderControlTest, HitTestFindsSectionsAndDividers)
{
    HDHITTESTINFO info;
    info.pt = POINT{50, 5};
    EXPECT_EQ(header.SendMessage(HDM_HITTEST, 0, Arg(&info)), 0);
    EXPECT_EQ(info.flags, HHT_ONHEADER);
    info.pt = POINT{102, 5};
    EXPECT_EQ(header.SendMessage(HDM_HITTEST, 0, Arg(&info)), 0);
    EXPECT_EQ(info.flags, HHT_ONDIVIDER);
    info.pt = POINT{300, 5};
    EXPECT_EQ(header.SendMessage(HDM_HITTEST, 0, Arg(&info)), -1);
    EXPECT_EQ(info.flags, HHT_NOWHERE);
    info.pt = POINT{-3, 5};
    EXPECT_EQ(header.SendMessage(HDM_HITTEST, 0, Arg(&info)), -1);
    EXPECT_EQ(info.flags, HHT_TOLEFT);
}

TEST_F(HeaderControlTest, ClickTrackAndDoubleClick)
{
    Mouse(WM_LBUTTONDOWN, 120);
    Mouse(WM_LBUTTONUP, 120);
    ASSERT_EQ(Codes(), std::vector<UINT>({HDN_ITEMCLICKA}));
    EXPECT_EQ(parent.Messages()[0].item, 1);

    parent.Clear();
    Mouse(WM_LBUTTONDOWN, 99);
    Mouse(WM_MOUSEMOVE, 110);
    Mouse(WM_LBUTTONUP, 110);
    // Full drag: the width changes while the divider moves.
    EXPECT_EQ(Codes(),
              std::vector<UINT>({HDN_BEGINTRACKA, HDN_TRACKA, HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA, HDN_ENDTRACKA}));
    EXPECT_EQ(parent.Messages().back().width, 111);

    parent.Clear();
    parent.Answer(HDN_BEGINTRACKA, TRUE);
    Mouse(WM_LBUTTONDOWN, 110);
    Mouse(WM_MOUSEMOVE, 150);
    Mouse(WM_LBUTTONUP, 150);
    EXPECT_EQ(Codes(), std::vector<UINT>({HDN_BEGINTRACKA}));

    parent.Clear();
    header.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(110, 5));
    ASSERT_EQ(Codes(), std::vector<UINT>({HDN_DIVIDERDBLCLICKA}));
    EXPECT_EQ(parent.Messages()[0].item, 0);
}

TEST_F(HeaderControlTest, DraggingASectionSendsEndDragInsteadOfAClick)
{
    header.ModifyStyle(0, HDS_DRAGDROP);
    Mouse(WM_LBUTTONDOWN, 20);
    Mouse(WM_MOUSEMOVE, 130);
    Mouse(WM_LBUTTONUP, 130);
    ASSERT_EQ(Codes(), std::vector<UINT>({HDN_BEGINDRAG, HDN_ENDDRAG}));
    EXPECT_EQ(parent.Messages()[1].order, 1);
    EXPECT_EQ(parent.Messages()[1].headerMask, HDI_ORDER);
    EXPECT_EQ(Order(), std::vector<int>({1, 0, 2}));

    // Refused at the start: the press is neither a drag nor a click.
    parent.Clear();
    parent.Answer(HDN_BEGINDRAG, TRUE);
    Mouse(WM_LBUTTONDOWN, 20);
    Mouse(WM_MOUSEMOVE, 130);
    Mouse(WM_LBUTTONUP, 20);
    EXPECT_EQ(Codes(), std::vector<UINT>({HDN_BEGINDRAG}));
    EXPECT_EQ(Order(), std::vector<int>({1, 0, 2}));
}

TEST_F(HeaderControlTest, LayoutGivesTheHeaderItsHeightUnlessHidden)
{
    RECT area{0, 0, 300, 200};
    WINDOWPOS pos;
    HDLAYOUT layout{&area, &pos};
    ASSERT_TRUE(header.SendMessage(HDM_LAYOUT, 0, Arg(&layout)));
    EXPECT_EQ(pos.cy, 22);
    EXPECT_EQ(pos.cx, 300);
    EXPECT_EQ(area.top, 22);
    header.ModifyStyle(0, HDS_HIDDEN);
    area = RECT{0, 0, 300, 200};
    header.SendMessage(HDM_LAYOUT, 0, Arg(&layout));
    EXPECT_EQ(pos.cy, 0);
    EXPECT_EQ(area.top, 0);
}

} // namespace
