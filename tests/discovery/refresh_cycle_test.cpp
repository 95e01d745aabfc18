// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The discovery cycle of the running program, on virtual time: the probe, the
// rows and the count, the listening window, Refresh and the delayed refresh.
#include <gtest/gtest.h>

#include "discovery/packet_frame.h"
#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"

namespace {

class RefreshCycleTest : public AppFixture {
protected:
    void SetUp() override { ASSERT_TRUE(Start()); }

    int ProbesSent() const
    {
        int n = 0;
        for (const auto& s : Sent())
            if (s.bytes.size() == 52 && s.bytes[3] == 0x39)
                ++n;
        return n;
    }
};

} // namespace

TEST_F(RefreshCycleTest, StartSendsOneProbeAndOpensTheFirstWindow)
{
    ASSERT_EQ(Sent().size(), 1u);
    const auto& probe = Sent()[0];
    EXPECT_EQ(probe.fromPort, 4000);
    EXPECT_EQ(probe.host, "255.255.255.255");
    EXPECT_EQ(probe.port, 36);
    EXPECT_TRUE(probe.broadcastOn);
    const packet::Bytes expected = packet::BuildProbe();
    EXPECT_EQ(probe.bytes, std::vector<std::uint8_t>(expected.begin(), expected.end()));
    EXPECT_TRUE(ListenTimerRunning());
    EXPECT_EQ(loop.loop.TimerPeriod(&View(), 1), 5000u);
    EXPECT_EQ(StatusExt(), "Online : 0");
    EXPECT_EQ(Frame().GetWindowText(), "Varnex V1.20");
    EXPECT_EQ(RowCount(), 0);
}

TEST_F(RefreshCycleTest, EveryDatagramBecomesARowAndIsCounted)
{
    ASSERT_TRUE(Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20})));
    ASSERT_TRUE(Answer(DeviceReply("Cam-Gate", {192, 168, 1, 21})));
    // The same device answering again is another row: datagrams are counted.
    ASSERT_TRUE(Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20})));
    EXPECT_EQ(RowCount(), 3);
    EXPECT_EQ(StatusExt(), "Online : 3");
    EXPECT_EQ(View().Discovery().AnswerCount(), 3);
}

TEST_F(RefreshCycleTest, FailedReceiveMakesNoRowAndLongDatagramIsCut)
{
    network.net.FailNextReceive(4000);
    Answer(DeviceReply("Broken", {10, 0, 0, 1}));
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(StatusExt(), "Online : 0");
    EXPECT_EQ(View().Discovery().AnswerCount(), 0);

    std::vector<std::uint8_t> longer = DeviceReply("Long", {10, 0, 0, 2});
    longer.resize(80, 0xEE);
    Answer(longer);
    ASSERT_EQ(RowCount(), 1);
    EXPECT_EQ(Row(0)[0], "Long");
    EXPECT_EQ(StatusExt(), "Online : 1");
}

TEST_F(RefreshCycleTest, AnswersEveryThreeSecondsKeepTheSocketOpen)
{
    for (int i = 0; i < 4; ++i) {
        loop.loop.Advance(3000);
        ASSERT_TRUE(Answer(DeviceReply("Cam", {10, 0, 0, i + 1}))) << "answer " << i;
    }
    // Last answer at 12 s; the window ending at 15 s saw it, the one ending at 20 s does not.
    loop.loop.Advance(15000 - 12000);
    EXPECT_TRUE(network.net.IsBound(4000));
    loop.loop.Advance(5000);
    EXPECT_FALSE(network.net.IsBound(4000));
    EXPECT_FALSE(ListenTimerRunning());
    EXPECT_FALSE(Answer(DeviceReply("Late", {10, 0, 0, 9})));
    EXPECT_EQ(RowCount(), 4);
}

TEST_F(RefreshCycleTest, QuietFirstWindowClosesTheSocketAndKeepsTheCount)
{
    loop.loop.Advance(4999);
    EXPECT_TRUE(network.net.IsBound(4000));
    loop.loop.Advance(1);
    EXPECT_FALSE(network.net.IsBound(4000));
    EXPECT_FALSE(ListenTimerRunning());
    EXPECT_EQ(StatusExt(), "Online : 0");
}

