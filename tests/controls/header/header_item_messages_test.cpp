// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Header messages against the platform control's recorded answers, one group
// per message: what HDM_INSERTITEM stores and which format bits it sets by
// itself, HDM_GETITEM with unknown mask bits, item orders through
// HDM_INSERTITEM / HDM_SETITEM / HDM_DELETEITEM, the repair of bad arrays
// in HDM_SETORDERARRAY, and HDM_HITTEST at the dividers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/common_controls.h"
#include "framework/commctrl.h"
#include "support/message_recorder.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

struct HeaderMessagesTest : ::testing::Test {
    MessageRecorder parent;
    CWnd header;
    static constexpr int kHeight = 22;
    void SetUp() override
    {
        InitCommonControls();
        parent.CreateEx(0, "", 0, RECT{0, 0, 700, 300}, nullptr, 0);
        header.CreateEx(0, "SysHeader32", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, RECT{0, 0, 670, kHeight}, &parent, 9);
        parent.headers.insert(&header);
    }
    int Insert(int index, HDITEMA item)
    {
        return static_cast<int>(header.SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(index), Arg(&item)));
    }
    int Count() { return static_cast<int>(header.SendMessage(HDM_GETITEMCOUNT)); }
    HDITEMA Get(int index, UINT mask)
    {
        HDITEMA item;
        item.mask = mask;
        EXPECT_TRUE(header.SendMessage(HDM_GETITEMA, static_cast<WPARAM>(index), Arg(&item)));
        return item;
    }
    void AddPlain(int count)
    {
        for (int i = 0; i < count; ++i) {
            HDITEMA item;
            item.mask = HDI_WIDTH | HDI_LPARAM;
            item.cxy = 80;
            item.lParam = i;
            Insert(Count(), item);
        }
    }
    std::vector<int> Order()
    {
        std::vector<int> order(static_cast<std::size_t>(Count()));
        EXPECT_TRUE(header.SendMessage(HDM_GETORDERARRAY, order.size(), Arg(order.data())));
        return order;
    }
    BOOL SetOrder(std::vector<int> order)
    {
        return static_cast<BOOL>(header.SendMessage(HDM_SETORDERARRAY, order.size(), Arg(order.data())));
    }
};

// ---- HDM_INSERTITEM -----------------------------------------------------

TEST_F(HeaderMessagesTest, AnItemWithAnEmptyMaskIsRefused)
{
    static char text[] = "ABC";
    HDITEMA item;
    item.cxy = 200;
    item.pszText = text;
    item.lParam = 17;
    EXPECT_EQ(Insert(0, item), -1);
    EXPECT_EQ(Count(), 0);
    item.mask = HDI_LPARAM;
    EXPECT_EQ(Insert(0, item), 0);
    EXPECT_EQ(Count(), 1);
}

