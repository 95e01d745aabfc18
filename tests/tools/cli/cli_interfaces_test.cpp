// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli and the interfaces, over loopback only: the probe sent by the
// route's interface, each answer kept with the interface it came in on and
// shown under that name, answers from other interfaces left out, and the
// commands to a device sent by the interface it answered on, or not at all.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include <cstring>

#include "commands/command_packet.h"
#include "support/loopback_socket.h"
#include "varnex-cli/cli_commands.h"
#include "varnex-cli/cli_listen.h"
#include "varnex-cli/cli_output.h"

namespace {

// A device's socket on 127.0.0.1 with a port of its own choosing; IP_PKTINFO
// tells the interface a datagram came in on.
struct LoopbackDevice : LoopbackSocket {
    LoopbackDevice() : LoopbackSocket(3)
    {
        const int on = 1;
        ::setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    }

    struct Datagram {
        packet::Bytes bytes{};
        sockaddr_in from{};
        unsigned arrivedOn = 0;
        bool received = false;
    };
    Datagram Receive() const
    {
        Datagram d;
        iovec iov{d.bytes.data(), d.bytes.size()};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
        msghdr m{};
        m.msg_name = &d.from;
        m.msg_namelen = sizeof d.from;
        m.msg_iov = &iov;
        m.msg_iovlen = 1;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        d.received = ::recvmsg(fd, &m, 0) > 0;
        for (cmsghdr* c = CMSG_FIRSTHDR(&m); d.received && c != nullptr; c = CMSG_NXTHDR(&m, c))
            if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
                in_pktinfo info{};
                std::memcpy(&info, CMSG_DATA(c), sizeof info);
                d.arrivedOn = static_cast<unsigned>(info.ipi_ifindex);
            }
        return d;
    }
    void Reply(const Datagram& to, std::uint8_t lastIp, const std::uint8_t (&mac)[6]) const
    {
        packet::Bytes reply{};
        const std::uint8_t ip[4] = {192, 168, 1, lastIp};
        std::copy(std::begin(ip), std::end(ip), reply.begin() + packet::kIpAt);
        std::copy(std::begin(mac), std::end(mac), reply.begin() + packet::kMacAt);
        reply[packet::kModelAt] = 31;
        ::sendto(fd, reply.data(), reply.size(), 0, reinterpret_cast<const sockaddr*>(&to.from), sizeof to.from);
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

const unsigned kLoopback = ::if_nametoindex("lo");
constexpr std::uint8_t kMac[6] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};

} // namespace

TEST(CliInterfaces, TheProbeLeavesByTheRoutesInterfaceAndAnswersKeepTheirs)
{
    ASSERT_NE(kLoopback, 0u);
    LoopbackDevice device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    InterfaceRoute route;
    route.interfaces = {{"lo", kLoopback, "127.0.0.1"}};
    LoopbackDevice::Datagram probe;
    std::thread answering([&] {
        probe = device.Receive();
        device.Reply(probe, 20, kMac);
        device.Reply(probe, 21, kMac);
    });
    cli::ListenResult result;
    const bool ok = cli::ListenForDevices(socket, route, 0.3, 5, result, error);
    answering.join();
    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(probe.bytes[packet::kCommandAt], packet::kProbeCode);
    EXPECT_EQ(probe.arrivedOn, kLoopback);
    ASSERT_EQ(result.devices.Size(), 2u);
    for (const device::Device& d : result.devices.All()) {
        EXPECT_EQ(d.interfaceIndex, kLoopback);
        EXPECT_EQ(cli::InterfaceNameOf(result, d), "lo");
    }
    EXPECT_EQ(cli::InterfaceNameOf(result, device::Device{}), "");

    const std::string json = cli::FormatDevices(result, cli::Format::kJson);
    EXPECT_NE(json.find("\"ip\": \"192.168.1.21\", \"mask\": \"0.0.0.0\", \"gateway\": \"0.0.0.0\", "
                        "\"mac\": \"00-0A-1B-2C-3D-4E\", \"version\": \"0.00\", \"model\": 31, \"interface\": \"lo\", "
                        "\"duplicate_ip\": false, \"reachable\": "),
              std::string::npos)
        << json;
    // csv and the table stay as scripts know them.
    const std::string csv = cli::FormatDevices(result, cli::Format::kCsv);
    EXPECT_EQ(csv.substr(0, csv.find('\r')), "Device Name,IP Address,Subnet Mask,Gateway IP,MAC,Version");
    EXPECT_EQ(csv.find("lo"), std::string::npos);
}

