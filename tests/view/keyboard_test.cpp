// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device commands without a mouse: Enter and a double click on a row open
// Modify IP, and the menu key opens the row's context menu beside the row.
#include <gtest/gtest.h>

#include <algorithm>

#include "res/text/resource_ids.h"
#include "support/app_fixture.h"

using KeyboardTest = AppFixture;

TEST_F(KeyboardTest, EnterOrADoubleClickOnARowIsModifyIPAndTheMenuKeyOpensTheRowsMenu)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20})));
    ASSERT_TRUE(Answer(DeviceReply("Cam-Gate", {192, 168, 1, 21})));
    CVarnexView& view = View();
    RECT row1{LVIR_LABEL, 0, 0, 0};
    view.SendMessage(LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row1));
    const auto dialogs = [&] {
        const auto& shown = user.user.dialogsShown;
        return std::count(shown.begin(), shown.end(), IDD_INPUT_IP);
    };
    view.SendMessage(WM_KEYDOWN, VK_RETURN, 0); // nothing selected: nothing to modify
    EXPECT_EQ(dialogs(), 0);
    LVITEMA focus;
    focus.stateMask = focus.state = LVIS_SELECTED | LVIS_FOCUSED;
    view.SendMessage(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&focus));
    view.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(dialogs(), 1);
    view.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(row1.left + 4, row1.top + 2));
    EXPECT_EQ(dialogs(), 2);
    view.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(row1.left + 4, row1.bottom + 40)); // below the rows
    EXPECT_EQ(dialogs(), 2);

    view.SendMessage(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&focus));
    view.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(&view), -1);
    ASSERT_EQ(user.user.popups.size(), 1u);
    const POINT below = view.ClientToScreen(POINT{row1.left, row1.bottom});
    EXPECT_EQ(user.user.popups[0].at.x, below.x);
    EXPECT_EQ(user.user.popups[0].at.y, below.y);
    EXPECT_EQ(user.user.popups[0].ids[0], ID_MODIFY_IP);
    EXPECT_TRUE(user.user.popups[0].enabled[0]);
}
