// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// View > Watch Devices through the running program on virtual time: probes
// every interval, rows kept and brought up to date in place, silent devices
// greyed with their last-seen tip, new ones sorted in, long-gone ones
// dropped, and the count of the last probe.
#include <gtest/gtest.h>

#include <algorithm>

#include "discovery/packet_frame.h"
#include "framework/control_bars.h"
#include "framework/dc.h"
#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"

namespace {

const std::vector<int> kMacA = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x0A};
const std::vector<int> kMacB = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x0B};
const std::vector<int> kMacC = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x0C};

class WatchRowsTest : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start());
        // The first search, as the start sends it, with two devices.
        Answer(DeviceReply("Cam-A", {192, 168, 1, 20}, kMacA));
        Answer(DeviceReply("Cam-B", {192, 168, 1, 30}, kMacB));
        EndListening();
    }
    // Lets the listening windows run out: the probe under way ends.
    void EndListening()
    {
        while (ListenTimerRunning())
            loop.loop.Advance(CVarnexView::kListenWindowMs);
    }
    // From one probe of watching to the next.
    void NextProbe()
    {
        const std::size_t before = Probes();
        for (UINT waited = 0; Probes() == before && waited <= View().WatchIntervalMs(); waited += 500)
            loop.loop.Advance(500);
        ASSERT_GT(Probes(), before) << "no probe within the interval";
    }
    std::size_t Probes() const
    {
        const packet::Bytes probe = packet::BuildProbe();
        std::size_t probes = 0;
        for (const auto& sent : Sent())
            probes += std::equal(sent.bytes.begin(), sent.bytes.end(), probe.begin(), probe.end()) ? 1 : 0;
        return probes;
    }
    bool Greyed(const std::string& name) const
    {
        NMLVCUSTOMDRAW cd{};
        cd.nmcd.hdr = NMHDR{&View(), View().GetDlgCtrlID(), NM_CUSTOMDRAW};
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(RowOf(name));
        cd.clrText = RGB(1, 2, 3);
        Frame().SendMessage(WM_NOTIFY, cd.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&cd));
        return cd.clrText == GetSysColor(COLOR_GRAYTEXT);
    }
};

} // namespace

TEST_F(WatchRowsTest, RowsAreKeptUpdatedInPlaceGreyedWhenSilentAndNewOnesSortedIn)
{
    ASSERT_FALSE(View().IsWatching());
    const std::size_t probesBefore = Probes();
    Command(ID_VIEW_WATCH);
    ASSERT_TRUE(View().IsWatching());
    // Turning it on probes at once, without emptying the list.
    EXPECT_EQ(Probes(), probesBefore + 1);
    EXPECT_EQ(RowCount(), 2);

    // A answers from a new address, C is new, B is silent; a second answer of A counts once.
    Answer(DeviceReply("Cam-A", {192, 168, 1, 50}, kMacA));
    Answer(DeviceReply("Cam-A", {192, 168, 1, 50}, kMacA));
    Answer(DeviceReply("Cam-C", {192, 168, 1, 40}, kMacC));
    EndListening();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Cam-B", "Cam-C", "Cam-A"})); // by IP, the default sort
    EXPECT_EQ(Row(RowOf("Cam-A"))[1], "192.168.1.50");
    EXPECT_FALSE(Greyed("Cam-B")) << "one probe missed is not gone";
    EXPECT_EQ(StatusExt(), "Online : 2");

    NextProbe();
    Answer(DeviceReply("Cam-A", {192, 168, 1, 50}, kMacA));
    Answer(DeviceReply("Cam-C", {192, 168, 1, 40}, kMacC));
    EndListening();
    EXPECT_EQ(RowCount(), 3);
    EXPECT_TRUE(Greyed("Cam-B"));
    EXPECT_FALSE(Greyed("Cam-A"));
    EXPECT_EQ(TipOver("Cam-B").rfind("Not answering: last seen at ", 0), 0u) << TipOver("Cam-B");
    EXPECT_EQ(TipOver("Cam-A"), "");
    EXPECT_EQ(StatusExt(), "Online : 2");
    EXPECT_NE(Frame().GetMessageBar()->GetPaneText(0).find(", 1 not answering"), std::string::npos)
        << Frame().GetMessageBar()->GetPaneText(0);

    // B comes back: no longer greyed, still one row.
    NextProbe();
    Answer(DeviceReply("Cam-B", {192, 168, 1, 30}, kMacB));
    EndListening();
    EXPECT_EQ(RowCount(), 3);
    EXPECT_FALSE(Greyed("Cam-B"));
    EXPECT_EQ(StatusExt(), "Online : 1");
}

TEST_F(WatchRowsTest, ADeviceGoneForAnHourLeavesTheListAndItsPlaceIsTakenCleanly)
{
    Command(ID_VIEW_WATCH);
    Answer(DeviceReply("Cam-A", {192, 168, 1, 20}, kMacA));
    EndListening();
    // B stays silent for an hour while A answers every probe.
    const std::uint64_t hourInProbes = 3600 * 1000 / View().WatchIntervalMs() + 2;
    for (std::uint64_t i = 0; i < hourInProbes && RowOf("Cam-B") >= 0; ++i) {
        NextProbe();
        Answer(DeviceReply("Cam-A", {192, 168, 1, 20}, kMacA));
        EndListening();
    }
    EXPECT_EQ(RowOf("Cam-B"), -1);
    EXPECT_EQ(View().Devices().Size(), 1u);
    // A new device may take B's id: its row is its own, not B's.
    NextProbe();
    Answer(DeviceReply("Cam-C", {10, 0, 0, 9}, kMacC));
    EndListening();
    ASSERT_GE(RowOf("Cam-C"), 0);
    EXPECT_EQ(Row(RowOf("Cam-C"))[1], "10.0.0.9");
    EXPECT_FALSE(Greyed("Cam-C"));
}

TEST_F(WatchRowsTest, RefreshStillEmptiesTheListAndTurningWatchOffStopsTheProbes)
{
    Command(ID_VIEW_WATCH);
    EndListening();
    Command(ID_REFRESH);
    EXPECT_EQ(RowCount(), 0);
    Answer(DeviceReply("Cam-A", {192, 168, 1, 20}, kMacA));
    EndListening();
    EXPECT_EQ(RowCount(), 1);
    NextProbe();

    Command(ID_VIEW_WATCH);
    EXPECT_FALSE(View().IsWatching());
    EndListening();
    const std::size_t probes = Probes();
    loop.loop.Advance(3 * View().WatchIntervalMs());
    EXPECT_EQ(Probes(), probes);
}
