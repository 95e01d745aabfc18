// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The packets varnex-cli sends and how a MAC argument finds its device.
#include <gtest/gtest.h>

#include <cstring>

#include "varnex-cli/cli_command_packets.h"
#include "varnex-cli/cli_device_lookup.h"

namespace {

device::Device Typed(device::Ipv4 ip, device::Ipv4 mask, device::Ipv4 gateway, std::uint8_t lastMac)
{
    device::Device d;
    d.name = "Cam-Lobby";
    d.ip = ip;
    d.mask = mask;
    d.gateway = gateway;
    d.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, lastMac};
    d.model = device::kModelV;
    return d;
}

// The 52 bytes, with the named ranges set and every other byte zero.
packet::Bytes Expected(std::initializer_list<std::pair<std::size_t, std::vector<std::uint8_t>>> ranges)
{
    packet::Bytes b{};
    for (const auto& [at, bytes] : ranges)
        std::memcpy(&b[at], bytes.data(), bytes.size());
    return b;
}

TEST(CliCommandPackets, OnlyTheIpChangedGivesOnePacket)
{
    const auto d = Typed({192, 168, 1, 20}, {255, 255, 255, 0}, {192, 168, 1, 1}, 0x4E);
    const auto packets = cli::SetIpPackets(d, {cli::Ipv4{{192, 168, 1, 50}}, std::nullopt, std::nullopt});
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(PacketBytes(packets[0]), Expected({{0, {'Q', 'Z', 'R', 0x3A}},
                                                 {4, {0xC0, 0xA8, 0x01, 0x32}},
                                                 {8, {0xFF, 0xFF, 0xFF, 0x00}},
                                                 {12, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}},
                                                 {35, {0xC0, 0xA8, 0x01, 0x01}}}));
}

TEST(CliCommandPackets, AllChangedInOrderEachWithAllNewValues)
{
    const auto d = Typed({192, 168, 1, 20}, {255, 255, 255, 0}, {192, 168, 1, 1}, 0x4E);
    const cli::Ipv4 ip{{10, 0, 0, 5}}, mask{{255, 0, 0, 0}}, gw{{10, 0, 0, 1}};
    const auto packets = cli::SetIpPackets(d, {ip, mask, gw});
    ASSERT_EQ(packets.size(), 3u);
    const std::uint8_t codes[] = {0x3A, 0x3B, 0x3E};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(packets[i].command, codes[i]);
        EXPECT_EQ(std::memcmp(packets[i].ipAddress, ip.bytes, 4), 0);
        EXPECT_EQ(std::memcmp(packets[i].subnetMask, mask.bytes, 4), 0);
        EXPECT_EQ(std::memcmp(packets[i].gatewayIp, gw.bytes, 4), 0);
    }
}

TEST(CliCommandPackets, ValuesEqualToTheDevicesAreNoChange)
{
    const auto d = Typed({192, 168, 1, 20}, {255, 255, 255, 0}, {0, 0, 0, 0}, 0x50);
    EXPECT_TRUE(cli::SetIpPackets(d, {}).empty());
    EXPECT_TRUE(
        cli::SetIpPackets(d, {cli::Ipv4{{192, 168, 1, 20}}, cli::Ipv4{{255, 255, 255, 0}}, cli::Ipv4{{0, 0, 0, 0}}})
            .empty());
    const auto packets = cli::SetIpPackets(d, {std::nullopt, std::nullopt, cli::Ipv4{{192, 168, 1, 1}}});
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].command, 0x3E);
    EXPECT_EQ(packets[0].ipAddress[3], 20);
}

TEST(CliCommandPackets, SetMacResetAndFirmwareUpdate)
{
    EXPECT_EQ(
        PacketBytes(cli::SetMacPacket(cli::Ipv4{{192, 168, 1, 20}}, cli::Mac{{0, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}})),
        Expected(
            {{0, {'Q', 'Z', 'R', 0x3C}}, {4, {0xC0, 0xA8, 0x01, 0x14}}, {12, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}}}));
    const cli::Mac mac{{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}};
    for (std::uint8_t code : {CMD_SOFT_RESET, CMD_UPDATE_FIRMWARE})
        EXPECT_EQ(PacketBytes(cli::DeviceOrderPacket(code, mac)),
                  Expected({{0, {'Q', 'Z', 'R', code}}, {12, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}}));
}

TEST(CliCommandPackets, FirstDeviceWithTheMacOrIpWhateverTheArgumentsSpelling)
{
    device::DeviceTable devices;
    EXPECT_FALSE(cli::FindDeviceByMac(devices, cli::Mac{}).has_value());
    devices.Add(Typed({10, 0, 0, 1}, {255, 0, 0, 0}, {}, 0x4F));
    devices.Add(Typed({10, 0, 0, 2}, {255, 0, 0, 0}, {}, 0x4E));
    devices.Add(Typed({10, 0, 0, 1}, {255, 0, 0, 0}, {}, 0x4E));
    for (const char* text : {"00-0A-1B-2C-3D-4E", "00:0a:1b:2c:3d:4e", "0:A:1b:2C:3d:4E"}) {
        cli::Mac mac;
        ASSERT_TRUE(cli::ParseMacSelector(text, mac)) << text;
        EXPECT_EQ(cli::FindDeviceByMac(devices, mac), 1u) << text;
    }
    EXPECT_FALSE(cli::FindDeviceByMac(devices, cli::Mac{{0, 0x0A, 0x1B, 0x2C, 0x3D, 0x50}}).has_value());
    EXPECT_EQ(cli::FindDeviceByIp(devices, cli::Ipv4{{10, 0, 0, 1}}), 0u);
    EXPECT_FALSE(cli::FindDeviceByIp(devices, cli::Ipv4{{10, 0, 0, 3}}).has_value());
}

} // namespace