TEST_F(HeaderMessagesTest, WidthParamAndFormatAreStoredEvenOutsideTheMask)
{
    static char text[] = "Test";
    static char bitmap = 0;
    struct Case {
        const char* what;
        UINT insertMask;
        UINT readMask;
        bool stored;
    };
    const std::vector<Case> cases = {
        {"width", HDI_TEXT, HDI_WIDTH, true},   {"lParam", HDI_TEXT, HDI_LPARAM, true},
        {"format", HDI_TEXT, HDI_FORMAT, true}, {"bitmap", HDI_TEXT, HDI_BITMAP, false},
        {"text", HDI_IMAGE, HDI_TEXT, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HDITEMA item;
        item.mask = c.insertMask;
        item.cxy = 100;
        item.pszText = text;
        item.lParam = 0x12345678;
        item.fmt = HDF_STRING | HDF_CENTER;
        item.hbm = &bitmap;
        item.iImage = 17;
        ASSERT_EQ(Insert(0, item), 0);
        char buffer[16] = "";
        HDITEMA read;
        read.mask = c.readMask;
        read.pszText = buffer;
        read.cchTextMax = sizeof buffer;
        ASSERT_TRUE(header.SendMessage(HDM_GETITEMA, 0, Arg(&read)));
        switch (c.readMask) {
        case HDI_WIDTH:
            EXPECT_EQ(read.cxy, 100);
            break;
        case HDI_LPARAM:
            EXPECT_EQ(read.lParam, 0x12345678);
            break;
        case HDI_FORMAT:
            EXPECT_EQ(read.fmt, HDF_STRING | HDF_CENTER);
            break;
        case HDI_BITMAP:
            EXPECT_EQ(read.hbm, nullptr);
            break;
        default:
            EXPECT_EQ(std::string(buffer), "");
            break;
        }
        ASSERT_TRUE(header.SendMessage(HDM_DELETEITEM, 0));
    }
}

TEST_F(HeaderMessagesTest, TheFormatFollowsWhatTheItemHas)
{
    static char text[] = "Test";
    static char bitmap = 0;
    struct Case {
        const char* what;
        UINT mask;
        int fmt;
        void* hbm;
        int expected;
    };
    const std::vector<Case> cases = {
        {"text sets HDF_STRING", HDI_TEXT | HDI_WIDTH | HDI_FORMAT, HDF_CENTER, nullptr, HDF_STRING | HDF_CENTER},
        {"no text clears HDF_STRING", HDI_WIDTH | HDI_FORMAT, HDF_CENTER | HDF_STRING, nullptr, HDF_CENTER},
        {"a bitmap sets HDF_BITMAP", HDI_BITMAP | HDI_WIDTH | HDI_FORMAT, HDF_CENTER, &bitmap, HDF_BITMAP | HDF_CENTER},
        {"a null bitmap clears it", HDI_BITMAP | HDI_WIDTH | HDI_FORMAT, HDF_CENTER | HDF_BITMAP, nullptr, HDF_CENTER},
        {"no bitmap clears it", HDI_WIDTH | HDI_FORMAT, HDF_CENTER | HDF_BITMAP, &bitmap, HDF_CENTER},
        {"an image sets HDF_IMAGE", HDI_IMAGE | HDI_WIDTH | HDI_FORMAT, HDF_CENTER, nullptr, HDF_IMAGE | HDF_CENTER},
        {"no image keeps HDF_IMAGE", HDI_WIDTH | HDI_FORMAT, HDF_CENTER | HDF_IMAGE, nullptr, HDF_CENTER | HDF_IMAGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HDITEMA item;
        item.mask = c.mask;
        item.pszText = text;
        item.cxy = 100;
        item.fmt = c.fmt;
        item.hbm = c.hbm;
        item.iImage = 17;
        ASSERT_EQ(Insert(0, item), 0);
        EXPECT_EQ(Get(0, HDI_FORMAT).fmt, c.expected);
        ASSERT_TRUE(header.SendMessage(HDM_DELETEITEM, 0));
    }
}

// ---- HDM_GETITEM --------------------------------------------------------

TEST_F(HeaderMessagesTest, AnUnknownMaskBitLimitsAReadToTheOldestFields)
{
    constexpr UINT kUnknown = 0x08000000;
    HDITEMA item;
    item.mask = kUnknown | HDI_LPARAM | HDI_IMAGE;
    item.lParam = 133;
    item.iImage = 17;
    ASSERT_EQ(Insert(0, item), 0);
    HDITEMA read = Get(0, HDI_LPARAM | HDI_IMAGE);
    EXPECT_EQ(read.lParam, 133);
    EXPECT_EQ(read.iImage, 17);
    read = Get(0, kUnknown | HDI_LPARAM | HDI_IMAGE);
    EXPECT_EQ(read.lParam, 133);
    EXPECT_EQ(read.iImage, 0);
}

// ---- Item orders --------------------------------------------------------

TEST_F(HeaderMessagesTest, OrdersFollowInsertsWithAndWithoutAPlaceSetsAndDeletes)
{
    auto check = [&](const std::vector<int>& ids, const std::vector<int>& orders) {
        ASSERT_EQ(Count(), static_cast<int>(ids.size()));
        for (int i = 0; i < Count(); ++i) {
            SCOPED_TRACE(i);
            const HDITEMA item = Get(i, HDI_LPARAM | HDI_ORDER);
            EXPECT_EQ(item.lParam, ids[static_cast<std::size_t>(i)]);
            EXPECT_EQ(item.iOrder, orders[static_cast<std::size_t>(i)]);
        }
    };
    static char text[] = "test";
    HDITEMA item;
    item.mask = HDI_TEXT | HDI_LPARAM;
    item.pszText = text;
    const int at1[] = {0, 1, 1, 0, 4};
    for (int i = 0; i < 5; ++i) {
        item.lParam = i;
        Insert(at1[i], item);
    }
    {
        SCOPED_TRACE("insert without an order");
        check({3, 0, 2, 1, 4}, {0, 1, 2, 3, 4});
    }
    item.mask |= HDI_ORDER;
    const int orders2[] = {4, 5, 6, 7, 4};
    const int at2[] = {5, 5, 1, 6, 1};
    for (int i = 0; i < 5; ++i) {
        item.lParam = i + 5;
        item.iOrder = orders2[i];
        Insert(at2[i], item);
    }
    {
        SCOPED_TRACE("insert with an order");
        check({3, 9, 7, 0, 2, 1, 4, 8, 6, 5}, {0, 4, 7, 1, 2, 3, 9, 8, 6, 5});
    }
    const int setAt[] = {1, 5, 2, 7, 6, 1, 4, 2, 3, 2};
    const int setOrder[] = {7, 8, 5, 6, 7, 2, 1, 9, 10, 10};
    HDITEMA order;
    order.mask = HDI_ORDER;
    for (int i = 0; i < 10; ++i) {
        order.iOrder = setOrder[i];
        header.SendMessage(HDM_SETITEMA, static_cast<WPARAM>(setAt[i]), Arg(&order));
    }
    {
        SCOPED_TRACE("set with orders, some out of range");
        check({3, 9, 7, 0, 2, 1, 4, 8, 6, 5}, {0, 3, 9, 2, 1, 8, 7, 6, 5, 4});
    }
    for (int index : {2, 8, 3, 4, 0})
        header.SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(index));
    {
        SCOPED_TRACE("delete");
        check({9, 0, 1, 8, 6}, {1, 0, 4, 3, 2});
    }
}

// ---- HDM_SETORDERARRAY --------------------------------------------------

TEST_F(HeaderMessagesTest, BadOrderArraysAreRepairedFromThePreviousOrder)
{
    struct Case {
        std::vector<int> start;
        std::vector<int> set;
        std::vector<int> expected;
    };
    const std::vector<Case> cases = {
        {{1, 2, 0}, {1, 0, 3}, {1, 0, 2}},
        {{1, 0, 2}, {3, 0, 1}, {0, 2, 1}},
        {{0, 2, 1}, {2, 3, 1}, {2, 0, 1}},
        {{0, 1, 2}, {0, 2, 2}, {0, 1, 2}},
        {{0, 1, 2, 3}, {0, 1, 2, 2}, {0, 1, 3, 2}},
        {{0, 1, 2, 3}, {0, 1, 3, 3}, {0, 1, 2, 3}},
        {{0, 1, 2, 3}, {0, 4, 2, 3}, {0, 1, 2, 3}},
        {{0, 1, 2, 3}, {4, 0, 1, 2}, {0, 1, 3, 2}},
        {{0, 1, 3, 2}, {4, 0, 1, 4}, {0, 3, 1, 2}},
        {{0, 1, 2, 3}, {4, 1, 0, 2}, {1, 0, 3, 2}},
        {{0, 1, 2, 3}, {0, 1, 4, 2}, {0, 1, 3, 2}},
        {{0, 1, 2, 3}, {4, 4, 4, 4}, {0, 1, 2, 3}},
        {{0, 1, 2, 3}, {4, 4, 1, 2}, {0, 1, 3, 2}},
        {{0, 1, 2, 3}, {4, 4, 4, 1}, {0, 2, 3, 1}},
        {{0, 1, 2, 3}, {1, 4, 4, 4}, {1, 0, 2, 3}},
        {{0, 1, 2, 3}, {4, 2, 4, 1}, {0, 2, 3, 1}},
        {{0, 1, 2, 3}, {4, 2, 0, 1}, {2, 0, 3, 1}},
        {{3, 2, 1, 0}, {4, 2, 0, 1}, {3, 2, 0, 1}},
        {{0, 1, 2, 3}, {-1, 3, -7, 0}, {3, 1, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.start) + " then " + ::testing::PrintToString(c.set));
        while (Count() < static_cast<int>(c.start.size()))
            AddPlain(1);
        ASSERT_TRUE(SetOrder(c.start));
        ASSERT_EQ(Order(), c.start);
        EXPECT_TRUE(SetOrder(c.set));
        EXPECT_EQ(Order(), c.expected);
    }
}

TEST_F(HeaderMessagesTest, AnOrderArrayOfTheWrongSizeIsStillRefused)
{
    AddPlain(3);
    EXPECT_FALSE(SetOrder({1, 0}));
    EXPECT_FALSE(SetOrder({1, 0, 2, 3, 4}));
    EXPECT_FALSE(header.SendMessage(HDM_SETORDERARRAY, 3, 0));
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2}));
    // The rectangles follow a new order at once.
    ASSERT_TRUE(SetOrder({2, 0, 1}));
    RECT rc{};
    ASSERT_TRUE(header.SendMessage(HDM_GETITEMRECT, 0, Arg(&rc)));
    EXPECT_EQ(rc, (RECT{80, 0, 160, kHeight}));
    EXPECT_FALSE(header.SendMessage(HDM_GETITEMRECT, 10, Arg(&rc)));
}

