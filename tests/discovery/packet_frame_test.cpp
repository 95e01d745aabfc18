// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The packet frame: the probe's bytes.
#include <gtest/gtest.h>

#include "discovery/packet_frame.h"

TEST(PacketFrameTest, IsMagicCode39AndZeros)
{
    const packet::Bytes probe = packet::BuildProbe();
    ASSERT_EQ(probe.size(), 52u);
    EXPECT_EQ(probe[0], 'Q');
    EXPECT_EQ(probe[1], 'Z');
    EXPECT_EQ(probe[2], 'R');
    EXPECT_EQ(probe[3], 0x39);
    for (std::size_t i = 4; i < 52; ++i)
        EXPECT_EQ(probe[i], 0) << "byte " << i;
}
