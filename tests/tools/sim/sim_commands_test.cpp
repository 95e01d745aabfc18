// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Command packets built with the program's own packet code, applied by the
// simulator, and seen again through the next probe's replies.
#include <gtest/gtest.h>

#include "commands/command_packet.h"
#include "discovery/device_reply.h"
#include "varnex-sim/sim_commands.h"
#include "varnex-sim/sim_responder.h"

namespace {

using namespace std::chrono_literals;

struct Target {
    const char* mac = "00-00-00-00-00-00";
    const char* ip = "0.0.0.0";
};

packet::Bytes Command(std::uint8_t code, Target target, std::string_view password, const char* newIp = "0.0.0.0",
                      const char* newMask = "0.0.0.0", const char* newGateway = "0.0.0.0")
{
    COMMAND_PACKET p = MakeCommandPacket(code);
    ParseMacBytes(target.mac, p.macAddress);
    ParseDottedBytes(code == CMD_SET_MAC ? target.ip : newIp, p.ipAddress);
    ParseDottedBytes(newMask, p.subnetMask);
    ParseDottedBytes(newGateway, p.gatewayIp);
    EXPECT_TRUE(SetPacketPassword(p, password));
    return PacketBytes(p);
}

class SimCommands : public testing::Test {
protected:
    void SetUp() override
    {
        devices.resize(3);
        const char* names[] = {"Cam-Lobby", "Door", "Hall"};
        const char* passwords[] = {"secret", "12345678", ""};
        for (std::size_t i = 0; i < devices.size(); ++i) {
            devices[i].name = names[i];
            devices[i].ip = {192, 168, 1, static_cast<std::uint8_t>(20 + i)};
            devices[i].gateway = {192, 168, 1, 1};
            devices[i].mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, static_cast<std::uint8_t>(0x4E + i)};
            devices[i].password = passwords[i];
        }
    }

    std::string Apply(const packet::Bytes& frame, sim::Clock::time_point at = {})
    {
        return sim::HandleDatagram(devices, frame, at, 1s).verdict;
    }

    // The rows the devices answer a probe with at that moment.
    std::vector<device::DeviceRow> Probe(sim::Clock::time_point at = {})
    {
        std::vector<device::DeviceRow> rows;
        for (const packet::Bytes& reply : sim::HandleDatagram(devices, packet::BuildProbe(), at, 1s).replies)
            rows.push_back(device::ReplyToRow(reply));
        return rows;
    }

    std::vector<sim::Device> devices;
};

TEST_F(SimCommands, EveryModifyIpCodeSetsAllThreeValues)
{
    for (std::uint8_t code : {CMD_SET_IP, CMD_SET_SUBNET_MASK, CMD_SET_GATEWAY}) {
        SetUp();
        const std::string verdict =
            Apply(Command(code, {.mac = "00-0A-1B-2C-3D-4E"}, "secret", "10.77.0.50", "255.255.0.0", "10.77.0.1"));
        EXPECT_EQ(verdict.rfind("applied " + std::string(sim::CommandName(code)) + " to 00-0A-1B-2C-3D-4E", 0), 0u)
            << verdict;
        const auto rows = Probe();
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0].columns[device::kIp], "10.77.0.50");
        EXPECT_EQ(rows[0].columns[device::kMask], "255.255.0.0");
        EXPECT_EQ(rows[0].columns[device::kGateway], "10.77.0.1");
        EXPECT_EQ(rows[1].columns[device::kIp], "192.168.1.21") << "only the named device changes";
    }
}

TEST_F(SimCommands, PasswordMustMatchTheZeroPaddedField)
{
    const Target cam{.mac = "00-0A-1B-2C-3D-4E"};
    for (const char* wrong : {"", "secre", "secret1", "SECRET"}) {
        const std::string verdict = Apply(Command(CMD_SET_IP, cam, wrong, "10.0.0.9"));
        EXPECT_EQ(verdict, "rejected: bad password for 00-0A-1B-2C-3D-4E") << wrong;
    }
    EXPECT_EQ(devices[0].ip, (sim::Ipv4{192, 168, 1, 20}));

    // All eight bytes count, and no terminator follows them.
    EXPECT_NE(Apply(Command(CMD_SOFT_RESET, {.mac = "00-0A-1B-2C-3D-4F"}, "1234567")).find("bad password"),
              std::string::npos);
    EXPECT_EQ(Apply(Command(CMD_UPDATE_FIRMWARE, {.mac = "00-0A-1B-2C-3D-4F"}, "12345678")).rfind("applied", 0), 0u);
    // A device without a password takes an all-zero field only.
    EXPECT_NE(Apply(Command(CMD_UPDATE_FIRMWARE, {.mac = "00-0A-1B-2C-3D-50"}, "x")).find("bad password"),
              std::string::npos);
    EXPECT_EQ(Apply(Command(CMD_UPDATE_FIRMWARE, {.mac = "00-0A-1B-2C-3D-50"}, "")).rfind("applied", 0), 0u);
}

TEST_F(SimCommands, UnknownTargetChangesNothing)
{
    const std::vector<sim::Device> before = devices;
    EXPECT_EQ(Apply(Command(CMD_SET_IP, {.mac = "00-0A-1B-2C-3D-99"}, "secret", "10.0.0.9")),
              "rejected: set-ip names no device (MAC 00-0A-1B-2C-3D-99)");
    EXPECT_EQ(Apply(Command(CMD_SET_MAC, {.mac = "02-00-00-00-00-01", .ip = "192.168.1.99"}, "secret")),
              "rejected: set-mac names no device (IP 192.168.1.99)");
    for (std::size_t i = 0; i < devices.size(); ++i) {
        EXPECT_EQ(devices[i].ip, before[i].ip);
        EXPECT_EQ(devices[i].mac, before[i].mac);
    }
}

