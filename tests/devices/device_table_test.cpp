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

TEST(DeviceTableTest, AnUpdateKeepsTheIdAndTheLookUpsFollowTheNewFields)
{
    DeviceTable table;
    const auto first = table.Add(At(100, 1)).id;
    const auto second = table.Add(At(100, 2)).id;
    const device::AddressKey at100 = device::AddressKeyOf(At(100, 1));
    const device::AddressKey at101 = device::AddressKeyOf(At(101, 1));

    // The second device moves: .100 is no longer shared, and says so.
    DeviceTable::Updated moved = table.Update(second, At(101, 2));
    EXPECT_EQ(moved.seen, Seen::kAlone);
    EXPECT_EQ(moved.unshared, at100);
    EXPECT_EQ(table[second].ip, At(101, 2).ip);
    EXPECT_FALSE(table.IsShared(At(100, 1)));
    EXPECT_TRUE(table.SharedAddresses().empty());
    EXPECT_EQ(table.MacsAt(at101), std::vector<device::Mac>{At(0, 2).mac});

    // The first one follows it there; then it takes another MAC.
    moved = table.Update(first, At(101, 1));
    EXPECT_EQ(moved.seen, Seen::kNewlyShared);
    EXPECT_EQ(moved.unshared, std::nullopt);
    EXPECT_TRUE(table.MacsAt(at100).empty());
    EXPECT_EQ(table.SharedAddresses(), std::vector<device::AddressKey>{at101});
    EXPECT_EQ(table.Update(first, At(101, 1)).seen, Seen::kShared) << "nothing moved";
    table.Update(first, At(101, 9));
    EXPECT_EQ(table.FindByMac(At(0, 1).mac, 1), std::nullopt);
    EXPECT_EQ(table.FindByMac(At(0, 9).mac, 1), first);
    EXPECT_EQ(table.MacsAt(at101), (std::vector<device::Mac>{At(0, 2).mac, At(0, 9).mac}));
    EXPECT_EQ(table.Size(), 2u);
}

TEST(DeviceTableTest, ARemovedEntryIsNeverFoundAndItsIdIsGivenAgain)
{
    DeviceTable table;
    table.Add(At(10, 1));
    const auto removed = table.Add(At(20, 2)).id;
    table.Add(At(20, 3)); // shares .20 with the one removed
    table.Add(At(30, 4));
    const std::uint64_t stamp = table.StampOf(removed);

    EXPECT_EQ(table.Remove(removed), device::AddressKeyOf(At(20, 2)));
    EXPECT_EQ(table.Remove(removed), std::nullopt) << "twice is harmless";
    EXPECT_EQ(table.Size(), 3u);
    EXPECT_FALSE(table.Contains(removed));
    EXPECT_EQ(table.Find(removed), nullptr);
    EXPECT_EQ(table.StampOf(removed), 0u);
    EXPECT_EQ(table.FindByMac(At(0, 2).mac, 1), std::nullopt);
    EXPECT_FALSE(table.IsShared(At(20, 3)));
    std::vector<device::DeviceId> ids(table.Ids().begin(), table.Ids().end());
    EXPECT_EQ(ids, (std::vector<device::DeviceId>{0, 2, 3}));
    std::vector<std::uint8_t> macs;
    for (const device::Device& d : table.All())
        macs.push_back(d.mac[5]);
    EXPECT_EQ(macs, (std::vector<std::uint8_t>{1, 3, 4}));

    // The free id is given to the next entry, with a stamp of its own; churn
    // never takes the ids past the most entries held at once.
    const auto reused = table.Add(At(40, 5)).id;
    EXPECT_EQ(reused, removed);
    EXPECT_NE(table.StampOf(reused), stamp);
    for (std::uint8_t n = 0; n < 200; ++n)
        table.Remove(table.Add(At(50, n)).id);
    EXPECT_EQ(table.IdLimit(), 5u);
    EXPECT_EQ(table.Size(), 4u);

    // One of two answers of one device goes: the device still answers from its address.
    DeviceTable answers;
    const auto once = answers.Add(At(60, 1)).id;
    answers.Add(At(60, 1));
    answers.Add(At(60, 2));
    EXPECT_EQ(answers.Remove(once), std::nullopt);
    EXPECT_TRUE(answers.IsShared(At(60, 2)));
    EXPECT_EQ(answers.FindByMac(At(0, 1).mac, 1), std::optional<device::DeviceId>{1});
}

TEST(DeviceTableTest, ABatchAtOneAddressKeepsItsOrderThroughRemovals)
{
    // Past a few MACs the places are kept in a map; taking some out must leave
    // the rest findable, in the order they first answered.
    DeviceTable table;
    std::vector<device::DeviceId> ids;
    for (int mac = 1; mac <= 20; ++mac)
        ids.push_back(table.Add(At(100, static_cast<std::uint8_t>(mac))).id);
    table.Remove(ids[4]);  // MAC 5
    table.Remove(ids[15]); // MAC 16
    table.Add(At(100, 5));
    table.Remove(ids[0]); // MAC 1
    std::vector<std::uint8_t> order;
    for (const device::Mac& m : table.MacsAt(device::AddressKeyOf(At(100, 1))))
        order.push_back(m[5]);
    std::vector<std::uint8_t> want;
    for (std::uint8_t mac = 2; mac <= 20; ++mac)
        if (mac != 5 && mac != 16)
            want.push_back(mac);
    want.push_back(5);
    EXPECT_EQ(order, want);
    for (std::uint8_t mac : want)
        table.Remove(*table.FindByMac(At(0, mac).mac, 1));
    EXPECT_TRUE(table.Empty());
    EXPECT_TRUE(table.SharedAddresses().empty());
    EXPECT_TRUE(table.MacsAt(device::AddressKeyOf(At(100, 1))).empty());
}
