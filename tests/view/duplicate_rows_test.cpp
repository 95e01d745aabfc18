// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Rows whose address another device also answers from: the warning overlay on
// their picture, the tinted text, and the tip that names the other MACs.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "support/picture_contrast.h"
#include "support/recording_dc.h"

namespace {

const std::vector<int> kMacA = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x0A};
const std::vector<int> kMacB = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x0B};
const std::vector<int> kMacC = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x0C};

class DuplicateRowsTest : public AppFixture {
protected:
    void SetUp() override { ASSERT_TRUE(Start()); }

    UINT Overlay(const std::string& name) const
    {
        return static_cast<UINT>(
            View().SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(RowOf(name)), LVIS_OVERLAYMASK));
    }
    // The moment after a burst of answers, when the earlier rows are marked.
    void AfterBurst() { loop.loop.Advance(CVarnexView::kDuplicateMarkDelayMs); }
};

constexpr UINT kMarked = INDEXTOOVERLAYMASK(CVarnexView::kDuplicateOverlay);

} // namespace

TEST_F(DuplicateRowsTest, TwoMacsOnOneAddressMarkBothRowsAndNameEachOther)
{
    Answer(DeviceReply("First", {192, 168, 1, 100}, kMacA));
    Answer(DeviceReply("Other", {192, 168, 1, 101}, kMacC));
    Answer(DeviceReply("Second", {192, 168, 1, 100}, kMacB));
    EXPECT_EQ(Overlay("Second"), kMarked); // at once
    AfterBurst();
    EXPECT_EQ(Overlay("First"), kMarked);
    EXPECT_EQ(Overlay("Other"), 0u);
    EXPECT_EQ(TipOver("First"),
              "Another device answers from this address too. Also at this address: 00-0A-00-00-00-0B");
    EXPECT_EQ(TipOver("Second"),
              "Another device answers from this address too. Also at this address: 00-0A-00-00-00-0A");
    EXPECT_EQ(TipOver("Other"), "");
    // A third device at the address is marked as it arrives and named in the others' tips.
    Answer(DeviceReply("Third", {192, 168, 1, 100}, kMacC));
    EXPECT_EQ(Overlay("Third"), kMarked);
    EXPECT_EQ(
        TipOver("First"),
        "Another device answers from this address too. Also at this address: 00-0A-00-00-00-0B, 00-0A-00-00-00-0C");
}

TEST_F(DuplicateRowsTest, OneMacAnsweringTwiceIsNotADuplicate)
{
    Answer(DeviceReply("Cam", {10, 0, 0, 5}, kMacA));
    Answer(DeviceReply("Cam", {10, 0, 0, 5}, kMacA));
    AfterBurst();
    ASSERT_EQ(RowCount(), 2);
    EXPECT_EQ(View().SendMessage(LVM_GETITEMSTATE, 0, LVIS_OVERLAYMASK), 0);
    EXPECT_EQ(View().SendMessage(LVM_GETITEMSTATE, 1, LVIS_OVERLAYMASK), 0);
    EXPECT_EQ(TipOver("Cam"), "");
}

TEST_F(DuplicateRowsTest, RefreshForgetsTheAddressesOfTheRowsItEmptied)
{
    Answer(DeviceReply("First", {192, 168, 1, 100}, kMacA));
    Answer(DeviceReply("Second", {192, 168, 1, 100}, kMacB));
    Command(ID_REFRESH);
    Answer(DeviceReply("First", {192, 168, 1, 100}, kMacA));
    AfterBurst();
    EXPECT_EQ(Overlay("First"), 0u);
}

// Thousands of answers, half of them pairs on one address, in one burst: the
// pass after the burst marks exactly the shared rows.
TEST_F(DuplicateRowsTest, ABurstOfThousandsOfAnswersMarksExactlyTheSharedRows)
{
    constexpr int kDevices = 3000;
    for (int i = 0; i < kDevices; ++i) {
        const int host = i < kDevices / 2 ? i / 2 : i; // the first half answer in pairs
        Answer(DeviceReply(std::string("D").append(std::to_string(i)), {10, 1, host / 256, host % 256},
                           {0x00, 0x0A, 0x00, 0x00, i / 256, i % 256}));
    }
    AfterBurst();
    ASSERT_EQ(RowCount(), kDevices);
    int marked = 0;
    for (int row = 0; row < kDevices; ++row)
        marked += View().SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_OVERLAYMASK) == kMarked;
    EXPECT_EQ(marked, kDevices / 2);
}

// Every cell of a shared row is drawn in a warning colour that reads on a
// light and on a dark list background alike; other rows keep the usual text.
// The count pane says how many addresses are shared.
TEST_F(DuplicateRowsTest, TheTextOfSharedRowsIsTintedInEveryCellAndCounted)
{
    Answer(DeviceReply("First", {192, 168, 1, 100}, kMacA));
    Answer(DeviceReply("Other", {192, 168, 1, 101}, kMacC));
    Answer(DeviceReply("Second", {192, 168, 1, 100}, kMacB));
    AfterBurst();
    EXPECT_EQ(StatusExt(), "Online : 3 (1 address shared)");
    const auto rgb = [](COLORREF c) {
        return static_cast<std::uint32_t>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
    };
    for (const COLORREF background : {RGB(255, 255, 255), RGB(30, 30, 30)}) {
        View().SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
        RecordingDC dc;
        View().Paint(&dc);
        std::map<std::string, std::set<COLORREF>> colours;
        for (const DrawOp& op : dc.Of(DrawOp::Kind::Text))
            colours[op.text].insert(op.colour);
        ASSERT_EQ(colours["First"].size(), 1u);
        const COLORREF tint = *colours["First"].begin();
        for (const char* cell : {"Second", "192.168.1.100", "00-0A-00-00-00-0A", "00-0A-00-00-00-0B"})
            EXPECT_EQ(colours[cell], std::set<COLORREF>{tint}) << cell;
        EXPECT_EQ(colours["Other"], std::set<COLORREF>{GetSysColor(COLOR_WINDOWTEXT)});
        EXPECT_GE(test_support::ContrastRatio(rgb(tint), rgb(background)), 4.5);
    }
}
