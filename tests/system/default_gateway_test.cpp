// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The default gateway of an interface read from the kernel's routing table.
#include <gtest/gtest.h>

#include <cstring>

#include "system/default_gateway.h"

namespace {

// The table's address field: the number that the address's bytes make in this machine's order.
std::string Hex(GatewayAddress a)
{
    std::uint32_t v = 0;
    std::memcpy(&v, a.data(), 4);
    char text[9];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

} // namespace

TEST(DefaultGateway, TheDefaultRouteOfTheInterfaceWithTheLowestMetric)
{
    const std::string table =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t" +
        Hex({0, 0, 0, 0}) + "\t" + Hex({10, 77, 0, 254}) + "\t0003\t0\t0\t200\t00000000\t0\t0\t0\n" + "eth0\t" +
        Hex({0, 0, 0, 0}) + "\t" + Hex({10, 77, 0, 1}) + "\t0003\t0\t0\t100\t00000000\t0\t0\t0\n" +
        // Not the default route, a route that is down, and one without a gateway.
        "eth0\t" + Hex({10, 77, 0, 0}) + "\t" + Hex({10, 77, 0, 9}) + "\t0003\t0\t0\t0\t" + Hex({255, 255, 255, 0}) +
        "\t0\t0\t0\n" + "eth1\t00000000\t" + Hex({172, 16, 0, 1}) + "\t0002\t0\t0\t0\t00000000\t0\t0\t0\n" +
        "eth2\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n";
    EXPECT_EQ(DefaultGatewayIn(table, "eth0"), (GatewayAddress{10, 77, 0, 1}));
    EXPECT_EQ(DefaultGatewayIn(table, "eth1"), std::nullopt);
    EXPECT_EQ(DefaultGatewayIn(table, "eth2"), std::nullopt);
    EXPECT_EQ(DefaultGatewayIn(table, "eth"), std::nullopt);
}

TEST(DefaultGateway, TextThatIsNoRoutingTableGivesNone)
{
    for (const char* text :
         {"", "\n", "Iface\n", "Iface\neth0", "Iface\neth0 00000000 0100A8C0 0003 0 0 x 00000000",
          "Iface\neth0 00000000 0100A8CG 0003 0 0 0 00000000", "Iface\neth0 00000000 1FFFFFFFF 0003 0 0 0 00000000"})
        EXPECT_EQ(DefaultGatewayIn(text, "eth0"), std::nullopt) << text;
}
