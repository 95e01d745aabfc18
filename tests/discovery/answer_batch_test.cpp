// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Answers that arrive together: one notification reads those waiting (up to a
// limit, so that the window still paints) and the list sorts them into place
// once, not once per answer.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/app_fixture.h"
#include "support/control_spy.h"

namespace {

class AnswerBatchTest : public AppFixture {
protected:
    ControlSpy spy; // before the program's windows, so that its list is spied on
    int SortsSeen() const
    {
        const auto messages = spy.Of(SpyWindow::ListView);
        return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                              [](const RecordedMessage& m) { return m.message == LVM_SORTITEMS; }));
    }
};

} // namespace

TEST_F(AnswerBatchTest, OneNotificationReadsTheWaitingAnswersAndSortsThemOnce)
{
    network.net.maxReceiveBuffer = 8 * 1024 * 1024;
    ASSERT_TRUE(Start());
    constexpr int kWaiting = CListSocket::kAnswersPerNotification + 44;
    for (int i = 0; i < kWaiting; ++i)
        ASSERT_TRUE(network.net.Arrive(4000, DeviceReply("Cam", {10, 0, (i * 37) % 256, i % 200 + 1})));
    spy.Clear();
    loop.loop.SignalReadable(View().m_pSocket->m_hSocket);
    EXPECT_EQ(RowCount(), CListSocket::kAnswersPerNotification);
    EXPECT_EQ(SortsSeen(), 1);
    loop.loop.SignalReadable(View().m_pSocket->m_hSocket);
    EXPECT_EQ(RowCount(), kWaiting);
    EXPECT_EQ(SortsSeen(), 2);
    EXPECT_EQ(StatusExt(), "Online : " + std::to_string(kWaiting));
    // Sorted by IP address text, the start-up sort.
    const std::vector<std::string> addresses = Column(1);
    EXPECT_TRUE(std::is_sorted(addresses.begin(), addresses.end()));
}
