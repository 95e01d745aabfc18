// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The frame's remembered size and place, as the profile keeps it.
#include <gtest/gtest.h>

#include "app/window_placement.h"

TEST(WindowPlacementTest, APlacementReadsBackAsItWasWritten)
{
    const RECT rc{-40, 25, 860, 625};
    EXPECT_EQ(FormatPlacement(rc), "-40,25,900,600");
    const auto back = ParsePlacement(FormatPlacement(rc));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->left, -40);
    EXPECT_EQ(back->top, 25);
    EXPECT_EQ(back->right, 860);
    EXPECT_EQ(back->bottom, 625);
}

TEST(WindowPlacementTest, TextThatIsNotAUsablePlacementIsIgnored)
{
    for (const char* text :
         {"", "10,10,800", "10,10,800,600,5", "10,10,800,600,", "10;10;800;600", "a,b,c,d", "10,10,800,600x",
          " 10,10,800,600", "10,10,100,600", "10,10,800,100", "99999,10,800,600", "10,10,800,99999999999"})
        EXPECT_FALSE(ParsePlacement(text).has_value()) << text;
}
