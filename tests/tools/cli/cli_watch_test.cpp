// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli watch over loopback: the poll loop probes again and again, a
// device that appears, moves and falls silent is reported in that order, a
// readable stop descriptor ends it, and a report that cannot be written ends
// it with a failure. Its lines keep a device's name from steering a terminal
// or breaking a JSON line.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <unistd.h>

#include "support/loopback_socket.h"
#include "varnex-cli/cli_watch.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::uint16_t FreePort()
{
    LoopbackSocket s;
    return s.port;
}

// A device on loopback that answers each probe while it is present, from the
// address it has then.
class LoopbackDevice {
public:
    LoopbackDevice() : m_socket(1)
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~LoopbackDevice()
    {
        m_stop = true;
        m_thread.join();
    }
    std::uint16_t Port() const { return m_socket.port; }
    int Probes() const { return m_probes; }
    std::atomic<std::uint8_t> ipLast{20};
    std::atomic<bool> present{true};

private:
    void Run()
    {
        while (!m_stop) {
            packet::Bytes probe{};
            sockaddr_in from{};
            socklen_t len = sizeof from;
            if (::recvfrom(m_socket.fd, probe.data(), probe.size(), 0, reinterpret_cast<sockaddr*>(&from), &len) <= 0)
                continue; // the receive timeout: look at the stop flag
            ++m_probes;
            if (!present)
                continue;
            packet::Bytes reply{};
            reply[packet::kIpAt] = 192;
            reply[packet::kIpAt + 1] = 168;
            reply[packet::kIpAt + 3] = ipLast;
            reply[packet::kMacAt + 5] = 0x4E;
            reply[packet::kModelAt] = 31;
            ::sendto(m_socket.fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
        }
    }
    LoopbackSocket m_socket;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_probes{0};
    std::thread m_thread;
};

struct Pipe {
    Pipe() { EXPECT_EQ(::pipe(fds), 0); }
    ~Pipe()
    {
        ::close(fds[0]);
        ::close(fds[1]);
    }
    void Signal() const { EXPECT_EQ(::write(fds[1], "x", 1), 1); }
    int fds[2] = {-1, -1};
};

DiscoveryPorts PortsFor(const LoopbackDevice& device)
{
    DiscoveryPorts ports;
    ports.localPort = FreePort();
    ports.devicePort = device.Port();
    ports.broadcastAddress = "127.0.0.1";
    return ports;
}

TEST(CliWatch, ADeviceThatAppearsMovesAndFallsSilentIsReportedUntilStopped)
{
    LoopbackDevice device;
    cli::DeviceSocket socket(PortsFor(device));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    Pipe stop;
    // Nothing may wait forever: the stop comes after a deadline at the latest.
    std::promise<void> done;
    std::thread deadline([&stop, finished = done.get_future()] {
        if (finished.wait_for(30s) == std::future_status::timeout)
            stop.Signal();
    });

    // The reports drive the device: it moves once it appeared, falls silent once it moved.
    std::vector<cli::WatchReport> reports;
    std::vector<std::string> lines;
    const cli::WatchReporter report = [&](const cli::WatchReport& r) {
        reports.push_back(r);
        lines.push_back(cli::WatchLine(r, cli::Format::kJson));
        if (r.event == cli::WatchEvent::kAppeared)
            device.ipLast = 50;
        else if (r.event == cli::WatchEvent::kChanged)
            device.present = false;
        else
            stop.Signal();
        return true;
    };
    std::vector<std::string> warnings;
    const cli::WatchWarner warn = [&warnings](const std::string& w) { warnings.push_back(w); };
    const Clock::time_point began = Clock::now();
    const bool stopped = cli::WatchDevices(socket, {}, 0.2, stop.fds[0], report, warn, error);
    done.set_value();
    deadline.join();

    ASSERT_TRUE(stopped) << error;
    ASSERT_EQ(reports.size(), 3u) << testing::PrintToString(lines);
    EXPECT_EQ(reports[0].event, cli::WatchEvent::kAppeared);
    EXPECT_EQ(reports[1].event, cli::WatchEvent::kChanged);
    EXPECT_EQ(reports[2].event, cli::WatchEvent::kGone);
    EXPECT_NE(lines[1].find(R"("changes": {"ip": {"from": "192.168.0.20", "to": "192.168.0.50"}})"), std::string::npos)
        << lines[1];
    EXPECT_NE(lines[2].find(R"("ip": "192.168.0.50")"), std::string::npos) << lines[2];
    EXPECT_NE(lines[2].find(R"("last_seen": ")"), std::string::npos) << lines[2];
    // Gone after two probes without an answer: at least two more probes went out after the change.
    EXPECT_GE(device.Probes(), 4);
    EXPECT_LT(Clock::now() - began, 30s) << "ended by the deadline, not by the reports";
    EXPECT_TRUE(warnings.empty()) << testing::PrintToString(warnings);
}

TEST(CliWatch, AReportThatCannotBeWrittenEndsWatchingWithAFailure)
{
    LoopbackDevice device;
    cli::DeviceSocket socket(PortsFor(device));
    std::string error;
    ASSERT_TRUE(socket.Open(error)) << error;
    Pipe stop;
    const cli::WatchReporter report = [](const cli::WatchReport&) { return false; };
    const cli::WatchWarner warn = [](const std::string&) {};
    EXPECT_FALSE(cli::WatchDevices(socket, {}, 0.2, stop.fds[0], report, warn, error));
    EXPECT_EQ(error, "cannot write the events");
}

TEST(CliWatch, ANameCannotSteerTheTerminalNorBreakTheJsonLine)
{
    device::Device d;
    d.name = std::string("A\"\\\x1b[2J\xff", 8);
    d.model = device::kModelV;
    device::Device before = d;
    before.name = "Old\nName";
    cli::WatchReport r;
    r.event = cli::WatchEvent::kChanged;
    r.device = &d;
    r.before = &before;
    r.changed.Add(device::Field::kName);
    r.interfaceName = "eth\x1b";

    const std::string text = cli::WatchLine(r, cli::Format::kText);
    EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
    EXPECT_EQ(text.find('\n'), text.size() - 1) << "one line: " << text;
    EXPECT_NE(text.find(R"(name="A\"\\\x1B[2J\xFF" (was "Old\x0AName"))"), std::string::npos) << text;

    const std::string json = cli::WatchLine(r, cli::Format::kJson);
    EXPECT_EQ(json.find('\x1b'), std::string::npos) << json;
    EXPECT_EQ(json.find('\n'), json.size() - 1) << "one line: " << json;
    EXPECT_NE(json.find(R"("name": {"from": "Old\nName", "to": "A\"\\\u001b[2J\u00ff"})"), std::string::npos) << json;
}

} // namespace
