// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// How rows fall onto printed pages.
#include <gtest/gtest.h>

#include "view/print_layout.h"

TEST(PrintLayoutTest, FullPagesHoldTheSameNumberOfRows)
{
    // 41 lines of 10 units fit in 415: lines per page 40, the heading and 40 rows on every page.
    const PrintLayout hundred = ComputePrintLayout(100, 415, 10);
    EXPECT_EQ(hundred.linesPerPage, 40);
    EXPECT_EQ(hundred.rowsPerPage, 40);
    EXPECT_EQ(hundred.pageCount, 3);
    EXPECT_EQ(ComputePrintLayout(40, 415, 10).pageCount, 1);
    EXPECT_EQ(ComputePrintLayout(41, 415, 10).pageCount, 2);
    EXPECT_EQ(ComputePrintLayout(0, 415, 10).pageCount, 1);
}

TEST(PrintLayoutTest, TinyPagesStillPrintOneRowEach)
{
    EXPECT_EQ(ComputePrintLayout(3, 5, 10).rowsPerPage, 1);
    EXPECT_EQ(ComputePrintLayout(3, 5, 10).pageCount, 3);
    EXPECT_EQ(ComputePrintLayout(3, 100, 0).rowsPerPage, 99);
}
