// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Where the list view says things are, against the platform control's
// recorded answers, one group per message: LVM_HITTEST and
// LVM_SUBITEMHITTEST, LVM_GETITEMPOSITION, LVM_GETSUBITEMRECT and
// LVM_GETITEMRECT. Rows are 17 pixels high below a 22-pixel header.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/image_list.h"
#include "support/control_spy.h"
#include "support/list_test_window.h"

namespace {

constexpr int kTop = 22;
constexpr int kRow = 17;

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

ExpectedMessage At(SpyWindow window, UINT message)
{
    ExpectedMessage e;
    e.window = window;
    e.message = message;
    return e;
}

void SetWidths(ListTestWindow& w, std::initializer_list<int> widths)
{
    int i = 0;
    for (int width : widths) {
        LVCOLUMNA column;
        column.mask = LVCF_WIDTH;
        column.cx = width;
        w.list.SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(i++), Arg(&column));
    }
}

RECT SubItemRect(ListTestWindow& w, int item, int subItem, int code, LRESULT* result)
{
    RECT rc{code, subItem, 0, 0};
    *result = w.list.SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), Arg(&rc));
    return rc;
}

RECT ItemRect(ListTestWindow& w, int item, int code)
{
    RECT rc{code, 0, 0, 0};
    EXPECT_TRUE(w.list.SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), Arg(&rc)));
    return rc;
}

// ---- LVM_HITTEST and LVM_SUBITEMHITTEST ---------------------------------

// Two columns of 100 pixels in a list 100 pixels wide, one item, as the platform's tests have it.
struct ListViewHitTest : ::testing::Test {
    ListTestWindow w{LVS_REPORT, 100, 100};
    static constexpr int kRowY = kTop + kRow / 2; // the middle of row 0
    static constexpr int kHeaderY = kRow / 2;     // inside the header, above row 0
    void SetUp() override
    {
        SetWidths(w, {100, 100});
        w.AddRow("a label of thirty characters..");
    }
    struct Case {
        POINT pt;
        bool sub;
        int item;
        int subItem; // LVM_HITTEST leaves the caller's value
        UINT flags;
    };
    void Check(const std::vector<Case>& cases)
    {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << (c.sub ? "LVM_SUBITEMHITTEST" : "LVM_HITTEST") << " at (" << c.pt.x
                                              << ", " << c.pt.y << ")");
            LVHITTESTINFO info;
            info.pt = c.pt;
            info.iSubItem = 10;
            const LRESULT item = w.list.SendMessage(c.sub ? LVM_SUBITEMHITTEST : LVM_HITTEST, 0, Arg(&info));
            EXPECT_EQ(item, c.item);
            EXPECT_EQ(info.iItem, c.item);
            EXPECT_EQ(info.iSubItem, c.sub ? c.subItem : 10);
            EXPECT_EQ(info.flags, c.flags);
        }
    }
};

TEST_F(ListViewHitTest, SubItemsAreFoundByTheHeadersColumnsNotTheClientArea)
{
    Check({
        {{-1, kRowY}, false, -1, 0, LVHT_TOLEFT},
        {{-1, kRowY}, true, -1, -1, LVHT_NOWHERE},
        {{52, kRowY}, false, 0, 0, LVHT_ONITEMLABEL},
        {{52, kRowY}, true, 0, 0, LVHT_ONITEMLABEL},
        // Column 1 lies right of the 100-pixel client area.
        {{152, kRowY}, false, -1, 0, LVHT_TORIGHT},
        {{152, kRowY}, true, 0, 1, LVHT_ONITEMLABEL},
        {{152, kHeaderY}, false, -1, 0, LVHT_TORIGHT},
        {{152, kHeaderY}, true, 0, 1, LVHT_ONITEMLABEL},
        // Past every column.
        {{502, kRowY}, false, -1, 0, LVHT_TORIGHT},
        {{502, kRowY}, true, -1, -1, LVHT_NOWHERE},
        {{502, kHeaderY}, true, -1, -1, LVHT_NOWHERE},
        // One row above the first item: no item, but still the column.
        {{152, kTop - kRow}, true, -1, 1, LVHT_NOWHERE},
        {{152, kTop - 2 * kRow + 1}, true, -1, 1, LVHT_NOWHERE},
        // Further up the platform answers negative row numbers; this control keeps to -1.
        {{152, kTop - 5 * kRow}, true, -1, 1, LVHT_NOWHERE},
        // Below the last row.
        {{52, kTop + 3 * kRow}, true, -1, 0, LVHT_NOWHERE},
    });
}

