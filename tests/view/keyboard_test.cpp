// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device commands without a mouse: Enter and a double click on a row open
// Modify IP, and the menu key opens the row's context menu beside the row.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/frame_wnd.h"
#include "res/resource_ids.h"
#include "support/app_fixture.h"

namespace {

class KeyboardTest : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start());
        ASSERT_TRUE(Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20})));
        ASSERT_TRUE(Answer(DeviceReply("Cam-Gate", {192, 168, 1, 21})));
    }
    RECT Label(int row) const
    {
        RECT rc{LVIR_LABEL, 0, 0, 0};
        View().SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    void Focus(int row) const
    {
        LVITEMA item;
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        View().SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    std::size_t ModifyIpDialogs() const
    {
        return static_cast<std::size_t>(
            std::count(user.user.dialogsShown.begin(), user.user.dialogsShown.end(), IDD_INPUT_IP));
    }
};

} // namespace

TEST_F(KeyboardTest, EnterAndADoubleClickOnARowOpenModifyIP)
{
    struct Case {
        const char* what;
        std::function<void()> act;
        std::size_t dialogs;
    } const cases[] = {
        {"Enter with no row selected", [&] { View().SendMessage(WM_KEYDOWN, VK_RETURN, 0); }, 0},
        {"Enter on a selected row",
         [&] {
             Focus(1);
             View().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
         },
         1},
        {"a double click on a row",
         [&] {
             const RECT rc = Label(0);
             View().SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2));
         },
         2},
        {"a double click below the rows",
         [&] {
             const RECT rc = Label(1);
             View().SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(rc.left + 4, rc.bottom + 40));
         },
         2},
    };
    for (const Case& c : cases) {
        c.act();
        EXPECT_EQ(ModifyIpDialogs(), c.dialogs) << c.what;
    }
}

TEST_F(KeyboardTest, TheMenuKeyOpensTheRowsMenuBelowTheFocusedRow)
{
    Focus(1);
    View().SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(&View()), -1);
    ASSERT_EQ(user.user.popups.size(), 1u);
    const RECT rc = Label(1);
    const POINT expected = View().ClientToScreen(POINT{rc.left, rc.bottom});
    EXPECT_EQ(user.user.popups[0].at.x, expected.x);
    EXPECT_EQ(user.user.popups[0].at.y, expected.y);
    ASSERT_FALSE(user.user.popups[0].ids.empty());
    EXPECT_EQ(user.user.popups[0].ids[0], ID_MODIFY_IP);
    EXPECT_TRUE(user.user.popups[0].enabled[0]);
}
