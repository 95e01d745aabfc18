// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The saved column layout: a layout is checked whole; a refused one changes
// nothing and says so, a good one sets sort state, shown columns, widths and
// display order.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/engine_window.h"

namespace {

struct Col {
    int visible;
    int width;
    int order;
};

void Put(std::vector<std::uint8_t>& b, std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    for (int k = 0; k < 4; ++k)
        b.push_back(static_cast<std::uint8_t>(u >> (8 * k)));
}

std::vector<std::uint8_t> Blob(int count, int sort, const std::vector<Col>& columns)
{
    std::vector<std::uint8_t> b;
    Put(b, count);
    Put(b, sort);
    for (const Col& c : columns) {
        b.push_back(static_cast<std::uint8_t>(c.visible));
        Put(b, c.width);
        Put(b, c.order);
    }
    return b;
}

const std::vector<Col> kGood = {{1, 120, 0}, {1, 121, 1}, {1, 122, 2}, {0, 123, 4}, {1, 124, 3}, {1, 95, 5}};

struct EngineLayoutTest : ::testing::Test {
    EngineWindow w;
    void SetUp() override
    {
        w.AddColumns({100, 90, 80, 70, 60, 50});
        w.AddRow("x", {"x1", "x2", "x3", "x4", "x5"});
    }
    // The state that a refused layout must leave as it was.
    std::vector<int> Snapshot()
    {
        std::vector<int> s{w.list.GetSortColumn(), w.ControlColumnCount()};
        for (int c = 0; c < 6; ++c) {
            s.push_back(w.list.IsColumnVisible(c));
            s.push_back(static_cast<int>(w.list.SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c))));
            s.push_back(w.list.Columns()[static_cast<std::size_t>(c)]->m_nOrder);
        }
        return s;
    }
};

TEST_F(EngineLayoutTest, ABadLayoutIsRefusedWholeAndChangesNothing)
{
    std::vector<Col> negative = kGood;
    negative[2].order = -1;
    std::vector<Col> twice = kGood;
    twice[2].order = 1;
    std::vector<Col> pastEnd = kGood;
    pastEnd[5].order = 6;
    std::vector<Col> badFlag = kGood;
    badFlag[1].visible = 2;
    std::vector<std::uint8_t> shortBlob = Blob(6, 2, kGood);
    shortBlob.pop_back();
    std::vector<std::uint8_t> longBlob = Blob(6, 2, kGood);
    longBlob.push_back(0);
    const struct {
        const char* what;
        std::vector<std::uint8_t> blob;
    } rows[] = {
        {"61 bytes", shortBlob},
        {"63 bytes", longBlob},
        {"count 5", Blob(5, 2, kGood)},
        {"count 7", Blob(7, 2, kGood)},
        {"sort -7", Blob(6, -7, kGood)},
        {"sort 7", Blob(6, 7, kGood)},
        {"negative order", Blob(6, 2, negative)},
        {"order twice", Blob(6, 2, twice)},
        {"order past the end", Blob(6, 2, pastEnd)},
        {"shown flag 2", Blob(6, 2, badFlag)},
        {"empty", {}},
    };
    const std::vector<int> before = Snapshot();
    for (const auto& r : rows) {
        EXPECT_FALSE(w.list.RestoreState(r.blob.data(), static_cast<unsigned>(r.blob.size()))) << r.what;
        EXPECT_EQ(Snapshot(), before) << r.what;
    }
    EXPECT_FALSE(w.list.RestoreState(nullptr, 62));
}

TEST_F(EngineLayoutTest, AGoodLayoutSetsSortShownColumnsWidthsAndOrder)
{
    const std::vector<std::uint8_t> blob = Blob(6, -6, kGood);
    ASSERT_EQ(blob.size(), 62u);
    ASSERT_TRUE(w.list.RestoreState(blob.data(), 62));
    EXPECT_EQ(w.list.GetSortColumn(), -6); // the descending arrow on the last column
    EXPECT_FALSE(w.list.IsColumnVisible(3));
    EXPECT_EQ(w.ControlColumnCount(), 5);
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNWIDTH, 1), 121);
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNWIDTH, 3), 0); // hidden: remembered, not shown
    int order[6] = {};
    w.list.SendMessage(LVM_GETCOLUMNORDERARRAY, 6, reinterpret_cast<LPARAM>(order));
    EXPECT_EQ(std::vector<int>(order, order + 6), std::vector<int>({0, 1, 2, 4, 3, 5}));
    EXPECT_EQ(w.list.CheckInvariants(), "");
    // Shown again, the hidden column takes the stored width and its place.
    w.list.ShowColumn(3, true);
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNWIDTH, 3), 123);
    EXPECT_EQ(w.ControlText(0, 3), "x3");
    EXPECT_EQ(w.list.CheckInvariants(), "");
}

TEST_F(EngineLayoutTest, OnlyTheLowSixteenBitsOfAWidthCount)
{
    std::vector<Col> wide = kGood;
    wide[1].width = 0x10000 + 64;
    const std::vector<std::uint8_t> blob = Blob(6, 2, wide);
    ASSERT_TRUE(w.list.RestoreState(blob.data(), 62));
    EXPECT_EQ(w.list.SendMessage(LVM_GETCOLUMNWIDTH, 1), 64);
}

} // namespace
