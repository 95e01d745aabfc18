// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// discover's shared addresses: two MACs on one address and one interface.
#include <gtest/gtest.h>

#include "varnex-cli/cli_shared_addresses.h"

namespace {

device::Device At(std::uint8_t lastIp, std::uint8_t lastMac, unsigned interfaceIndex)
{
    device::Device d;
    d.ip = {10, 0, 0, lastIp};
    d.mac = {0x00, 0x0A, 0x00, 0x00, 0x00, lastMac};
    d.model = device::kModelV;
    d.interfaceIndex = interfaceIndex;
    return d;
}

} // namespace

TEST(CliSharedAddresses, TwoMacsOnOneAddressAndInterfaceAreSharedOneMacTwiceIsNot)
{
    cli::ListenResult result;
    // The last two are on different segments: the same address twice is no conflict there.
    for (const device::Device& d : {At(5, 1, 2), At(5, 2, 2), At(6, 3, 2), At(6, 3, 2), At(5, 4, 2), At(7, 5, 2),
                                    At(7, 6, 3), At(8, 7, 9), At(8, 8, 9)})
        result.devices.Add(d);
    result.interfaceNames = {{2, "eth0"}, {3, "eth1"}};
    std::vector<bool> shared;
    for (const device::Device& d : result.devices.All())
        shared.push_back(result.devices.IsShared(d));
    EXPECT_EQ(shared, (std::vector<bool>{true, true, false, false, true, false, false, true, true}));
    // An interface whose name is not known is left out of its line.
    EXPECT_EQ(cli::SharedAddressWarnings(result),
              (std::vector<std::string>{"warning: 3 devices answer from 10.0.0.5 on eth0: 00-0A-00-00-00-01, "
                                        "00-0A-00-00-00-02, 00-0A-00-00-00-04",
                                        "warning: 2 devices answer from 10.0.0.8: 00-0A-00-00-00-07, "
                                        "00-0A-00-00-00-08"}));
}
