// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The command-line companion's argument parsers: addresses and MAC selectors.
#include <gtest/gtest.h>

#include "varnex-cli/cli_arguments.h"

namespace {

TEST(CliArguments, IpArgumentIsExactlyFourNumbers)
{
    cli::Ipv4 ip;
    EXPECT_TRUE(cli::ParseIpArgument("0.0.0.0", ip));
    EXPECT_TRUE(cli::ParseIpArgument("255.255.255.255", ip));
    EXPECT_EQ(ip, (cli::Ipv4{{255, 255, 255, 255}}));
    for (const char* bad : {"", "1.2.3", "1.2.3.4.", ".1.2.3.4", "1..2.3", "1.2.3.256", "1.2.3.-4", "1.2.3.+4",
                            "1.2.3.0004", "1.2.3.4 ", "a.b.c.d"})
        EXPECT_FALSE(cli::ParseIpArgument(bad, ip)) << bad;
}

TEST(CliArguments, MacSelectorAcceptsDashesOrColonsInAnyCase)
{
    const cli::Mac want{{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}};
    for (const char* text : {"00-0A-1B-2C-3D-4E", "00:0a:1b:2c:3d:4e", "0-a-1B-2c-3D-4e"}) {
        cli::Mac mac;
        ASSERT_TRUE(cli::ParseMacSelector(text, mac)) << text;
        EXPECT_EQ(mac, want) << text;
    }
    cli::Mac mac;
    for (const char* bad : {"00-0A-1B-2C-3D", "00-0A-1B-2C-3D-4E-5F", "00:0A-1B:2C:3D:4E", "00--0A-1B-2C-3D-4E",
                            "00-0A-1B-2C-3D-4G", "000A1B2C3D4E", "00.0A.1B.2C.3D.4E"})
        EXPECT_FALSE(cli::ParseMacSelector(bad, mac)) << bad;
}

} // namespace
