// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Which addresses more than one device answers from.
#include <gtest/gtest.h>

#include "discovery/duplicate_addresses.h"

using Seen = DuplicateAddresses::Seen;

TEST(DuplicateAddressesTest, TwoMacsOnOneAddressAreShared)
{
    DuplicateAddresses d;
    EXPECT_EQ(d.Add("192.168.1.100", "00-0A-00-00-00-01"), Seen::kAlone);
    EXPECT_FALSE(d.IsShared("192.168.1.100"));
    EXPECT_EQ(d.Add("192.168.1.101", "00-0A-00-00-00-02"), Seen::kAlone);
    EXPECT_EQ(d.Add("192.168.1.100", "00-0A-00-00-00-03"), Seen::kNewlyShared);
    EXPECT_EQ(d.Add("192.168.1.100", "00-0A-00-00-00-04"), Seen::kShared);
    EXPECT_TRUE(d.IsShared("192.168.1.100"));
    EXPECT_FALSE(d.IsShared("192.168.1.101"));
    EXPECT_EQ(d.OthersAt("192.168.1.100", "00-0A-00-00-00-03"),
              (std::vector<std::string>{"00-0A-00-00-00-01", "00-0A-00-00-00-04"}));
    EXPECT_EQ(d.SharedAddresses(), (std::vector<std::string>{"192.168.1.100"}));
}

TEST(DuplicateAddressesTest, OneMacAnsweringTwiceIsNotADuplicate)
{
    DuplicateAddresses d;
    EXPECT_EQ(d.Add("10.0.0.5", "00-0A-00-00-00-01"), Seen::kAlone);
    EXPECT_EQ(d.Add("10.0.0.5", "00-0A-00-00-00-01"), Seen::kAlone);
    EXPECT_FALSE(d.IsShared("10.0.0.5"));
    EXPECT_TRUE(d.SharedAddresses().empty());
    EXPECT_TRUE(d.OthersAt("10.0.0.5", "00-0A-00-00-00-01").empty());
    // Once shared, a repeated answer keeps the address shared and is listed once.
    EXPECT_EQ(d.Add("10.0.0.5", "00-0A-00-00-00-02"), Seen::kNewlyShared);
    EXPECT_EQ(d.Add("10.0.0.5", "00-0A-00-00-00-01"), Seen::kShared);
    EXPECT_EQ(d.MacsAt("10.0.0.5").size(), 2u);
    d.Clear();
    EXPECT_FALSE(d.IsShared("10.0.0.5"));
    EXPECT_TRUE(d.SharedAddresses().empty());
}