TEST_F(SimCommands, MacChangeByIpThenIpChangeByNewMac)
{
    EXPECT_EQ(Apply(Command(CMD_SET_MAC, {.mac = "02-11-22-33-44-55", .ip = "192.168.1.20"}, "secret")),
              "applied set-mac to 00-0A-1B-2C-3D-4E (now 02-11-22-33-44-55)");
    EXPECT_EQ(Probe()[0].columns[device::kMac], "02-11-22-33-44-55");

    EXPECT_NE(Apply(Command(CMD_SET_IP, {.mac = "00-0A-1B-2C-3D-4E"}, "secret", "10.0.0.5")).find("names no device"),
              std::string::npos);
    EXPECT_EQ(Apply(Command(CMD_SET_IP, {.mac = "02-11-22-33-44-55"}, "secret", "10.0.0.5", "255.0.0.0", "10.0.0.1"))
                  .rfind("applied set-ip to 02-11-22-33-44-55", 0),
              0u);
    EXPECT_EQ(Probe()[0].columns[device::kIp], "10.0.0.5");
}

TEST_F(SimCommands, DevicesSharingAnIpEachJudgeTheMacChange)
{
    devices[1].ip = devices[0].ip; // a common factory default
    const std::string verdict =
        Apply(Command(CMD_SET_MAC, {.mac = "02-00-00-00-00-07", .ip = "192.168.1.20"}, "secret"));
    EXPECT_EQ(verdict, "applied set-mac to 00-0A-1B-2C-3D-4E (now 02-00-00-00-00-07); "
                       "rejected: bad password for 00-0A-1B-2C-3D-4F");
    EXPECT_EQ(devices[1].mac[5], 0x4F);
}

TEST_F(SimCommands, SoftResetSilencesForAWhileThenAnswersAsBefore)
{
    const sim::Clock::time_point t0{};
    const auto before = Probe(t0);
    EXPECT_EQ(Apply(Command(CMD_SOFT_RESET, {.mac = "00-0A-1B-2C-3D-4F"}, "12345678"), t0),
              "applied reset to 00-0A-1B-2C-3D-4F (silent 1.0 s)");

    EXPECT_EQ(sim::HandleDatagram(devices, packet::BuildProbe(), t0 + 999ms, 1s).verdict,
              "probe (2 replies, 1 silent)");
    const auto during = Probe(t0 + 500ms);
    ASSERT_EQ(during.size(), 2u);
    EXPECT_EQ(during[1].columns[device::kName], "Hall");
    EXPECT_EQ(Apply(Command(CMD_SET_IP, {.mac = "00-0A-1B-2C-3D-4F"}, "12345678", "10.0.0.1"), t0 + 500ms),
              "rejected: 00-0A-1B-2C-3D-4F is resetting");

    const auto after = Probe(t0 + 1s);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[1].columns, before[1].columns);
}

TEST_F(SimCommands, ADeviceThatDropsCommandsStillAnswersUnchanged)
{
    devices[0].ignoresCommands = true;
    const auto before = Probe();
    for (std::uint8_t code : {CMD_SET_IP, CMD_SET_MAC, CMD_SOFT_RESET, CMD_UPDATE_FIRMWARE})
        EXPECT_EQ(Apply(Command(code, {.mac = "00-0A-1B-2C-3D-4E", .ip = "192.168.1.20"}, "secret", "10.0.0.5")),
                  "ignored: 00-0A-1B-2C-3D-4E drops commands");
    const auto after = Probe();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0].columns, before[0].columns);
}

TEST_F(SimCommands, FirmwareUpdateChangesNameAndVersionOnly)
{
    devices[0].versionMajor = 1;
    devices[0].versionMinor = 0x20;
    EXPECT_EQ(Apply(Command(CMD_UPDATE_FIRMWARE, {.mac = "00-0A-1B-2C-3D-4E"}, "secret")),
              "applied update-firmware to 00-0A-1B-2C-3D-4E");
    const auto row = Probe()[0];
    EXPECT_EQ(row.columns[device::kName], "FW-Cam-Lobby");
    EXPECT_EQ(row.columns[device::kVersion], "0.00");
    EXPECT_EQ(row.columns[device::kIp], "192.168.1.20");
    EXPECT_EQ(Probe()[1].columns[device::kName], "Door");
}

TEST_F(SimCommands, OtherDatagramsAreIgnored)
{
    packet::Bytes probe = packet::BuildProbe();
    EXPECT_EQ(sim::HandleDatagram(devices, std::span(probe).first(51), {}, 1s).verdict,
              "ignored: 51 bytes, not a 52-byte frame");
    packet::Bytes bad = probe;
    bad[0] = 'X';
    EXPECT_EQ(Apply(bad), "ignored: no QZR magic");
    bad = probe;
    bad[packet::kCommandAt] = 0x40;
    EXPECT_EQ(Apply(bad), "ignored: unknown code 0x40");
    // A command with a wrong header byte is no command, even with the right fields.
    packet::Bytes cmd = Command(CMD_SET_IP, {.mac = "00-0A-1B-2C-3D-4E"}, "secret", "10.0.0.9");
    cmd[2] = 'r';
    EXPECT_EQ(Apply(cmd), "ignored: no QZR magic");
    EXPECT_EQ(devices[0].ip, (sim::Ipv4{192, 168, 1, 20}));
    EXPECT_TRUE(sim::HandleDatagram(devices, bad, {}, 1s).replies.empty());
}

} // namespace