TEST_F(ListViewHitTest, InsideAWiderListOnlyFullRowSelectionMakesColumnOneTheItem)
{
    w.list.MoveWindow(RECT{0, 0, 300, 100});
    Check({
        {{152, kRowY}, false, -1, 0, LVHT_NOWHERE},
        {{152, kHeaderY}, false, -1, 0, LVHT_NOWHERE},
        {{152, kRowY}, true, 0, 1, LVHT_ONITEMLABEL},
        {{152, kHeaderY}, true, 0, 1, LVHT_ONITEMLABEL},
    });
    w.ctrl.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    Check({
        {{152, kRowY}, false, 0, 0, LVHT_ONITEM},
        {{152, kRowY}, true, 0, 1, LVHT_ONITEMLABEL},
        {{152, kHeaderY}, true, 0, 1, LVHT_ONITEMLABEL},
    });
    w.list.MoveWindow(RECT{0, 0, 100, 100});
    Check({
        {{152, kRowY}, false, -1, 0, LVHT_TORIGHT},
        {{152, kRowY}, true, 0, 1, LVHT_ONITEMLABEL},
        {{502, kRowY}, false, -1, 0, LVHT_TORIGHT},
        {{502, kRowY}, true, -1, -1, LVHT_NOWHERE},
    });
}

TEST_F(ListViewHitTest, TheStateIconAndTheIconAreFoundOnTheFirstColumn)
{
    CImageList images;
    images.Create(16, 16, ILC_COLOR32, 2, 0);
    w.ctrl.SetImageList(&images, LVSIL_STATE);
    const int x = 2 + 8;
    Check({
        {{x, kRowY}, false, 0, 0, LVHT_ONITEMSTATEICON},
        {{x, kRowY}, true, 0, 0, LVHT_ONITEMSTATEICON},
        {{x, kHeaderY}, true, 0, 0, LVHT_ONITEMSTATEICON},
    });
    w.ctrl.SetImageList(nullptr, LVSIL_STATE);
    w.ctrl.SetImageList(&images, LVSIL_SMALL);
    Check({
        {{x, kRowY}, false, 0, 0, LVHT_ONITEMICON},
        {{x, kRowY}, true, 0, 0, LVHT_ONITEMICON},
        {{x, kHeaderY}, true, 0, 0, LVHT_ONITEMICON},
    });
    w.ctrl.SetImageList(nullptr, LVSIL_SMALL);
}

// ---- LVM_GETITEMPOSITION -------------------------------------------------

TEST(ListViewGetItemPosition, ReportRowsStartTwoPixelsIntoColumnZeroWhereverItIsShown)
{
    ControlSpy spy;
    ListTestWindow w{LVS_REPORT};
    spy.Watch(w.parent);
    w.AddRow("foo");
    // Without columns the header is not asked.
    spy.Clear();
    POINT pt{-5, -5};
    ASSERT_TRUE(w.list.SendMessage(LVM_GETITEMPOSITION, 0, Arg(&pt)));
    EXPECT_TRUE(MatchesSequence(spy.All(), {At(SpyWindow::ListView, LVM_GETITEMPOSITION)}));

    SetWidths(w, {50, 100});
    spy.Clear();
    ASSERT_TRUE(w.list.SendMessage(LVM_GETITEMPOSITION, 0, Arg(&pt)));
    EXPECT_EQ(pt.x, 2);
    EXPECT_EQ(pt.y, kTop);
    EXPECT_TRUE(MatchesSequence(
        spy.All(), {At(SpyWindow::ListView, LVM_GETITEMPOSITION), At(SpyWindow::Header, HDM_GETITEMRECT)}));

    int order[2] = {1, 0};
    ASSERT_TRUE(w.ctrl.SetColumnOrderArray(2, order));
    ASSERT_TRUE(w.list.SendMessage(LVM_GETITEMPOSITION, 0, Arg(&pt)));
    EXPECT_EQ(pt.x, 102);
    w.AddRow("bar");
    ASSERT_TRUE(w.list.SendMessage(LVM_GETITEMPOSITION, 1, Arg(&pt)));
    EXPECT_EQ(pt, (POINT{102, kTop + kRow}));
}

