// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Hit tests, rectangles, scrolling and icon arrangement of the list view.
// Report rows are 17 pixels high (16-pixel text plus one) below a 22-pixel header.
#include <gtest/gtest.h>

#include "controls/image_list.h"
#include "support/list_test_window.h"

namespace {

constexpr int kTop = 22;
constexpr int kRow = 17;

struct ListViewGeometryTest : ::testing::Test {
    ListTestWindow w{LVS_REPORT, 400, 300};
    void SetUp() override
    {
        w.AddColumns({100, 80, 60});
        for (int i = 0; i < 3; ++i)
            w.AddRow(("row" + std::to_string(i)).c_str(), {"x", "y"});
    }
    int Hit(POINT pt, UINT* flags, int* subItem = nullptr, bool sub = false)
    {
        LVHITTESTINFO info;
        info.pt = pt;
        info.iSubItem = 77;
        const int item = static_cast<int>(
            w.list.SendMessage(sub ? LVM_SUBITEMHITTEST : LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(info.iItem, item);
        *flags = info.flags;
        if (subItem)
            *subItem = info.iSubItem;
        return item;
    }
};

TEST_F(ListViewGeometryTest, HitTestAnswersLikeThePlatform)
{
    UINT flags = 0;
    int subItem = 0;
    EXPECT_EQ(Hit(POINT{50, kTop + kRow + 3}, &flags, &subItem), 1);
    EXPECT_EQ(flags, LVHT_ONITEMLABEL);
    EXPECT_EQ(subItem, 77) << "LVM_HITTEST does not write iSubItem";

    EXPECT_EQ(Hit(POINT{-1, kTop + 3}, &flags), -1);
    EXPECT_EQ(flags, LVHT_TOLEFT);
    EXPECT_EQ(Hit(POINT{150, kTop + 3}, &flags), -1);
    EXPECT_EQ(flags, LVHT_NOWHERE);
    EXPECT_EQ(Hit(POINT{50, kTop + 3 * kRow + 3}, &flags), -1);
    EXPECT_EQ(flags, LVHT_NOWHERE);
    EXPECT_EQ(Hit(POINT{50, 400}, &flags), -1);
    EXPECT_EQ(flags, LVHT_BELOW);

    w.ctrl.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_EQ(Hit(POINT{150, kTop + 3}, &flags), 0);
    EXPECT_EQ(flags, LVHT_ONITEM);
    // Past the last column the row ends even with full-row selection.
    EXPECT_EQ(Hit(POINT{300, kTop + 3}, &flags), -1);
}

TEST_F(ListViewGeometryTest, SubItemHitTestNamesTheColumnInDisplayOrder)
{
    UINT flags = 0;
    int subItem = -5;
    EXPECT_EQ(Hit(POINT{150, kTop + 2 * kRow + 1}, &flags, &subItem, true), 2);
    EXPECT_EQ(subItem, 1);
    int order[3] = {2, 1, 0};
    w.ctrl.SetColumnOrderArray(3, order);
    EXPECT_EQ(Hit(POINT{10, kTop + 1}, &flags, &subItem, true), 0);
    EXPECT_EQ(subItem, 2);
    EXPECT_EQ(Hit(POINT{200, kTop + 1}, &flags, &subItem, true), 0);
    EXPECT_EQ(subItem, 0);
    EXPECT_EQ(flags, LVHT_ONITEMLABEL);
}

TEST_F(ListViewGeometryTest, SubItemRectangles)
{
    RECT rc{};
    ASSERT_TRUE(w.ctrl.GetSubItemRect(1, 0, LVIR_BOUNDS, rc));
    EXPECT_EQ(rc, (RECT{0, kTop + kRow, 240, kTop + 2 * kRow})) << "sub-item 0 spans the whole row";
    ASSERT_TRUE(w.ctrl.GetSubItemRect(1, 2, LVIR_BOUNDS, rc));
    EXPECT_EQ(rc, (RECT{180, kTop + kRow, 240, kTop + 2 * kRow}));
    RECT label{};
    ASSERT_TRUE(w.ctrl.GetSubItemRect(1, 2, LVIR_LABEL, label));
    EXPECT_EQ(label, rc);
    ASSERT_TRUE(w.ctrl.GetSubItemRect(0, 0, LVIR_LABEL, rc));
    EXPECT_EQ(rc, (RECT{2, kTop, 100, kTop + kRow}));

    EXPECT_FALSE(w.ctrl.GetSubItemRect(-1, 0, LVIR_BOUNDS, rc));
    EXPECT_FALSE(w.ctrl.GetSubItemRect(0, 3, LVIR_BOUNDS, rc));
    EXPECT_FALSE(w.ctrl.GetSubItemRect(0, -1, LVIR_BOUNDS, rc));
    EXPECT_FALSE(w.ctrl.GetSubItemRect(3, 0, LVIR_BOUNDS, rc));
    // A column's cell is computed even for a row past the end.
    ASSERT_TRUE(w.ctrl.GetSubItemRect(3, 1, LVIR_BOUNDS, rc));
    EXPECT_EQ(rc, (RECT{100, kTop + 3 * kRow, 180, kTop + 4 * kRow}));
    EXPECT_FALSE(w.ctrl.GetSubItemRect(0, 1, 99, rc));

    // Moving a column moves its cells.
    int order[3] = {2, 0, 1};
    w.ctrl.SetColumnOrderArray(3, order);
    ASSERT_TRUE(w.ctrl.GetSubItemRect(1, 2, LVIR_BOUNDS, rc));
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.right, 60);

    w.list.ModifyStyle(LVS_TYPEMASK, LVS_ICON);
    EXPECT_FALSE(w.ctrl.GetSubItemRect(1, 1, LVIR_BOUNDS, rc));
}

TEST_F(ListViewGeometryTest, SmallIconsShiftTheLabel)
{
    CImageList small;
    small.Create(16, 16, ILC_COLOR32, 0, 1);
    w.ctrl.SetImageList(&small, static_cast<int>(LVSIL_SMALL));
    RECT icon{};
    RECT label{};
    ASSERT_TRUE(w.ctrl.GetItemRect(0, &icon, LVIR_ICON));
    ASSERT_TRUE(w.ctrl.GetItemRect(0, &label, LVIR_LABEL));
    EXPECT_EQ(icon.left, 2);
    EXPECT_EQ(icon.right, 18);
    EXPECT_EQ(label.left, 18);
    UINT flags = 0;
    EXPECT_EQ(Hit(POINT{10, kTop + 3}, &flags), 0);
    EXPECT_EQ(flags, LVHT_ONITEMICON);
}

TEST_F(ListViewGeometryTest, TopIndexPageAndEnsureVisible)
{
    // 22 + 10 * 17 = 192: ten whole rows fit.
    ListTestWindow w{LVS_REPORT, 300, 200};
    w.AddColumns({100, 400});
    for (int i = 0; i < 50; ++i)
        w.AddRow(std::to_string(i).c_str());
    EXPECT_EQ(w.ctrl.GetCountPerPage(), 10);
    EXPECT_EQ(w.ctrl.GetTopIndex(), 0);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(w.list.GetScrollInfo(SB_VERT, &si));
    EXPECT_EQ(si.nMax, 49);
    EXPECT_EQ(si.nPage, 10u);

    ASSERT_TRUE(w.ctrl.EnsureVisible(25, FALSE));
    EXPECT_EQ(w.ctrl.GetTopIndex(), 16);
    RECT rc{};
    ASSERT_TRUE(w.ctrl.GetItemRect(25, &rc, LVIR_BOUNDS));
    EXPECT_EQ(rc.top, kTop + 9 * kRow);

    w.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120));
    EXPECT_EQ(w.ctrl.GetTopIndex(), 13);
    w.list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    EXPECT_EQ(w.ctrl.GetTopIndex(), 40);
    w.list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5));
    EXPECT_EQ(w.ctrl.GetTopIndex(), 5);
    w.list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    EXPECT_EQ(w.ctrl.GetTopIndex(), 14);

    // Sideways the header moves with the columns.
    w.list.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50));
    ASSERT_TRUE(w.ctrl.GetItemRect(20, &rc, LVIR_BOUNDS));
    EXPECT_EQ(rc.left, -50);
    EXPECT_EQ(w.Header()->GetWindowRectInParent().left, -50);
    w.list.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5000));
    EXPECT_EQ(w.list.GetScrollPos(SB_HORZ), 200);
}