TEST(CliInterfaces, AnswersFromAnotherInterfaceThanTheChosenOneAreLeftOut)
{
    LoopbackDevice device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    InterfaceRoute route;
    route.interfaces = {{"lo", kLoopback, "127.0.0.1"}};
    route.onlyFrom = kLoopback + 1000; // as if another interface had been chosen
    std::thread answering([&] { device.Reply(device.Receive(), 20, kMac); });
    cli::ListenResult result;
    const bool ok = cli::ListenForDevices(socket, route, 0.3, 5, result, error);
    answering.join();
    ASSERT_TRUE(ok) << error;
    EXPECT_TRUE(result.devices.Empty());
    EXPECT_EQ(result.cut, 0);

    InterfaceRoute missing;
    missing.missing = true;
    EXPECT_FALSE(cli::ListenForDevices(socket, missing, 0.3, 5, result, error));
}

TEST(CliInterfaces, AProbeThatCannotGoOutOnOneInterfaceStillGoesOnTheOthers)
{
    LoopbackDevice device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    InterfaceRoute route;
    route.interfaces = {{"gone0", 999999, "10.0.0.1"}, {"lo", kLoopback, "127.0.0.1"}};
    std::thread answering([&] { device.Reply(device.Receive(), 20, kMac); });
    cli::ListenResult result;
    const bool ok = cli::ListenForDevices(socket, route, 0.3, 5, result, error);
    answering.join();
    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(result.devices.Size(), 1u);
    ASSERT_EQ(result.probeFailures.size(), 1u);
    EXPECT_NE(result.probeFailures[0].find("by interface gone0"), std::string::npos) << result.probeFailures[0];

    route.interfaces.pop_back();
    cli::ListenResult none;
    EXPECT_FALSE(cli::ListenForDevices(socket, route, 0.3, 5, none, error));
    EXPECT_NE(error.find("by interface gone0"), std::string::npos) << error;
}

namespace {

cli::Options ResetOptions(std::uint16_t devicePort)
{
    cli::Options options;
    options.command = cli::Command::kReset;
    options.ports = LoopbackPorts(devicePort);
    options.waitSeconds = 0.3;
    options.verify = false; // the device here answers one probe only; cli_confirm_test tries the confirmation
    std::copy(std::begin(kMac), std::end(kMac), options.device.bytes);
    return options;
}

} // namespace

TEST(CliInterfaces, AResetLeavesByTheInterfaceItsDeviceAnsweredOn)
{
    LoopbackDevice device;
    const cli::Options options = ResetOptions(device.port);
    ::setenv("VARNEX_PASSWORD", "pw", 1);
    LoopbackDevice::Datagram probe;
    LoopbackDevice::Datagram command;
    std::thread answering([&] {
        probe = device.Receive();
        device.Reply(probe, 20, kMac);
        command = device.Receive();
    });
    const int status = cli::RunCommand(options);
    answering.join();
    ::unsetenv("VARNEX_PASSWORD");
    EXPECT_EQ(status, cli::kSuccess);
    EXPECT_EQ(probe.bytes[packet::kCommandAt], packet::kProbeCode);
    ASSERT_TRUE(command.received);
    EXPECT_EQ(command.bytes[packet::kCommandAt], CMD_SOFT_RESET);
    EXPECT_EQ(command.arrivedOn, kLoopback);
    EXPECT_EQ(command.bytes[packet::kPasswordAt], 'p');
}

TEST(CliInterfaces, NoResetIsSentForADeviceThatDoesNotAnswerOrAnInterfaceThatIsNotThere)
{
    LoopbackDevice device;
    cli::Options options = ResetOptions(device.port);
    ::setenv("VARNEX_PASSWORD", "pw", 1);
    LoopbackDevice::Datagram probe;
    LoopbackDevice::Datagram after;
    std::thread silent([&] {
        probe = device.Receive();
        const std::uint8_t other[6] = {0, 0, 0, 0, 0, 1};
        device.Reply(probe, 20, other); // another device answers
        timeval shortWait{1, 0};
        ::setsockopt(device.fd, SOL_SOCKET, SO_RCVTIMEO, &shortWait, sizeof shortWait);
        after = device.Receive();
    });
    EXPECT_EQ(cli::RunCommand(options), cli::kRuntimeFailure);
    silent.join();
    EXPECT_EQ(probe.bytes[packet::kCommandAt], packet::kProbeCode);
    EXPECT_FALSE(after.received);

    // A name that no interface has: nothing at all is sent, not even a probe.
    options.interfaceName = "nosuch9";
    EXPECT_EQ(cli::RunCommand(options), cli::kRuntimeFailure);
    char byte = 0;
    EXPECT_EQ(::recv(device.fd, &byte, 1, MSG_DONTWAIT), -1);
    ::unsetenv("VARNEX_PASSWORD");
}
