// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// No copy of the password outlives its send: the command sender's buffer is
// wiped after each datagram and the packets never hold it; VARNEX_PASSWORD
// leaves the environment before the first datagram of a command goes out.
// Runs over loopback only.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "commands/command_builders.h"
#include "devices/change_log.h"
#include "support/loopback_socket.h"
#include "varnex-cli/cli_command_sender.h"
#include "varnex-cli/cli_commands.h"
#include "varnex-cli/cli_password.h"

namespace {

// A device's socket on 127.0.0.1 with a port of its own choosing.
struct LoopbackDevice : LoopbackSocket {
    LoopbackDevice() : LoopbackSocket(5) {}
    // One datagram and where it came from; an empty frame after the timeout.
    packet::Bytes Receive(sockaddr_in* from = nullptr) const
    {
        packet::Bytes frame{};
        sockaddr_in source{};
        socklen_t len = sizeof source;
        ::recvfrom(fd, frame.data(), frame.size(), 0, reinterpret_cast<sockaddr*>(&source), &len);
        if (from)
            *from = source;
        return frame;
    }
};

DiscoveryPorts LoopbackPorts(std::uint16_t devicePort)
{
    LoopbackDevice free; // a port that was free a moment ago
    DiscoveryPorts ports;
    ports.localPort = free.port;
    ports.devicePort = devicePort;
    ports.broadcastAddress = "127.0.0.1";
    return ports;
}

bool PasswordBytesAreZero(const packet::Bytes& bytes)
{
    for (std::size_t i = packet::kPasswordAt; i < packet::kPasswordAt + packet::kPasswordSize; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

TEST(CliPasswordCopies, TheWireGetsThePasswordAndNoBufferKeepsIt)
{
    LoopbackDevice device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    const std::uint8_t mac[6] = {0, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    const std::vector<COMMAND_PACKET> packets = {BuildDeviceOrder(CMD_SOFT_RESET, mac),
                                                 BuildDeviceOrder(CMD_UPDATE_FIRMWARE, mac)};

    cli::CommandSender sender(socket);
    ASSERT_TRUE(sender.SendAll(packets, "secret", error)) << error;
    for (std::uint8_t code : {CMD_SOFT_RESET, CMD_UPDATE_FIRMWARE}) {
        const packet::Bytes sent = device.Receive();
        EXPECT_EQ(sent[packet::kCommandAt], code);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&sent[packet::kPasswordAt]), 8),
                  std::string("secret\0\0", 8));
    }
    EXPECT_TRUE(PasswordBytesAreZero(sender.SendBuffer()));
    EXPECT_EQ(sender.SendBuffer()[packet::kCommandAt], CMD_UPDATE_FIRMWARE); // the buffer was used
    for (const COMMAND_PACKET& packet : packets)
        for (std::uint8_t b : packet.password)
            EXPECT_EQ(b, 0);
}

TEST(CliPasswordCopies, ATooLongPasswordSendsNothing)
{
    LoopbackDevice device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    const std::uint8_t mac[6] = {};
    cli::CommandSender sender(socket);
    EXPECT_FALSE(sender.SendAll({BuildDeviceOrder(CMD_SOFT_RESET, mac)}, "123456789", error));
    EXPECT_EQ(error, "Please enter no more than 8 characters.");
    EXPECT_TRUE(PasswordBytesAreZero(sender.SendBuffer()));
    char byte = 0;
    EXPECT_EQ(::recv(device.fd, &byte, 1, MSG_DONTWAIT), -1);
}

TEST(CliPasswordCopies, WipesOverwriteTheBytesTheyAreGiven)
{
    COMMAND_PACKET packet = MakeCommandPacket(CMD_SOFT_RESET);
    ASSERT_TRUE(SetPacketPassword(packet, "12345678"));
    WipePassword(packet);
    for (std::uint8_t b : packet.password)
        EXPECT_EQ(b, 0);
    EXPECT_EQ(packet.command, CMD_SOFT_RESET);

    packet::Bytes bytes;
    bytes.fill(0x5A);
    WipePassword(bytes);
    EXPECT_TRUE(PasswordBytesAreZero(bytes));
    EXPECT_EQ(bytes[packet::kPasswordAt - 1], 0x5A);
    EXPECT_EQ(bytes[packet::kPasswordAt + packet::kPasswordSize], 0x5A);
}

TEST(CliPasswordCopies, TheEnvironmentPasswordIsGoneBeforeTheProbeOfSetIp)
{
    LoopbackDevice device;
    cli::Options options;
    options.command = cli::Command::kSetIp;
    options.ports = LoopbackPorts(device.port);
    options.waitSeconds = 0.3;
    options.device = cli::Mac{{0, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}};
    options.newIp = cli::Ipv4{{192, 168, 1, 50}};
    options.verify = false; // the device here answers one probe only
    ::setenv("VARNEX_PASSWORD", "secret", 1);

    bool setAtProbe = true;
    packet::Bytes command{};
    std::thread answering([&] {
        sockaddr_in from{};
        device.Receive(&from); // the probe
        setAtProbe = std::getenv("VARNEX_PASSWORD") != nullptr;
        packet::Bytes reply{};
        const std::uint8_t ip[4] = {192, 168, 1, 20};
        std::copy(std::begin(ip), std::end(ip), reply.begin() + packet::kIpAt);
        std::copy(options.device.bytes, options.device.bytes + 6, reply.begin() + packet::kMacAt);
        reply[packet::kModelAt] = 31;
        ::sendto(device.fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), sizeof from);
        command = device.Receive();
    });
    const int status = cli::RunCommand(options);
    answering.join();
    const bool setAfter = std::getenv("VARNEX_PASSWORD") != nullptr;
    ::unsetenv("VARNEX_PASSWORD");

    EXPECT_EQ(status, cli::kSuccess);
    EXPECT_FALSE(setAtProbe);
    EXPECT_FALSE(setAfter);
    // The value taken at start is the one sent.
    EXPECT_EQ(command[packet::kCommandAt], CMD_SET_IP);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&command[packet::kPasswordAt]), 6), "secret");

    // The change is in the log, the password is not.
    std::ifstream file(device::ChangeLog::DefaultPath(), std::ios::binary);
    const std::string log{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_NE(log.find("\"mac\": \"00-0A-1B-2C-3D-4E\", \"command\": \"set-ip\", \"before\": {\"ip\": "
                       "\"192.168.1.20\"}, \"after\": {\"ip\": \"192.168.1.50\"}"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("secret"), std::string::npos) << log;
}

} // namespace
