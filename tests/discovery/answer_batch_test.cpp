// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Answers that arrive together: one notification reads those waiting (up to a
// limit, so that the window still paints) and the list sorts them in once.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/app_fixture.h"
#include "support/control_spy.h"

namespace {

struct AnswerBatchTest : AppFixture {
    ControlSpy spy; // before the program's windows, so that its list is spied on
};

} // namespace

TEST_F(AnswerBatchTest, OneNotificationReadsTheWaitingAnswersAndSortsThemOnce)
{
    network.net.maxReceiveBuffer = 8 * 1024 * 1024;
    ASSERT_TRUE(Start());
    constexpr int kWaiting = CListSocket::kAnswersPerNotification + 44;
    for (int i = 0; i < kWaiting; ++i)
        ASSERT_TRUE(network.net.Arrive(4000, DeviceReply("Cam", {10, 0, (i * 37) % 256, i % 200 + 1})));
    const auto sorts = [this] {
        const auto seen = spy.Of(SpyWindow::ListView);
        return std::count_if(seen.begin(), seen.end(), [](const auto& m) { return m.message == LVM_SORTITEMS; });
    };
    spy.Clear();
    for (const auto& [rows, sortsSoFar] : {std::pair{CListSocket::kAnswersPerNotification, 1}, {kWaiting, 2}}) {
        loop.loop.SignalReadable(View().DiscoverySocket()->m_hSocket);
        EXPECT_EQ(RowCount(), rows);
        EXPECT_EQ(sorts(), sortsSoFar);
        const std::vector<std::string> addresses = Column(1); // the start-up sort: IP address text
        EXPECT_TRUE(std::is_sorted(addresses.begin(), addresses.end()));
    }
}
