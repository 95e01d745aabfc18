// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli's discovery listening over loopback: the probe to the device
// port, answers kept in arrival order, the discovery session's windows (the
// window's own rule), the hard limit against a host that never stops, and a
// taken local port that gives the desktop program's failure text.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "support/loopback_socket.h"
#include "varnex-cli/cli_listen.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A port that was free a moment ago.
std::uint16_t FreePort()
{
    LoopbackSocket s;
    return s.port;
}

DiscoveryPorts LoopbackPorts(std::uint16_t devicePort)
{
    DiscoveryPorts ports;
    ports.localPort = FreePort();
    ports.devicePort = devicePort;
    ports.broadcastAddress = "127.0.0.1";
    return ports;
}

// A device that answers the probe with one reply after each delay.
void AnswerProbe(const LoopbackSocket& device, std::vector<Clock::duration> delays, packet::Bytes* probe)
{
    sockaddr_in from{};
    socklen_t len = sizeof from;
    ::recvfrom(device.fd, probe->data(), probe->size(), 0, reinterpret_cast<sockaddr*>(&from), &len);
    const auto start = Clock::now();
    std::uint8_t n = 0;
    for (auto delay : delays) {
        std::this_thread::sleep_until(start + delay);
        packet::Bytes reply{};
        reply[packet::kIpAt] = 10;
        reply[packet::kIpAt + 3] = ++n;
        reply[packet::kModelAt] = 31;
        ::sendto(device.fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
    }
}

TEST(CliListen, EveryAnswerIsKeptInArrivalOrderAsADevice)
{
    LoopbackSocket device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    EXPECT_GT(socket.ReceiveBuffer(), 212992); // more than the kernel's default

    packet::Bytes probe{};
    std::thread answering(AnswerProbe, std::cref(device), std::vector<Clock::duration>{0ms, 50ms, 100ms}, &probe);
    cli::ListenResult result;
    const bool ok = cli::ListenForDevices(socket, {}, 0.4, 30, result, error);
    answering.join();

    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(probe, packet::BuildProbe());
    ASSERT_EQ(result.devices.Size(), 3u);
    for (std::uint8_t i = 0; i < 3; ++i)
        EXPECT_EQ(result.devices[i].ip, (device::Ipv4{10, 0, 0, static_cast<std::uint8_t>(i + 1)}));
    EXPECT_EQ(result.devices[0].model, 31);
    EXPECT_LE(result.devices[0].firstSeen, result.devices[2].firstSeen);
    EXPECT_EQ(result.dropped, 0);
    EXPECT_FALSE(result.cutShort);
    EXPECT_EQ(result.receiveBuffer, socket.ReceiveBuffer());
}

TEST(CliListen, AHostThatNeverStopsSendingIsCutOffByTheLimitsOfTimeAndAnswers)
{
    LoopbackSocket device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    std::atomic<bool> stop{false};
    std::thread flooding([&] {
        packet::Bytes probe{};
        sockaddr_in from{};
        socklen_t len = sizeof from;
        ::recvfrom(device.fd, probe.data(), probe.size(), 0, reinterpret_cast<sockaddr*>(&from), &len);
        const packet::Bytes garbage{};
        while (!stop)
            ::sendto(device.fd, garbage.data(), 7, 0, reinterpret_cast<sockaddr*>(&from), len);
    });
    cli::ListenResult result;
    // Garbage every moment, a quiet time of a minute: only the limit can end
    // this; past 50 answers they are only counted.
    const bool ok = cli::ListenForDevices(socket, {}, 60, 0.3, result, error, 50);
    stop = true;
    flooding.join();
    ASSERT_TRUE(ok) << error;
    EXPECT_TRUE(result.cutShort);
    ASSERT_EQ(result.devices.Size(), 50u);
    EXPECT_GT(result.cut, 0);
    // A short datagram reads as its bytes with zeros after them.
    EXPECT_EQ(result.devices[0].ip, device::Ipv4{});

    // Nothing answers in a window longer than the limit: the limit ends
    // listening, but no answer was cut short.
    LoopbackSocket mute;
    cli::DeviceSocket quiet(LoopbackPorts(mute.port));
    ASSERT_TRUE(quiet.Open(error)) << error;
    cli::ListenResult silent;
    ASSERT_TRUE(cli::ListenForDevices(quiet, {}, 60, 0.2, silent, error)) << error;
    EXPECT_FALSE(silent.cutShort);
    EXPECT_TRUE(silent.devices.Empty());
}

// The window's rule, not a quiet time after each answer: an answer more than
// a window after the one before still counts when it falls in the window that
// the first one opened, and the first window without an answer ends listening.
TEST(CliListen, ListeningGoesOnInWindowsWhileAnswersComeAndEndsAfterAQuietOne)
{
    LoopbackSocket device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    constexpr double kWindow = 0.8;
    packet::Bytes probe{};
    // The first window [0, 0.8) and the second [0.8, 1.6) each get one answer;
    // the third is quiet.
    std::thread answering(AnswerProbe, std::cref(device), std::vector<Clock::duration>{0ms, 1100ms}, &probe);
    const auto start = Clock::now();
    cli::ListenResult result;
    const bool ok = cli::ListenForDevices(socket, {}, kWindow, 10, result, error);
    const auto took = Clock::now() - start;
    answering.join();

    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(result.devices.Size(), 2u);
    EXPECT_FALSE(result.cutShort);
    EXPECT_GE(took, std::chrono::duration<double>(3 * kWindow));
    EXPECT_LT(took, 10s); // the quiet window ended it, not the limit
}

TEST(CliListen, TakenLocalPortGivesTheFailureTextWithThatPort)
{
    LoopbackSocket holder; // bound to 127.0.0.1, so the wildcard bind conflicts
    DiscoveryPorts ports = LoopbackPorts(9);
    ports.localPort = holder.port;
    cli::DeviceSocket socket(ports);
    std::string error;
    EXPECT_FALSE(socket.Open(error));
    EXPECT_EQ(error, "Socket port '" + std::to_string(holder.port) + "' Open fail ！");
    EXPECT_EQ(socket.Handle(), -1);
}

} // namespace
