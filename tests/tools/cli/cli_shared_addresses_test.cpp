// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// discover's shared addresses: two MACs on one address and one interface.
#include <gtest/gtest.h>

#include <cstring>

#include "varnex-cli/cli_shared_addresses.h"

namespace {

packet::Bytes Answer(std::uint8_t lastIp, std::uint8_t lastMac)
{
    packet::Bytes f{};
    const std::uint8_t ip[] = {10, 0, 0, lastIp}, mac[] = {0x00, 0x0A, 0x00, 0x00, 0x00, lastMac};
    std::memcpy(&f[4], ip, 4);
    std::memcpy(&f[12], mac, 6);
    f[41] = 31;
    return f;
}

} // namespace

TEST(CliSharedAddresses, TwoMacsOnOneAddressAndInterfaceAreSharedOneMacTwiceIsNot)
{
    cli::ListenResult result;
    result.answers = {Answer(5, 1), Answer(5, 2), Answer(6, 3), Answer(6, 3), Answer(5, 4), Answer(7, 5), Answer(7, 6)};
    // The last two are on different segments: the same address twice is no conflict there.
    result.interfaces = {2, 2, 2, 2, 2, 2, 3};
    result.interfaceNames = {{2, "eth0"}, {3, "eth1"}};
    const cli::SharedAddresses found = cli::FindSharedAddresses(result);
    EXPECT_EQ(found.shared, (std::vector<bool>{true, true, false, false, true, false, false}));
    ASSERT_EQ(found.warnings.size(), 1u);
    EXPECT_EQ(
        found.warnings[0],
        "warning: 3 devices answer from 10.0.0.5 on eth0: 00-0A-00-00-00-01, 00-0A-00-00-00-02, 00-0A-00-00-00-04");
}