TEST_F(ListViewGeometryTest, ArrangedInRowsAndSwitchingViewsTakesEffectAtOnce)
{
    ListTestWindow w{LVS_ICON | LVS_AUTOARRANGE, 240, 300};
    EXPECT_EQ(w.Header(), nullptr) << "no header outside report view until a column needs one";
    for (int i = 0; i < 5; ++i)
        w.AddRow(("icon" + std::to_string(i)).c_str());
    const LRESULT spacing = w.list.SendMessage(LVM_GETITEMSPACING, 0);
    const int cx = LOWORD(static_cast<std::uintptr_t>(spacing));
    const int cy = HIWORD(static_cast<std::uintptr_t>(spacing));
    ASSERT_EQ(cx, 75);
    POINT p{};
    ASSERT_TRUE(w.ctrl.GetItemPosition(4, &p));
    // Three icons fit across 240 pixels.
    EXPECT_EQ(p.x, cx);
    EXPECT_EQ(p.y, cy);
    RECT icon{};
    ASSERT_TRUE(w.ctrl.GetItemRect(1, &icon, LVIR_ICON));
    UINT flags = 0;
    EXPECT_EQ(w.ctrl.HitTest(POINT{icon.left + 4, icon.top + 4}, &flags), 1);
    EXPECT_EQ(flags, LVHT_ONITEMICON);
    EXPECT_EQ(w.ctrl.GetNextItem(1, LVNI_BELOW), 4);
    EXPECT_EQ(w.ctrl.GetNextItem(1, LVNI_TORIGHT), 2);

    // Without auto-arrange the icons keep their places.
    w.list.ModifyStyle(LVS_AUTOARRANGE, 0);
    ASSERT_TRUE(w.ctrl.GetItemPosition(4, &p));
    EXPECT_EQ(p, (POINT{cx, cy}));
    w.AddRow("icon5");
    ASSERT_TRUE(w.ctrl.GetItemPosition(5, &p));
    EXPECT_EQ(p, (POINT{2 * cx, cy}));

    w.list.ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
    ASSERT_NE(w.Header(), nullptr);
    w.AddColumns({120});
    RECT rc{};
    ASSERT_TRUE(w.ctrl.GetItemRect(4, &rc, LVIR_BOUNDS));
    EXPECT_EQ(rc.top, kTop + 4 * kRow);

    w.list.ModifyStyle(LVS_TYPEMASK, LVS_SMALLICON);
    ASSERT_TRUE(w.ctrl.GetItemRect(0, &rc, LVIR_BOUNDS));
    EXPECT_EQ(rc.top, 0);
    EXPECT_FALSE(w.Header()->GetStyle() & WS_VISIBLE);
}

TEST_F(ListViewGeometryTest, WithoutAutoArrangeIconsStayWhereTheyWerePutUntilArranged)
{
    ListTestWindow w{LVS_ICON, 400, 300};
    w.AddRow("a");
    w.AddRow("b");
    ASSERT_TRUE(w.list.SendMessage(LVM_SETITEMPOSITION, 0, MAKELPARAM(200, 150)));
    POINT p{};
    w.ctrl.GetItemPosition(0, &p);
    EXPECT_EQ(p, (POINT{200, 150}));
    // Adding the auto-arrange style arranges at once.
    w.list.ModifyStyle(0, LVS_AUTOARRANGE);
    w.ctrl.GetItemPosition(0, &p);
    EXPECT_EQ(p, (POINT{0, 0}));
}

} // namespace
