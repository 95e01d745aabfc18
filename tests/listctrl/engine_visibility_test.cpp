// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Hiding and showing columns: the control loses and regains the column, the
// engine keeps its texts, width and place; the header's menu lists them all.
#include <gtest/gtest.h>

#include "support/engine_window.h"
#include "support/scripted_user.h"
#include "system/win_messages.h"

namespace {

struct EngineVisibilityTest : ::testing::Test {
    EngineWindow w;
    void SetUp() override
    {
        w.AddColumns({100, 80, 60, 50, 40});
        w.AddRow("alpha", {"a1", "a2", "a3", "a4"}, 10);
        w.AddRow("beta", {"b1", "b2", "b3", "b4"}, 20);
    }
    void ExpectSound() { EXPECT_EQ(w.list.CheckInvariants(), ""); }
};

TEST_F(EngineVisibilityTest, HidingTakesTheColumnOutOfTheControlAndRenumbersTheOnesRightOfIt)
{
    w.list.ShowColumn(3, false);
    EXPECT_FALSE(w.list.IsColumnVisible(3));
    EXPECT_EQ(w.ControlColumnCount(), 4);
    EXPECT_EQ(w.ControlHeading(3), "Col4");
    EXPECT_EQ(w.list.LogicalToPhysicalColumn(4), 3);
    EXPECT_EQ(w.list.PhysicalToLogicalColumn(3), 4);
    // The application still reads every cell by logical number.
    EXPECT_EQ(w.Text(1, 3), "b3");
    EXPECT_EQ(w.Text(1, 4), "b4");
    ExpectSound();
}

TEST_F(EngineVisibilityTest, ShownAgainAColumnComesBackWithItsPlaceWidthAndEveryText)
{
    int order[5] = {0, 3, 1, 2, 4};
    ASSERT_TRUE(w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 5, reinterpret_cast<LPARAM>(order)));
    w.list.SendMessage(LVM_SETCOLUMNWIDTH, 3, MAKELPARAM(77, 0));
    w.list.ShowColumn(3, false);
    // A row that arrives and a text that changes while the column is hidden.
    w.AddRow("gamma", {"c1", "c2", "c3", "c4"}, 30);
    w.ctrl.SetItemText(0, 3, "a3 again");
    w.list.ShowColumn(3, true);
    EXPECT_EQ(w.ControlColumnCount(), 5);
    EXPECT_EQ(w.ControlWidth(3), 77);
    EXPECT_EQ(w.ControlText(0, 3), "a3 again");
    EXPECT_EQ(w.ControlText(1, 3), "b3");
    EXPECT_EQ(w.ControlText(2, 3), "c3");
    int back[5] = {};
    w.list.DefWindowProc(LVM_GETCOLUMNORDERARRAY, 5, reinterpret_cast<LPARAM>(back));
    EXPECT_EQ(std::vector<int>(back, back + 5), std::vector<int>({0, 3, 1, 2, 4}));
    ExpectSound();
}

TEST_F(EngineVisibilityTest, OnlyHideableColumnsMoveAndAFailedInsertLeavesTheColumnHidden)
{
    w.list.ShowColumn(0, false); // column 0 is never hideable
    EXPECT_TRUE(w.list.IsColumnVisible(0));
    for (int bad : {-1, 5, 99})
        w.list.ShowColumn(bad, false);
    EXPECT_EQ(w.ControlColumnCount(), 5);
    w.list.ShowColumn(2, false);
    w.list.refuse[LVM_INSERTCOLUMNA] = -1;
    w.list.ShowColumn(2, true);
    w.list.refuse.clear();
    EXPECT_FALSE(w.list.IsColumnVisible(2));
    ExpectSound();
    w.list.refuse[LVM_DELETECOLUMN] = 0;
    w.list.ShowColumn(3, false);
    w.list.refuse.clear();
    EXPECT_TRUE(w.list.IsColumnVisible(3));
    ExpectSound();
}

TEST_F(EngineVisibilityTest, SubItemParamsNeverComeBackWithAColumn)
{
    LVITEMA item;
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = 0;
    item.iSubItem = 2;
    item.pszText = const_cast<char*>("a2'");
    item.lParam = 99;
    ASSERT_TRUE(w.list.SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    w.ctrl.SetItemData(0, 5);
    w.list.ShowColumn(2, false);
    w.list.ShowColumn(2, true);
    EXPECT_EQ(w.ctrl.GetItemData(0), 5u);
    EXPECT_EQ(w.Text(0, 2), "a2'");
    ExpectSound();
}

TEST_F(EngineVisibilityTest, HeaderMenuListsEveryColumnInLogicalOrderWithItsState)
{
    ScopedScriptedUser user;
    w.list.SetColumnHideable(1);
    w.list.ShowColumn(2, false);
    w.list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.Header()), MAKELPARAM(5, 5));
    ASSERT_EQ(user.user.popups.size(), 1u);
    const ScriptedUser::Popup& menu = user.user.popups[0];
    EXPECT_EQ(menu.ids, std::vector<UINT>({0, 1, 2, 3, 4}));
    EXPECT_EQ(menu.texts, std::vector<std::string>({"Col0", "Col1", "Col2", "Col3", "Col4"}));
    EXPECT_EQ(menu.checked, std::vector<int>({1, 1, 0, 1, 1}));
    EXPECT_EQ(menu.enabled, std::vector<bool>({false, true, true, true, true}));
    EXPECT_EQ(menu.at.x, user.user.cursor.x); // at the mouse, not where the message says
}

TEST_F(EngineVisibilityTest, ChoosingAColumnTogglesItAndOtherCommandsAreNotColumns)
{
    ScopedScriptedUser user;
    user.user.popupChoice = 3;
    w.list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.Header()), 0);
    EXPECT_FALSE(w.list.IsColumnVisible(3));
    w.list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.Header()), 0);
    EXPECT_TRUE(w.list.IsColumnVisible(3));
    user.user.popupChoice = 0; // column 0: greyed, and not hideable anyway
    w.list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.Header()), 0);
    EXPECT_TRUE(w.list.IsColumnVisible(0));
    // Command 5 (the column count) and beyond are someone else's.
    w.list.SendMessage(WM_COMMAND, 5, 0);
    w.list.SendMessage(WM_COMMAND, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(w.ControlColumnCount(), 5);
    ExpectSound();
}

TEST_F(EngineVisibilityTest, NoMenuOutsideTheHeaderOrWithoutHideableColumns)
{
    ScopedScriptedUser user;
    w.list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(&w.list), MAKELPARAM(50, 50));
    EXPECT_TRUE(user.user.popups.empty());
    EngineWindow plain;
    plain.AddColumns({100, 80}, false);
    plain.list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(plain.Header()), 0);
    EXPECT_TRUE(user.user.popups.empty());
}

} // namespace