// ---- LVM_GETSUBITEMRECT --------------------------------------------------

TEST(ListViewGetSubItemRect, ColumnCellsAreComputedForRowsThatDoNotExist)
{
    ControlSpy spy;
    ListTestWindow w{LVS_REPORT};
    spy.Watch(w.parent);
    SetWidths(w, {100, 150, 200});
    w.AddRow("foo");
    struct Case {
        int item;
        int subItem;
        LRESULT result;
        RECT rc; // when the result is TRUE
    };
    const std::vector<Case> cases = {
        {-1, 0, FALSE, {}},
        {-1, 1, TRUE, {100, kTop - kRow, 250, kTop}},
        {-1, 2, TRUE, {250, kTop - kRow, 450, kTop}},
        {0, 1, TRUE, {100, kTop, 250, kTop + kRow}},
        {-10, 1, TRUE, {100, kTop - 10 * kRow, 250, kTop - 9 * kRow}},
        {20, 1, TRUE, {100, kTop + 20 * kRow, 250, kTop + 21 * kRow}},
        {1, 0, FALSE, {}},
        {20, 0, FALSE, {}},
        {0, 3, FALSE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "item " << c.item << " sub-item " << c.subItem);
        spy.Clear();
        LRESULT result = 0;
        const RECT rc = SubItemRect(w, c.item, c.subItem, LVIR_BOUNDS, &result);
        EXPECT_EQ(result, c.result);
        if (c.result) {
            EXPECT_EQ(rc, c.rc);
        }
        if (c.subItem == 1) {
            // One question to the header per call.
            EXPECT_TRUE(MatchesSequence(
                spy.All(), {At(SpyWindow::ListView, LVM_GETSUBITEMRECT), At(SpyWindow::Header, HDM_GETITEMRECT)}));
        }
    }
    // A column's cell has no padding and no icon space.
    LRESULT result = 0;
    EXPECT_EQ(SubItemRect(w, 0, 1, LVIR_ICON, &result), (RECT{100, kTop, 100, kTop + kRow}));
    EXPECT_EQ(SubItemRect(w, 0, 1, LVIR_LABEL, &result), (RECT{100, kTop, 250, kTop + kRow}));
    // Scrolled sideways the cells move with the columns.
    ASSERT_TRUE(w.list.SendMessage(LVM_SCROLL, 10, 0));
    EXPECT_EQ(SubItemRect(w, 0, 1, LVIR_BOUNDS, &result), (RECT{90, kTop, 240, kTop + kRow}));
}

TEST(ListViewGetSubItemRect, ColumnsFollowTheDisplayOrderAndRowZeroSpansThemAll)
{
    ListTestWindow w{LVS_REPORT, 700};
    SetWidths(w, {100, 200, 300});
    w.AddRow("a");
    w.AddRow("b");
    LRESULT result = 0;
    const RECT one = SubItemRect(w, 1, 1, LVIR_BOUNDS, &result);
    ASSERT_TRUE(result);
    const RECT past = SubItemRect(w, 2, 1, LVIR_BOUNDS, &result);
    ASSERT_TRUE(result);
    EXPECT_EQ(past, (RECT{one.left, one.bottom, one.right, 2 * one.bottom - one.top}));

    int order[3] = {1, 0, 2};
    ASSERT_TRUE(w.ctrl.SetColumnOrderArray(3, order));
    EXPECT_EQ(SubItemRect(w, 0, 0, LVIR_BOUNDS, &result), (RECT{0, kTop, 600, kTop + kRow}));
    EXPECT_EQ(SubItemRect(w, 0, 1, LVIR_BOUNDS, &result), (RECT{0, kTop, 200, kTop + kRow}));
    EXPECT_EQ(SubItemRect(w, 1, 1, LVIR_BOUNDS, &result), (RECT{0, kTop + kRow, 200, kTop + 2 * kRow}));
    EXPECT_EQ(SubItemRect(w, 0, 2, LVIR_BOUNDS, &result), (RECT{300, kTop, 600, kTop + kRow}));
}

