// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The simulator's replies, read back with the program's own reply parser: a
// row must show what the device was configured with.
#include <gtest/gtest.h>

#include "discovery/device_reply.h"
#include "varnex-sim/sim_reply.h"

namespace {

sim::Device CamLobby()
{
    sim::Device d;
    d.name = "Cam-Lobby";
    d.ip = {192, 168, 1, 20};
    d.mask = {255, 255, 255, 0};
    d.gateway = {192, 168, 1, 1};
    d.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    d.versionMajor = 0x01;
    d.versionMinor = 0x20;
    d.model = 31;
    d.password = "secret";
    return d;
}

std::vector<std::string> Row(const sim::Device& d)
{
    const device::DeviceRow row = device::ReplyToRow(sim::BuildReply(d));
    return {row.columns.begin(), row.columns.end()};
}

TEST(SimReply, BytesSitAtTheirOffsets)
{
    const packet::Bytes r = sim::BuildReply(CamLobby());
    // clang-format off
    const packet::Bytes expected = {
        'Q', 'Z', 'R', 0x39,                                     // magic, probe code
        192, 168, 1, 20,                                         // 4-7 IP
        255, 255, 255, 0,                                        // 8-11 mask
        0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E,                      // 12-17 MAC
        'C', 'a', 'm', '-', 'L', 'o', 'b', 'b', 'y', 0, 0, 0, 0, 0, 0, 0, 0,  // 18-34 name
        192, 168, 1, 1,                                          // 35-38 gateway
        0x01, 0x20, 31,                                          // 39-41 version, model
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0};                           // 42-51
    // clang-format on
    EXPECT_EQ(r, expected);
}

TEST(SimReply, RowReadsBackAsConfigured)
{
    EXPECT_EQ(Row(CamLobby()), (std::vector<std::string>{"Cam-Lobby", "192.168.1.20", "255.255.255.0", "192.168.1.1",
                                                         "00-0A-1B-2C-3D-4E", "1.20"}));
    EXPECT_EQ(device::ReplyToRow(sim::BuildReply(CamLobby())).image, device::kImageKnown);

    sim::Device w = CamLobby();
    w.model = 32;
    w.name = "Door 2, East 50%"; // 16 bytes, comma and percent kept
    w.versionMajor = 0x0A;
    w.versionMinor = 0x05;
    EXPECT_EQ(Row(w), (std::vector<std::string>{"Door 2, East 50%", "192.168.1.20", "255.255.255.0", "192.168.1.1",
                                                "00-0A-1B-2C-3D-4E", "A.05"}));
}

TEST(SimReply, NameFieldEdges)
{
    sim::Device d = CamLobby();
    d.name = "";
    EXPECT_EQ(Row(d)[device::kName], "J-K700-V");

    d.name = std::string(17, 'x'); // fills the field: no NUL, so the list shows the model name
    const packet::Bytes full = sim::BuildReply(d);
    EXPECT_EQ(full[packet::kNameAt + 16], 'x');
    EXPECT_EQ(full[packet::kGatewayAt], 192);
    EXPECT_EQ(Row(d)[device::kName], "J-K700-V");

    d.name = std::string(16, 'y');
    EXPECT_EQ(Row(d)[device::kName], std::string(16, 'y'));
}

TEST(SimReply, UnknownModelStillCarriesItsAddresses)
{
    sim::Device d = CamLobby();
    d.model = 5;
    const packet::Bytes r = sim::BuildReply(d);
    EXPECT_EQ(r[packet::kModelAt], 5);
    EXPECT_EQ(r[packet::kGatewayAt + 3], 1); // sent, though the list shows 0.0.0.0
    EXPECT_EQ(Row(d), (std::vector<std::string>{"Unknown", "192.168.1.20", "255.255.255.0", "0.0.0.0",
                                                "00-0A-1B-2C-3D-4E", "0.00"}));
}

TEST(SimReply, FirmwareModeShowsPrefixedNameAndZeroVersion)
{
    sim::Device d = CamLobby();
    d.firmwareMode = true;
    EXPECT_EQ(Row(d)[device::kName], "FW-Cam-Lobby");
    EXPECT_EQ(Row(d)[device::kVersion], "0.00");

    d.name = std::string(17, 'z');
    EXPECT_EQ(sim::ShownName(d), "FW-" + std::string(13, 'z'));
    EXPECT_EQ(Row(d)[device::kName], "FW-" + std::string(13, 'z'));
    EXPECT_EQ(sim::BuildReply(d)[packet::kNameAt + 16], 0);
}

} // namespace