TEST_F(RefreshCycleTest, EmptyCycleLeavesThePreviousCountStanding)
{
    Answer(DeviceReply("A", {10, 0, 0, 1}));
    Answer(DeviceReply("B", {10, 0, 0, 2}));
    loop.loop.Advance(10000);
    View().SendMessage(WM_COMMAND, ID_REFRESH, 0);
    EXPECT_EQ(RowCount(), 0);
    loop.loop.Advance(5000);
    EXPECT_EQ(StatusExt(), "Online : 2");
    EXPECT_EQ(ProbesSent(), 2);
}

TEST_F(RefreshCycleTest, RefreshDuringAWindowWithAnAnswerListensTwoWindows)
{
    loop.loop.Advance(1000);
    Answer(DeviceReply("A", {10, 0, 0, 1}));
    loop.loop.Advance(1000);
    View().SendMessage(WM_COMMAND, ID_REFRESH, 0);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(View().Discovery().AnswerCount(), 0);
    // The first window of the new cycle still sees the earlier answer.
    loop.loop.Advance(5000);
    EXPECT_TRUE(network.net.IsBound(4000));
    Answer(DeviceReply("B", {10, 0, 0, 2}));
    EXPECT_EQ(StatusExt(), "Online : 1");
    loop.loop.Advance(5000);
    EXPECT_TRUE(network.net.IsBound(4000));
    loop.loop.Advance(5000);
    EXPECT_FALSE(network.net.IsBound(4000));
}

TEST_F(RefreshCycleTest, DelayedRefreshTimerRefreshesOnceAndStops)
{
    Answer(DeviceReply("A", {10, 0, 0, 1}));
    View().SetTimer(2, 2000);
    loop.loop.Advance(1999);
    EXPECT_EQ(ProbesSent(), 1);
    EXPECT_EQ(RowCount(), 1);
    loop.loop.Advance(1);
    EXPECT_EQ(ProbesSent(), 2);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_FALSE(loop.loop.IsTimerRunning(&View(), 2));
    EXPECT_TRUE(ListenTimerRunning());
    loop.loop.Advance(4000);
    EXPECT_EQ(ProbesSent(), 2);
}

TEST_F(RefreshCycleTest, OtherTimerIdsDoNothing)
{
    View().SendMessage(WM_TIMER, 7, 0);
    EXPECT_EQ(ProbesSent(), 1);
    EXPECT_TRUE(ListenTimerRunning());
}

TEST_F(RefreshCycleTest, PortTakenShowsTheMessageAndRunsNoTimer)
{
    Answer(DeviceReply("A", {10, 0, 0, 1}));
    loop.loop.Advance(10000); // the socket closes
    network.net.TakePort(4000);
    View().SendMessage(WM_COMMAND, ID_REFRESH, 0);
    ASSERT_EQ(user.user.boxes.size(), 1u);
    EXPECT_EQ(user.user.boxes[0].text, "Socket port '4000' Open fail ！");
    EXPECT_EQ(user.user.boxes[0].caption, "Varnex");
    EXPECT_EQ(user.user.boxes[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_FALSE(ListenTimerRunning());
    EXPECT_EQ(ProbesSent(), 1);
}

TEST_F(RefreshCycleTest, RowsAreSortedIntoPlaceWithTheArrowOnTheIpColumn)
{
    Answer(DeviceReply("A", {192, 168, 1, 9}));
    Answer(DeviceReply("B", {192, 168, 1, 100}));
    Answer(DeviceReply("C", {192, 168, 1, 10}));
    // IP address ascending at start: text order, so .10 before .100 before .9.
    EXPECT_EQ(Column(1), (std::vector<std::string>{"192.168.1.10", "192.168.1.100", "192.168.1.9"}));
    EXPECT_TRUE(View().IsSortIconEnabled());
    EXPECT_EQ(View().GetSortColumn(), 2);
    auto* header = reinterpret_cast<CWnd*>(View().SendMessage(LVM_GETHEADER));
    ASSERT_NE(header, nullptr);
    HDITEMA item;
    item.mask = HDI_FORMAT;
    header->SendMessage(HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(item.fmt & HDF_SORTUP);
}

TEST_F(RefreshCycleTest, WithAutoArrangeOffRowsStayInArrivalOrder)
{
    View().SendMessage(WM_COMMAND, ID_VIEW_AUTOARRANGE, 0);
    EXPECT_FALSE(View().GetStyle() & LVS_AUTOARRANGE);
    Answer(DeviceReply("A", {192, 168, 1, 9}));
    Answer(DeviceReply("B", {192, 168, 1, 100}));
    Answer(DeviceReply("C", {192, 168, 1, 10}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_FALSE(View().IsSortIconEnabled());
}
