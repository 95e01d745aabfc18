// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device list's context menu, Auto Arrange and view modes.
#include <gtest/gtest.h>

#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"

namespace {

class ViewModesTest : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start());
        View().MoveWindow(RECT{0, 0, 700, 400});
    }
    void RightClick(int x, int y)
    {
        View().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
        View().SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void Command(UINT id) { Frame().SendMessage(WM_COMMAND, id, 0); }
    int Mode() const { return static_cast<int>(View().GetStyle() & LVS_TYPEMASK); }
};

} // namespace

TEST_F(ViewModesTest, RightClickOnEmptyListShowsTheMenuWithDeviceCommandsAndCopyDisabled)
{
    RightClick(300, 300);
    ASSERT_EQ(user.user.popups.size(), 1u);
    const auto& popup = user.user.popups[0];
    EXPECT_EQ(popup.ids, (std::vector<UINT>{ID_MODIFY_IP, ID_MODIFY_MAC, ID_WEB_BROWSER, ID_SOFT_RESET,
                                            ID_UPDATE_FIRMWARE, ID_EDIT_COPY, ID_VIEW_AUTOARRANGE, ID_REFRESH}));
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(popup.enabled[static_cast<std::size_t>(i)]) << i;
    EXPECT_TRUE(popup.enabled[6]);
    EXPECT_EQ(popup.checked[6], 1);
    EXPECT_TRUE(popup.enabled[7]);
}

TEST_F(ViewModesTest, RightClickOnARowSelectsItAndTheMenuActsOnIt)
{
    Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20}));
    RECT rc{};
    rc.left = LVIR_BOUNDS;
    ASSERT_TRUE(View().SendMessage(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc)));
    user.user.popupChoice = ID_REFRESH;
    RightClick(rc.left + 30, (rc.top + rc.bottom) / 2);
    ASSERT_EQ(user.user.popups.size(), 1u);
    EXPECT_TRUE(user.user.popups[0].enabled[0]);
    // The chosen command travelled the command route to the view: the list was refreshed.
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(Sent().size(), 2u);
}

TEST_F(ViewModesTest, AutoArrangeStartsSetWithoutTheStyleThenToggles)
{
    // The menu item's check shows the setting; the style follows only a toggle.
    const auto checked = [this] {
        CCmdUI state;
        state.m_nID = ID_VIEW_AUTOARRANGE;
        state.DoUpdate(&View(), FALSE);
        return state.checked != 0;
    };
    EXPECT_TRUE(checked());
    EXPECT_FALSE(View().GetStyle() & LVS_AUTOARRANGE);
    Command(ID_VIEW_AUTOARRANGE);
    EXPECT_FALSE(checked());
    EXPECT_FALSE(View().GetStyle() & LVS_AUTOARRANGE);
    Command(ID_VIEW_AUTOARRANGE);
    EXPECT_TRUE(checked());
    EXPECT_TRUE(View().GetStyle() & LVS_AUTOARRANGE);
}

TEST_F(ViewModesTest, IconModesDropTheArrowAndDetailsSortsAgain)
{
    Answer(DeviceReply("A", {192, 168, 1, 9}));
    Answer(DeviceReply("B", {192, 168, 1, 100}));
    EXPECT_TRUE(View().IsSortIconEnabled());
    Command(ID_VIEW_LARGEICON);
    EXPECT_EQ(Mode(), static_cast<int>(LVS_ICON));
    EXPECT_FALSE(View().IsSortIconEnabled());
    Answer(DeviceReply("C", {192, 168, 1, 10}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"B", "A", "C"})); // C appended outside report mode
    Command(ID_VIEW_SMALLICON);
    EXPECT_EQ(Mode(), static_cast<int>(LVS_SMALLICON));
    CCmdUI state;
    state.m_nID = ID_VIEW_SMALLICON;
    state.DoUpdate(&Frame(), TRUE);
    EXPECT_EQ(state.checked, 1);
    Command(ID_VIEW_DETAILS);
    EXPECT_EQ(Mode(), static_cast<int>(LVS_REPORT));
    EXPECT_TRUE(View().IsSortIconEnabled());
    EXPECT_EQ(Column(1), (std::vector<std::string>{"192.168.1.10", "192.168.1.100", "192.168.1.9"}));
}

TEST_F(ViewModesTest, AHeaderClickSortsByThatColumnAndASecondOneReversesRowsAndArrow)
{
    Answer(DeviceReply("A", {192, 168, 1, 9}));
    Answer(DeviceReply("B", {192, 168, 1, 100}));
    Answer(DeviceReply("C", {192, 168, 1, 10}));
    auto* header = reinterpret_cast<CWnd*>(View().SendMessage(LVM_GETHEADER));
    ASSERT_NE(header, nullptr);
    const auto click = [header](int column) {
        RECT rc{};
        header->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rc));
        const LPARAM at = MAKELPARAM(rc.left + 10, 5);
        header->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        header->SendMessage(WM_LBUTTONUP, 0, at);
    };
    const auto arrow = [header](int column) {
        HDITEMA item;
        item.mask = HDI_FORMAT;
        header->SendMessage(HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
    };
    // At start the IP address column is ascending; one click makes it descending.
    click(1);
    EXPECT_EQ(View().GetSortColumn(), -2);
    EXPECT_EQ(View().GetSortColumn(), -2);
    EXPECT_EQ(arrow(1), HDF_SORTDOWN);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"192.168.1.9", "192.168.1.100", "192.168.1.10"}));
    click(1);
    EXPECT_EQ(arrow(1), HDF_SORTUP);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"192.168.1.10", "192.168.1.100", "192.168.1.9"}));
    // Another column: ascending by it, the arrow moves there.
    click(0);
    EXPECT_EQ(View().GetSortColumn(), 1);
    EXPECT_EQ(arrow(0), HDF_SORTUP);
    EXPECT_EQ(arrow(1), 0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"A", "B", "C"}));
    click(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(ViewModesTest, TheVersionColumnSortsByVersionAndAHiddenColumnKeepsItsNumber)
{
    Answer(DeviceReply("A", {192, 168, 1, 9}));
    Answer(DeviceReply("B", {192, 168, 1, 100}));
    // With Subnet Mask hidden, the control's column 4 is the version (logical 5).
    View().ShowColumn(2, false);
    NMLISTVIEW nm{};
    nm.hdr = NMHDR{&View(), View().GetDlgCtrlID(), LVN_COLUMNCLICK};
    nm.iItem = -1;
    nm.iSubItem = 4;
    Frame().SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(View().GetSortColumn(), 6);
    EXPECT_EQ(View().GetSortColumn(), 6);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"A", "B"})); // same version: by name
}
