// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device table: entries in answer order, shared addresses, look-up by MAC.
#include <gtest/gtest.h>

#include "devices/device_table.h"

namespace {

using device::DeviceTable;
using Seen = DeviceTable::Seen;

device::Device At(std::uint8_t ipLast, std::uint8_t macLast, unsigned interfaceIndex = 1)
{
    device::Device d;
    d.ip = {192, 168, 1, ipLast};
    d.mac = {0x00, 0x0A, 0, 0, 0, macLast};
    d.interfaceIndex = interfaceIndex;
    return d;
}

} // namespace

TEST(DeviceTableTest, SharingFollowsMacsAndInterfaces)
{
    struct Step {
        std::uint8_t ip, mac;
        unsigned interfaceIndex;
        Seen seen;
    };
    const Step steps[] = {
        {100, 1, 1, Seen::kAlone},       {101, 2, 1, Seen::kAlone},
        {100, 1, 1, Seen::kAlone},                                   // the same device answering again
        {100, 3, 2, Seen::kAlone},                                   // the same address on another segment
        {100, 3, 1, Seen::kNewlyShared},                             // a second device on the first segment
        {100, 4, 1, Seen::kShared},      {100, 1, 1, Seen::kShared}, // a repeat, once shared, stays shared
    };
    DeviceTable table;
    for (const Step& s : steps) {
        const DeviceTable::Added added = table.Add(At(s.ip, s.mac, s.interfaceIndex));
        EXPECT_EQ(added.seen, s.seen) << int(s.ip) << "/" << int(s.mac) << "@" << s.interfaceIndex;
        EXPECT_EQ(table[added.id].mac[5], s.mac) << "entries stay in answer order";
    }
    EXPECT_EQ(table.Size(), std::size(steps));
    EXPECT_TRUE(table.IsShared(At(100, 1)));
    EXPECT_FALSE(table.IsShared(At(100, 3, 2)));
    EXPECT_FALSE(table.IsShared(At(101, 2)));
    EXPECT_EQ(table.OthersAt(At(100, 3)), (std::vector<device::Mac>{At(0, 1).mac, At(0, 4).mac}));
    EXPECT_EQ(table.SharedAddresses(), std::vector<device::AddressKey>{device::AddressKeyOf(At(100, 1))});
    table.Clear();
    EXPECT_FALSE(table.IsShared(At(100, 1)));
    EXPECT_TRUE(table.SharedAddresses().empty());
}

TEST(DeviceTableTest, ABatchAtOneFactoryAddressIsCountedOncePerDevice)
{
    // Past a few MACs at one address the table keeps a set: the answers are
    // still told apart exactly.
    DeviceTable table;
    for (int round = 0; round < 2; ++round)
        for (int mac = 1; mac <= 40; ++mac)
            table.Add(At(100, static_cast<std::uint8_t>(mac)));
    EXPECT_EQ(table.MacsAt(device::AddressKeyOf(At(100, 1))).size(), 40u);
    EXPECT_EQ(table.OthersAt(At(100, 9)).size(), 39u);
    EXPECT_EQ(table.SharedAddresses().size(), 1u);
}

TEST(DeviceTableTest, FindByMacTakesTheLatestEntryOnThatInterface)
{
    DeviceTable table;
    table.Add(At(10, 1, 1));
    table.Add(At(11, 1, 2));
    const auto latest = table.Add(At(12, 1, 1)).id;
    EXPECT_EQ(table.FindByMac(At(0, 1).mac, 1), latest);
    EXPECT_EQ(table.FindByMac(At(0, 1).mac, 2), std::optional<device::DeviceId>{1});
    EXPECT_EQ(table.FindByMac(At(0, 1).mac, 3), std::nullopt);
    EXPECT_EQ(table.FindByMac(At(0, 2).mac, 1), std::nullopt);
    EXPECT_EQ(table.Find(99), nullptr);
}