// ---- LVM_GETITEMRECT -----------------------------------------------------

TEST(ListViewGetItemRect, PartsOfAReportRowFollowImagesIndentAndColumnOrder)
{
    ListTestWindow w{LVS_REPORT};
    w.AddRow("");
    EXPECT_EQ(ItemRect(w, 0, LVIR_BOUNDS).right, 0) << "no columns";
    SetWidths(w, {50, 100});
    auto horizontal = [&](int code) {
        const RECT rc = ItemRect(w, 0, code);
        return std::make_pair(static_cast<int>(rc.left), static_cast<int>(rc.right));
    };
    using Span = std::pair<int, int>;
    EXPECT_EQ(horizontal(LVIR_BOUNDS), Span(0, 150));
    EXPECT_EQ(horizontal(LVIR_SELECTBOUNDS).first, 2);
    EXPECT_EQ(horizontal(LVIR_LABEL), Span(2, 50));
    EXPECT_EQ(horizontal(LVIR_ICON), Span(2, 2));

    int order[2] = {1, 0};
    ASSERT_TRUE(w.ctrl.SetColumnOrderArray(2, order));
    EXPECT_EQ(horizontal(LVIR_BOUNDS), Span(0, 150));
    EXPECT_EQ(horizontal(LVIR_SELECTBOUNDS).first, 102);
    order[0] = 0;
    order[1] = 1;
    ASSERT_TRUE(w.ctrl.SetColumnOrderArray(2, order));

    CImageList images;
    images.Create(16, 16, ILC_COLOR32, 2, 0);
    w.ctrl.SetImageList(&images, LVSIL_STATE);
    w.ctrl.SetItemState(0, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    EXPECT_EQ(horizontal(LVIR_ICON), Span(18, 18));
    EXPECT_EQ(horizontal(LVIR_LABEL), Span(18, 50));

    w.ctrl.SetImageList(nullptr, LVSIL_STATE);
    w.ctrl.SetImageList(&images, LVSIL_SMALL);
    w.ctrl.SetItemState(0, 0, LVIS_STATEIMAGEMASK);
    LVITEMA item;
    item.mask = LVIF_IMAGE;
    item.iImage = 1;
    ASSERT_TRUE(w.list.SendMessage(LVM_SETITEMA, 0, Arg(&item)));
    EXPECT_EQ(horizontal(LVIR_ICON), Span(2, 18));
    EXPECT_EQ(horizontal(LVIR_LABEL), Span(18, 50));
    EXPECT_EQ(horizontal(LVIR_SELECTBOUNDS), Span(2, 50));

    item.mask = LVIF_INDENT;
    item.iIndent = 1;
    ASSERT_TRUE(w.list.SendMessage(LVM_SETITEMA, 0, Arg(&item)));
    EXPECT_EQ(horizontal(LVIR_BOUNDS), Span(0, 150));
    EXPECT_EQ(horizontal(LVIR_SELECTBOUNDS), Span(18, 50));
    EXPECT_EQ(horizontal(LVIR_LABEL), Span(34, 50));
    EXPECT_EQ(horizontal(LVIR_ICON), Span(18, 34));
    // A row is as high as the small item spacing says.
    const RECT bounds = ItemRect(w, 0, LVIR_BOUNDS);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(w.list.SendMessage(LVM_GETITEMSPACING, TRUE))), bounds.bottom - bounds.top);
    w.ctrl.SetImageList(nullptr, LVSIL_SMALL);
}

} // namespace
