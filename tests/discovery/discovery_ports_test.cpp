// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The discovery port's failure text.
#include <gtest/gtest.h>

#include "discovery/discovery_ports.h"

TEST(DiscoveryPortsTest, PortStandsBetweenTheApostrophes)
{
    EXPECT_EQ(SocketOpenFailMessage(4000), "Socket port '4000' Open fail ！");
    EXPECT_EQ(SocketOpenFailMessage(4711), "Socket port '4711' Open fail ！");
}
