// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device list takes its column layout from the profile at start-up and
// again after New and Open; a layout it refuses leaves the default one.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "system/profile.h"
#include "system/win_messages.h"

namespace {

void Put(std::vector<std::uint8_t>& b, std::int32_t v)
{
    for (int k = 0; k < 4; ++k)
        b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * k)));
}

// Six columns: Gateway IP hidden, MAC shown before the IP address, sort by MAC descending.
std::vector<std::uint8_t> Layout()
{
    std::vector<std::uint8_t> b;
    Put(b, 6);
    Put(b, -5);
    const int orders[6] = {0, 2, 3, 4, 1, 5};
    for (int i = 0; i < 6; ++i) {
        b.push_back(i == 3 ? 0 : 1);
        Put(b, 100 + i);
        Put(b, orders[i]);
    }
    return b;
}

class SavedLayoutTest : public AppFixture {
protected:
    void Save(const std::vector<std::uint8_t>& blob)
    {
        Profile profile(Profile::PathFor(kProfileRegistryKey, "Varnex"));
        ASSERT_TRUE(profile.WriteBinary("Settings", "Overview", blob));
    }
};

} // namespace

TEST_F(SavedLayoutTest, TheSavedLayoutIsAppliedAtStartAndAgainAfterNew)
{
    Save(Layout());
    ASSERT_TRUE(Start());
    EXPECT_FALSE(View().IsColumnVisible(3));
    EXPECT_EQ(View().GetSortColumn(), -5);
    EXPECT_EQ(View().GetSortColumn(), -5);
    EXPECT_EQ(View().SendMessage(LVM_GETCOLUMNWIDTH, 4), 104);
    int order[6] = {};
    View().SendMessage(LVM_GETCOLUMNORDERARRAY, 6, reinterpret_cast<LPARAM>(order));
    EXPECT_EQ(std::vector<int>(order, order + 6), std::vector<int>({0, 4, 1, 2, 3, 5}));
    // The user shows the column; New brings the saved layout back.
    View().ShowColumn(3, true);
    Frame().SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
    EXPECT_FALSE(View().IsColumnVisible(3));
}

TEST_F(SavedLayoutTest, ARefusedLayoutLeavesTheDefaultColumns)
{
    std::vector<std::uint8_t> blob = Layout();
    blob.pop_back(); // 61 bytes
    Save(blob);
    ASSERT_TRUE(Start());
    for (int c = 0; c < 6; ++c)
        EXPECT_TRUE(View().IsColumnVisible(c)) << c;
    EXPECT_EQ(View().GetSortColumn(), 2);
    EXPECT_EQ(View().SendMessage(LVM_GETCOLUMNWIDTH, 4), 130);
}

namespace {

class RememberedLayoutTest : public SavedLayoutTest {
protected:
    // Closes the program and starts it again on the same profile.
    void Restart()
    {
        Frame().OnClose();
        app.reset();
        app = std::make_unique<CVarnexApp>();
        ASSERT_TRUE(Start());
    }
    std::optional<std::vector<std::uint8_t>> Stored() const
    {
        Profile profile(Profile::PathFor(kProfileRegistryKey, "Varnex"));
        return profile.GetBinary("Settings", "Overview");
    }
};

} // namespace

TEST_F(RememberedLayoutTest, TheLayoutAtCloseComesBackAtTheNextStart)
{
    ASSERT_TRUE(Start());
    View().ShowColumn(3, false);
    View().SendMessage(LVM_SETCOLUMNWIDTH, 4, 170);
    int order[6] = {0, 4, 1, 2, 3, 5}; // the MAC shown second
    View().SendMessage(LVM_SETCOLUMNORDERARRAY, 6, reinterpret_cast<LPARAM>(order));
    NMLISTVIEW click{};
    click.hdr = NMHDR{&View(), View().GetDlgCtrlID(), LVN_COLUMNCLICK};
    click.iItem = -1;
    click.iSubItem = 3; // physical: the MAC, logical column 4
    Frame().SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    const int sortColumn = View().GetSortColumn();
    ASSERT_EQ(std::abs(sortColumn), 5);

    Restart();
    EXPECT_FALSE(View().IsColumnVisible(3));
    EXPECT_EQ(View().SendMessage(LVM_GETCOLUMNWIDTH, 4), 170);
    EXPECT_EQ(View().GetSortColumn(), sortColumn);
    EXPECT_EQ(View().GetSortColumn(), sortColumn);
    int shown[6] = {};
    View().SendMessage(LVM_GETCOLUMNORDERARRAY, 6, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(std::vector<int>(shown, shown + 6), std::vector<int>({0, 4, 1, 2, 3, 5}));
    // The hidden column comes back where it was, with its width.
    View().ShowColumn(3, true);
    EXPECT_EQ(View().SendMessage(LVM_GETCOLUMNWIDTH, 3), 120);
}

TEST_F(RememberedLayoutTest, ARefusedLayoutIsLeftAloneUntilTheUserChangesTheLayout)
{
    std::vector<std::uint8_t> refused = Layout();
    refused.pop_back();
    Save(refused);
    ASSERT_TRUE(Start());
    Restart();
    EXPECT_EQ(Stored(), refused);
    // A change of the layout is the user's choice: it is written over the old value.
    View().ShowColumn(5, false);
    Restart();
    ASSERT_TRUE(Stored().has_value());
    EXPECT_NE(*Stored(), refused);
    EXPECT_FALSE(View().IsColumnVisible(5));
}

TEST_F(RememberedLayoutTest, NumericAddressOrderIsAnOptionThatIsRemembered)
{
    ASSERT_TRUE(Start());
    Answer(DeviceReply("Nine", {10, 20, 0, 9}));
    Answer(DeviceReply("Hundred", {10, 20, 0, 100}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Hundred", "Nine"})); // text order by default
    EXPECT_FALSE(View().SortsAddressesAsNumbers());
    Command(ID_VIEW_SORT_NUMERIC);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Nine", "Hundred"}));
    CCmdUI state;
    state.m_nID = ID_VIEW_SORT_NUMERIC;
    state.DoUpdate(&Frame(), TRUE);
    EXPECT_EQ(state.checked, 1);

    Restart();
    EXPECT_TRUE(View().SortsAddressesAsNumbers());
    Answer(DeviceReply("Hundred", {10, 20, 0, 100}));
    Answer(DeviceReply("Nine", {10, 20, 0, 9}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Nine", "Hundred"}));
    Command(ID_VIEW_SORT_NUMERIC);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Hundred", "Nine"}));
}
