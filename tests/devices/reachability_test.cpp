// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Which devices this computer can reach directly: inside the subnet of the
// interface they answered on, or of any interface when that one is not known.
#include <gtest/gtest.h>

#include "devices/device_texts.h"
#include "devices/reachability.h"

namespace {

const std::vector<NetworkInterface> kInterfaces = {{"eth0", 2, "192.168.1.10", "255.255.255.0"},
                                                   {"eth1", 3, "10.88.0.1", "255.255.0.0"},
                                                   {"usb0", 4, "172.16.0.1", ""}}; // mask not known

device::Device At(device::Ipv4 ip, unsigned interfaceIndex)
{
    device::Device d;
    d.ip = ip;
    d.interfaceIndex = interfaceIndex;
    return d;
}

} // namespace

TEST(Reachability, AnInterfaceWithoutAReadableAddressOrMaskGivesNoSubnet)
{
    const std::vector<device::Subnet> subnets =
        device::SubnetsOf({kInterfaces[0], kInterfaces[1], kInterfaces[2], {"bad0", 5, "10.1.1", "255.0.0.0"}});
    ASSERT_EQ(subnets.size(), 2u);
    EXPECT_EQ(device::SubnetText(subnets[0]), "192.168.1.0/24");
    EXPECT_EQ(device::SubnetText(subnets[1]), "10.88.0.0/16");
    EXPECT_EQ(device::SubnetText({"x", 1, {10, 1, 2, 3}, {255, 0, 255, 0}}), "10.0.2.0/255.0.255.0");
}

TEST(Reachability, TheAddressMustLieInTheSubnetOfTheInterfaceItAnsweredOn)
{
    const std::vector<device::Subnet> subnets = device::SubnetsOf(kInterfaces);
    struct Case {
        device::Ipv4 ip;
        unsigned interfaceIndex;
        const char* reason; // null: reachable
    } const cases[] = {
        {{192, 168, 1, 50}, 2, nullptr},
        {{192, 168, 1, 255}, 2, nullptr},
        {{192, 168, 2, 50}, 2, "192.168.2.50 is outside eth0's 192.168.1.0/24: this computer cannot reach it directly"},
        {{10, 0, 0, 50}, 2, "10.0.0.50 is outside eth0's 192.168.1.0/24: this computer cannot reach it directly"},
        // In eth1's subnet, yet it answered on eth0: the packets would leave by the wrong way.
        {{10, 88, 3, 4}, 2, "10.88.3.4 is outside eth0's 192.168.1.0/24: this computer cannot reach it directly"},
        {{10, 88, 3, 4}, 3, nullptr},
        // The interface is not known (0) or not listed (usb0 without a mask, or gone): any subnet will do.
        {{10, 88, 3, 4}, 0, nullptr},
        {{192, 168, 1, 7}, 9, nullptr},
        {{172, 16, 0, 9},
         4,
         "172.16.0.9 is on none of this computer's networks: this computer cannot reach it directly"},
        {{0, 0, 0, 0}, 0, "0.0.0.0 is on none of this computer's networks: this computer cannot reach it directly"},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> reason = device::UnreachableReason(At(c.ip, c.interfaceIndex), subnets);
        SCOPED_TRACE(device::FormatDotted(c.ip) + " on " + std::to_string(c.interfaceIndex));
        if (c.reason == nullptr)
            EXPECT_FALSE(reason) << *reason;
        else
            EXPECT_EQ(reason.value_or("(reachable)"), c.reason);
    }
}

TEST(Reachability, WithNoSubnetKnownNothingIsSaid)
{
    EXPECT_FALSE(device::UnreachableReason(At({10, 0, 0, 50}, 2), {}));
}