// ---- HDM_HITTEST --------------------------------------------------------

TEST_F(HeaderMessagesTest, DividersAreFoundJustLeftOfEachBoundaryUnlessSizingIsOff)
{
    AddPlain(2);
    struct Case {
        POINT pt;
        int item;
        UINT flags;
    };
    auto check = [&](const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            for (WPARAM wParam : {WPARAM{0}, WPARAM{1}}) {
                SCOPED_TRACE(::testing::Message() << "(" << c.pt.x << ", " << c.pt.y << ") wParam " << wParam);
                HDHITTESTINFO info;
                info.pt = c.pt;
                EXPECT_EQ(header.SendMessage(HDM_HITTEST, wParam, Arg(&info)), c.item);
                EXPECT_EQ(info.iItem, c.item);
                EXPECT_EQ(info.flags, c.flags);
            }
        }
    };
    check({
        {{40, kHeight - 1}, 0, HHT_ONHEADER},
        {{79, kHeight - 1}, 0, HHT_ONDIVIDER},
        {{159, kHeight - 1}, 1, HHT_ONDIVIDER},
        {{160, kHeight + 1}, -1, HHT_BELOW},
        {{400, 5}, -1, HHT_NOWHERE},
    });
    // A fixed-width item has no divider; the message still sets its width.
    HDITEMA item;
    item.mask = HDI_FORMAT;
    item.fmt = HDF_FIXEDWIDTH;
    ASSERT_TRUE(header.SendMessage(HDM_SETITEMA, 0, Arg(&item)));
    check({{{79, 5}, 0, HHT_ONHEADER}});
    item.fmt = 0;
    ASSERT_TRUE(header.SendMessage(HDM_SETITEMA, 0, Arg(&item)));
    check({{{79, 5}, 0, HHT_ONDIVIDER}});
    // HDS_NOSIZING takes every divider away but leaves the items' formats alone.
    header.ModifyStyle(0, HDS_NOSIZING);
    check({{{79, 5}, 0, HHT_ONHEADER}, {{159, 5}, 1, HHT_ONHEADER}});
    EXPECT_EQ(Get(0, HDI_FORMAT).fmt & HDF_FIXEDWIDTH, 0);
    header.ModifyStyle(HDS_NOSIZING, 0);
    check({{{79, 5}, 0, HHT_ONDIVIDER}});
}

TEST_F(HeaderMessagesTest, WithSizingOffTheMouseCannotResize)
{
    AddPlain(1);
    header.ModifyStyle(0, HDS_NOSIZING);
    header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(79, 5));
    header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 5));
    header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(120, 5));
    EXPECT_EQ(Get(0, HDI_WIDTH).cxy, 80);
    EXPECT_TRUE(parent.OfCode(HDN_BEGINTRACKA).empty());
}

} // namespace
