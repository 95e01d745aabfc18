// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Copying the selected rows: a header line and tab-separated cells, every
// column in logical order, hidden ones too, whatever the display order.
#include <gtest/gtest.h>

#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"

namespace {

class CopyRowsTest : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start());
        Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
        Answer(DeviceReply("Gate\tWest", {192, 168, 1, 21}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}));
        Answer(DeviceReply("Cam-Yard", {192, 168, 1, 22}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    }
    bool CopyEnabled() const
    {
        CCmdUI state;
        state.m_nID = ID_EDIT_COPY;
        state.DoUpdate(&Frame(), TRUE);
        return state.enabled;
    }
};

constexpr const char* kHeader = "Device Name\tIP Address\tSubnet Mask\tGateway IP\tMAC\tVersion\n";

} // namespace

TEST_F(CopyRowsTest, NothingSelectedMeansNothingToCopy)
{
    EXPECT_FALSE(CopyEnabled());
    Command(ID_EDIT_COPY);
    EXPECT_TRUE(user.user.clipboard.empty());
}

TEST_F(CopyRowsTest, SelectedRowsGoOutInListOrderWithAHeaderLine)
{
    SelectRows({2, 0});
    EXPECT_TRUE(CopyEnabled());
    Command(ID_EDIT_COPY);
    ASSERT_EQ(user.user.clipboard.size(), 1u);
    EXPECT_EQ(user.user.clipboard[0],
              std::string(kHeader) + "Cam-Lobby\t192.168.1.20\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-4E\t1.20\n"
                                     "Cam-Yard\t192.168.1.22\t255.255.255.0\t192.168.1.1\t00-1A-2B-3C-4D-5E\t1.20\n");
}

TEST_F(CopyRowsTest, HiddenAndMovedColumnsStayInLogicalOrderAndATabInANameBecomesABlank)
{
    View().ShowColumn(3, false);
    int order[6] = {0, 4, 5, 1, 2, 3}; // the MAC and the version shown second and third
    View().SendMessage(LVM_SETCOLUMNORDERARRAY, 6, reinterpret_cast<LPARAM>(order));
    SelectRows({1});
    Command(ID_EDIT_COPY);
    ASSERT_EQ(user.user.clipboard.size(), 1u);
    EXPECT_EQ(user.user.clipboard[0],
              std::string(kHeader) + "Gate West\t192.168.1.21\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-4F\t1.20\n");
}
