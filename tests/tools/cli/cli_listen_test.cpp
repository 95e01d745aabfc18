// varnex-cli's discovery listening over loopback: the probe goes to the device
// port, answers are kept in arrival order while each window brings one, and a
// taken local port gives the desktop program's failure text.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "varnex-cli/cli_listen.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A UDP socket on 127.0.0.1 with a port of its own choosing.
struct LoopbackSocket {
    LoopbackSocket()
    {
        fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
        socklen_t len = sizeof sa;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
        port = ntohs(sa.sin_port);
    }
    ~LoopbackSocket() { ::close(fd); }
    int fd = -1;
    std::uint16_t port = 0;
};

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

TEST(CliListen, WindowsStayOpenWhileAnswersComeThenCloseAfterAQuietOne)
{
    LoopbackSocket device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;

    packet::Bytes probe{};
    // Windows of 0.4 s: answers at 0, 0.25 (first window), 0.5 (second), then
    // the third is quiet and listening ends at 1.2 s; the answer at 1.6 s is late.
    std::thread answering(AnswerProbe, std::cref(device), std::vector<Clock::duration>{0ms, 250ms, 500ms, 1600ms},
                          &probe);
    std::vector<cli::DiscoveredDevice> devices;
    const auto start = Clock::now();
    const bool ok = cli::ListenForDevices(socket, 0.4, devices, error);
    const auto took = Clock::now() - start;
    answering.join();

    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(probe, packet::BuildProbe());
    ASSERT_EQ(devices.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(devices[i].row.columns[device::kIp], "10.0.0." + std::to_string(i + 1));
    EXPECT_EQ(devices[0].model, 31);
    EXPECT_GE(took, 1150ms);
    EXPECT_LT(took, 1550ms);
}

TEST(CliListen, NoAnswerEndsAfterOneWindow)
{
    LoopbackSocket device;
    cli::DeviceSocket socket(LoopbackPorts(device.port));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    std::vector<cli::DiscoveredDevice> devices;
    const auto start = Clock::now();
    ASSERT_TRUE(cli::ListenForDevices(socket, 0.2, devices, error)) << error;
    const auto took = Clock::now() - start;
    EXPECT_TRUE(devices.empty());
    EXPECT_GE(took, 195ms);
    EXPECT_LT(took, 500ms);
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
