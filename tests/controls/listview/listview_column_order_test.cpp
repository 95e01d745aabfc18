// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The column order array: the list view hands it to its header, which holds
// the order; seen through the control spy, message by message.
#include <gtest/gtest.h>

#include "support/control_spy.h"
#include "support/list_test_window.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

ExpectedMessage At(SpyWindow window, UINT message, WPARAM wParam, unsigned flags = kCheckWParam)
{
    ExpectedMessage e;
    e.window = window;
    e.message = message;
    e.wParam = wParam;
    e.flags = flags;
    return e;
}

struct ListViewColumnOrderTest : ::testing::Test {
    ControlSpy spy; // first, so that the list and its header are made spied
    ListTestWindow w{LVS_REPORT, 400, 300, LVS_EX_HEADERDRAGDROP};
    void SetUp() override
    {
        w.AddColumns({100, 80, 60});
        spy.Watch(w.parent);
        spy.Clear();
    }
};

TEST_F(ListViewColumnOrderTest, SetOrderArrayReachesTheHeaderAsItsOwnMessageWithTheSameArray)
{
    int order[3] = {2, 0, 1};
    ASSERT_EQ(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, Arg(order)), 1);
    ExpectedMessage toHeader = At(SpyWindow::Header, HDM_SETORDERARRAY, 3, kCheckWParam | kCheckOrderArray);
    toHeader.orderArray = {2, 0, 1};
    EXPECT_TRUE(MatchesSequence(spy.All(), {At(SpyWindow::ListView, LVM_SETCOLUMNORDERARRAY, 3), toHeader}));

    // Reading it back asks the header too, with the caller's count.
    spy.Clear();
    int back[3] = {};
    ASSERT_EQ(w.list.SendMessage(LVM_GETCOLUMNORDERARRAY, 3, Arg(back)), 1);
    EXPECT_EQ(std::vector<int>(back, back + 3), std::vector<int>({2, 0, 1}));
    EXPECT_TRUE(MatchesSequence(
        spy.All(), {At(SpyWindow::ListView, LVM_GETCOLUMNORDERARRAY, 3), At(SpyWindow::Header, HDM_GETORDERARRAY, 3)}));
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNORDERARRAY, 2, Arg(back)), 0);

    // The header already reports the new places.
    RECT rc{};
    ASSERT_TRUE(w.Header()->SendMessage(HDM_GETITEMRECT, 0, Arg(&rc)));
    EXPECT_EQ(rc.left, 60);
    EXPECT_EQ(rc.right, 160);
}

TEST_F(ListViewColumnOrderTest, ACountOfZeroOrNoArrayIsRefusedByTheHeaderNotByTheList)
{
    // The list passes every request on, as the platform control does; the header refuses.
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 0, 0), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNORDERARRAY, 0, 0), 0);
    int order[3] = {2, 0, 1};
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, 0), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 2, Arg(order)), 0);
    EXPECT_TRUE(
        MatchesSequence(spy.Of(SpyWindow::Header),
                        {At(SpyWindow::Header, HDM_SETORDERARRAY, 0), At(SpyWindow::Header, HDM_GETORDERARRAY, 0),
                         At(SpyWindow::Header, HDM_SETORDERARRAY, 3), At(SpyWindow::Header, HDM_SETORDERARRAY, 2)}));
    int back[3] = {};
    ASSERT_EQ(w.list.SendMessage(LVM_GETCOLUMNORDERARRAY, 3, Arg(back)), 1);
    EXPECT_EQ(std::vector<int>(back, back + 3), std::vector<int>({0, 1, 2}));
}

TEST_F(ListViewColumnOrderTest, AHeaderClickTravelsFromTheHeaderThroughTheListToTheParent)
{
    CWnd* header = w.Header();
    RECT rc{};
    header->SendMessage(HDM_GETITEMRECT, 1, Arg(&rc));
    spy.Clear();
    const LPARAM pt = MAKELPARAM(rc.left + 20, 5);
    header->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, pt);
    header->SendMessage(WM_LBUTTONUP, 0, pt);
    ExpectedMessage columnClick;
    columnClick.code = LVN_COLUMNCLICK;
    columnClick.flags = kCheckItem | kCheckSubItem;
    columnClick.item = -1;
    columnClick.subItem = 1;
    ExpectedMessage headerClick;
    headerClick.code = HDN_ITEMCLICKA;
    headerClick.flags = kCheckItem;
    headerClick.item = 1;
    // The header tells the list view (WM_NOTIFY), which tells its parent in its own words, then in the header's.
    EXPECT_TRUE(MatchesSequence(spy.All(), {At(SpyWindow::Header, WM_LBUTTONDOWN, MK_LBUTTON),
                                            At(SpyWindow::Header, WM_MOUSEMOVE, 0, kOptional),
                                            At(SpyWindow::Header, WM_LBUTTONUP, 0),
                                            At(SpyWindow::ListView, WM_NOTIFY, 0, 0), columnClick, headerClick}));
}

} // namespace
