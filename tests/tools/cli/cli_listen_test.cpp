// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli's discovery listening: the rule that ends it (on a clock the test
// sets), and over loopback the probe to the device port, answers kept in
// arrival order, the hard limit against a host that never stops, and a taken
// local port that gives the desktop program's failure text.
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

using cli::ListenClock;
using cli::ListenDeadline;

TEST(CliListenDeadline, QuietTimeAfterTheProbeOrTheLatestAnswerWithinTheHardLimit)
{
    const ListenClock::time_point t0{};
    ListenDeadline quiet(t0, 2.0, 30.0);
    EXPECT_EQ(quiet.End(), t0 + 2s);
    EXPECT_FALSE(quiet.CutShort());

    // Each answer starts the quiet time again; a late clock reading never shortens it.
    ListenDeadline answers(t0, 2.0, 30.0);
    answers.AnswerAt(t0 + 1500ms);
    EXPECT_EQ(answers.End(), t0 + 3500ms);
    answers.AnswerAt(t0 + 3s);
    EXPECT_EQ(answers.End(), t0 + 5s);
    answers.AnswerAt(t0 + 2s);
    EXPECT_EQ(answers.End(), t0 + 5s);

    // Answers that never stop: the hard limit ends listening, and says so.
    ListenDeadline chatty(t0, 2.0, 30.0);
    for (int second = 0; second <= 40; ++second)
        chatty.AnswerAt(t0 + std::chrono::seconds(second));
    EXPECT_EQ(chatty.End(), t0 + 30s);
    EXPECT_TRUE(chatty.CutShort());

    // A quiet time longer than the limit: the limit.
    ListenDeadline longWait(t0, 60.0, 30.0);
    EXPECT_EQ(longWait.End(), t0 + 30s);
}

TEST(CliListen, EveryAnswerIsKeptInArrivalOrderAsItsFrame)
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
    ASSERT_EQ(result.answers.size(), 3u);
    for (std::uint8_t i = 0; i < 3; ++i)
        EXPECT_EQ(result.answers[i][packet::kIpAt + 3], i + 1);
    EXPECT_EQ(result.answers[0][packet::kModelAt], 31);
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
    ASSERT_EQ(result.answers.size(), 50u);
    EXPECT_EQ(result.interfaces.size(), 50u);
    EXPECT_GT(result.cut, 0);
    // A short datagram is kept as its bytes with zeros after them.
    EXPECT_EQ(result.answers[0], packet::Bytes{});
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
