// The device list takes its column layout from the profile at start-up and
// again after New and Open; a layout it refuses leaves the default one.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/frame_wnd.h"
#include "framework/win_messages.h"
#include "res/resource_ids.h"
#include "support/app_fixture.h"
#include "system/profile.h"

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
    EXPECT_EQ(View().m_nSortCode, -5);
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
