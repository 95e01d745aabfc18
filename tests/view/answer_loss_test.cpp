// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Many answers at once: the discovery socket asks for a receive buffer with
// room for thousands of them, and when the kernel still drops some the message
// pane says how many and that a Refresh may find them, while the count pane
// keeps counting what arrived.
#include <gtest/gtest.h>

#include "framework/control_bars.h"
#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"

namespace {

class AnswerLossTest : public AppFixture {
protected:
    std::string MessagePane() const { return Frame().GetMessageBar()->GetPaneText(0); }

    // n answers that arrive while the program is busy, then the program
    // reads every one that found room.
    void Burst(int n)
    {
        int kept = 0;
        for (int i = 0; i < n; ++i)
            if (network.net.Arrive(4000, DeviceReply("Cam", {10, 0, i / 250, i % 250 + 1})))
                ++kept;
        for (int i = 0; i < kept; ++i)
            loop.loop.SignalReadable(View().DiscoverySocket()->m_hSocket);
    }
};

} // namespace

TEST_F(AnswerLossTest, SocketAsksForRoomForThousandsOfAnswersAndTakesWhatTheKernelGrants)
{
    network.net.maxReceiveBuffer = 8 * 1024 * 1024;
    ASSERT_TRUE(Start());
    EXPECT_EQ(network.net.ReceiveBuffer(4000), 4 * 1024 * 1024);
    int granted = 0;
    int length = sizeof granted;
    ASSERT_TRUE(View().DiscoverySocket()->GetSockOpt(SO_RCVBUF_OPTION, &granted, &length));
    EXPECT_EQ(granted, 4 * 1024 * 1024);

    // An ordinary process on a kernel with a low limit gets the limit.
    network.net.maxReceiveBuffer = 212992;
    Frame().SendMessage(WM_COMMAND, ID_REFRESH, 0);
    ASSERT_TRUE(View().DiscoverySocket()->GetSockOpt(SO_RCVBUF_OPTION, &granted, &length));
    EXPECT_EQ(granted, 212992);
}

TEST_F(AnswerLossTest, FiveThousandAnswersAtOnceAllBecomeRows)
{
    network.net.maxReceiveBuffer = 8 * 1024 * 1024;
    ASSERT_TRUE(Start());
    Burst(5000);
    EXPECT_EQ(RowCount(), 5000);
    EXPECT_EQ(StatusExt(), "Online : 5000");
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 5000 found");
}

TEST_F(AnswerLossTest, DroppedAnswersAreReportedInTheMessagePaneUntilTheNextRefresh)
{
    // 425984 bytes hold 512 answers of 832 bytes: 88 of 600 are dropped.
    ASSERT_TRUE(Start());
    Burst(600);
    EXPECT_EQ(RowCount(), 512);
    EXPECT_EQ(StatusExt(), "Online : 512");
    EXPECT_EQ(MessagePane(),
              "88 answers were lost: they came faster than they could be read. Refresh may find those devices.");

    // Later answers keep the message as it is while nothing more is lost.
    ASSERT_TRUE(Answer(DeviceReply("Late", {10, 9, 9, 9})));
    EXPECT_EQ(StatusExt(), "Online : 513");
    EXPECT_NE(MessagePane().find("88 answers"), std::string::npos);

    Frame().SendMessage(WM_COMMAND, ID_REFRESH, 0);
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 0 found");
    // The count pane keeps the old cycle's count until the first new answer.
    EXPECT_EQ(StatusExt(), "Online : 513");
    Burst(3);
    EXPECT_EQ(StatusExt(), "Online : 3");
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 3 found");
}

TEST_F(AnswerLossTest, ARefreshAfterADeviceCommandStillClearsTheLoss)
{
    ASSERT_TRUE(Start());
    Burst(600);
    ASSERT_NE(MessagePane().find("88 answers were lost"), std::string::npos);
    // A command opens the socket again (its count starts over) before the
    // delayed refresh; the refresh still ends the old cycle's message.
    ASSERT_TRUE(View().ReopenDeviceSocket());
    EXPECT_NE(MessagePane().find("88 answers were lost"), std::string::npos);
    Frame().SendMessage(WM_COMMAND, ID_REFRESH, 0);
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 0 found");
}

TEST_F(AnswerLossTest, ALossFoundWhenTheListeningWindowClosesIsReportedToo)
{
    ASSERT_TRUE(Start());
    Burst(600);
    ASSERT_EQ(RowCount(), 512);
    // More answers were dropped after the last one read: the window's end
    // still counts them.
    for (int i = 0; i < 513; ++i)
        network.net.Arrive(4000, DeviceReply("Cam", {10, 1, 0, 1}));
    loop.loop.Advance(5000); // the window that brought answers opens another
    loop.loop.Advance(5000); // the quiet one closes the socket
    EXPECT_FALSE(View().DiscoverySocket()->IsOpen());
    EXPECT_NE(MessagePane().find("89 answers were lost"), std::string::npos) << MessagePane();
}
