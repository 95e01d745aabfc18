// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// set-ip, set-mac, reset and apply confirm their change by probing again,
// against devices simulated as varnex-sim does it, over loopback only; the
// log of changes gets one line per packet, with the verdict.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "devices/change_log.h"
#include "support/loopback_socket.h"
#include "varnex-cli/cli_commands.h"
#include "varnex-sim/sim_responder.h"

namespace {

using namespace std::chrono_literals;

// One simulated device on a loopback socket; it answers each datagram's
// sender, as the simulator answers by broadcast.
class LoopbackSim {
public:
    explicit LoopbackSim(const sim::Device& device) : LoopbackSim(std::vector<sim::Device>{device}) {}
    explicit LoopbackSim(std::vector<sim::Device> devices)
        : m_devices(std::move(devices)), m_thread([this] { Serve(); })
    {
    }
    ~LoopbackSim()
    {
        m_stop = true;
        m_thread.join();
    }
    std::uint16_t Port() const { return m_socket.port; }

private:
    void Serve()
    {
        while (!m_stop) {
            pollfd pfd{m_socket.fd, POLLIN, 0};
            if (::poll(&pfd, 1, 50) <= 0)
                continue; // looks at m_stop again
            std::uint8_t buffer[64];
            sockaddr_in from{};
            socklen_t len = sizeof from;
            const ssize_t n =
                ::recvfrom(m_socket.fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n <= 0)
                continue;
            const sim::Reaction reaction =
                sim::HandleDatagram(m_devices, std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)),
                                    sim::Clock::now(), 600ms);
            for (const packet::Bytes& reply : reaction.replies)
                ::sendto(m_socket.fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
        }
    }

    LoopbackSocket m_socket;
    std::vector<sim::Device> m_devices;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

sim::Device Camera(bool ignoresCommands)
{
    sim::Device d;
    d.name = "Cam-Lobby";
    d.ip = {192, 168, 1, 20};
    d.gateway = {192, 168, 1, 1};
    d.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    d.password = "secret";
    d.ignoresCommands = ignoresCommands;
    return d;
}

cli::Options OptionsFor(cli::Command command, std::uint16_t devicePort)
{
    LoopbackSocket free; // a port that was free a moment ago
    cli::Options options;
    options.command = command;
    options.ports.localPort = free.port;
    options.ports.devicePort = devicePort;
    options.ports.broadcastAddress = "127.0.0.1";
    options.waitSeconds = 0.3;
    options.device = cli::Mac{{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}};
    options.currentIp = cli::Ipv4{{192, 168, 1, 20}};
    options.newMac = cli::Mac{{0x02, 0x00, 0x00, 0x00, 0x00, 0x07}};
    options.newIp = cli::Ipv4{{192, 168, 1, 50}};
    return options;
}

struct Outcome {
    int status;
    std::string out;
};

// The lines of the log of changes written since the last call.
std::vector<std::string> NewLogLines()
{
    static std::size_t seen = 0;
    std::ifstream file(device::ChangeLog::DefaultPath(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    std::vector<std::string> fresh(lines.begin() + static_cast<long>(std::min(seen, lines.size())), lines.end());
    seen = lines.size();
    return fresh;
}

std::string LogText()
{
    std::ifstream file(device::ChangeLog::DefaultPath(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

Outcome RunWithPassword(const cli::Options& options)
{
    ::setenv("VARNEX_PASSWORD", "secret", 1);
    testing::internal::CaptureStdout();
    const int status = cli::RunCommand(options);
    return {status, testing::internal::GetCapturedStdout()};
}

TEST(CliConfirm, SaysWhetherTheDeviceAnswersAsTheCommandSaid)
{
    const struct {
        cli::Command command;
        bool ignoresCommands;
        double verifyWait; // 0: --no-verify
        int status;
        const char* line;
    } cases[] = {
        {cli::Command::kSetIp, false, 5, cli::kSuccess,
         "Confirmed: 00-0A-1B-2C-3D-4E answers at 192.168.1.50 mask 255.255.255.0 gateway 192.168.1.1 on lo\n"},
        {cli::Command::kSetIp, true, 1, cli::kNotConfirmed,
         "No answer from 00-0A-1B-2C-3D-4E at 192.168.1.50 mask 255.255.255.0 gateway 192.168.1.1 on lo\n"},
        {cli::Command::kSetMac, false, 5, cli::kSuccess,
         "Confirmed: 02-00-00-00-00-07 answers at 192.168.1.20 on lo\n"},
        {cli::Command::kSetMac, true, 1, cli::kNotConfirmed,
         "No answer from 02-00-00-00-00-07 at 192.168.1.20 on lo\n"},
        // Silent 0.6 s after the reset: the first probe goes unanswered, a later one is answered.
        {cli::Command::kReset, false, 5, cli::kSuccess, "Confirmed: 00-0A-1B-2C-3D-4E answers at 192.168.1.20 on lo\n"},
        // Not looking: the dropped change passes unseen.
        {cli::Command::kSetIp, true, 0, cli::kSuccess, ""},
    };
    NewLogLines();
    for (const auto& c : cases) {
        LoopbackSim device(Camera(c.ignoresCommands));
        cli::Options options = OptionsFor(c.command, device.Port());
        options.verify = c.verifyWait > 0;
        options.verifyWaitSeconds = c.verifyWait;
        const Outcome run = RunWithPassword(options);
        EXPECT_EQ(run.status, c.status) << cli::CommandName(c.command) << " " << c.ignoresCommands;
        EXPECT_EQ(run.out, c.line) << cli::CommandName(c.command) << " " << c.ignoresCommands;
        // One line, with the verdict once the device was looked for.
        const std::vector<std::string> logged = NewLogLines();
        ASSERT_EQ(logged.size(), 1u) << cli::CommandName(c.command);
        const auto line = nlohmann::json::parse(logged[0]);
        EXPECT_EQ(line["program"], "varnex-cli");
        EXPECT_EQ(line["confirmed"], c.verifyWait == 0 ? nlohmann::json(nullptr) : nlohmann::json(c.status == 0));
    }
    EXPECT_EQ(LogText().find("secret"), std::string::npos);
}

// apply: one look for every device sent to; each line says what became of it,
// the status whether all took; the log has each device's verdict.
TEST(CliConfirm, ApplySaysPerLineWhetherEachDeviceTookItsAddress)
{
    sim::Device second = Camera(true); // drops every command
    second.name = "Cam-Gate";
    second.ip = {192, 168, 1, 21};
    second.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F};
    LoopbackSim devices(std::vector<sim::Device>{Camera(false), second});
    const std::string plan = (std::filesystem::path(::getenv("XDG_STATE_HOME")) / "plan.csv").string();
    std::ofstream(plan) << "mac,ip,mask,gateway\n00-0A-1B-2C-3D-4E,192.168.1.50,,\n00-0A-1B-2C-3D-4F,192.168.1.51,,\n";
    cli::Options options = OptionsFor(cli::Command::kApply, devices.Port());
    options.planPath = plan;
    options.format = cli::Format::kJson;
    options.verifyWaitSeconds = 2; // the device that drops its command is waited for this long
    NewLogLines();
    Outcome run = RunWithPassword(options);
    EXPECT_EQ(run.status, cli::kNotConfirmed);
    auto rows = nlohmann::json::parse(run.out);
    ASSERT_EQ(rows.size(), 2u) << run.out;
    EXPECT_EQ(rows[0]["result"], "confirmed");
    EXPECT_EQ(rows[0]["confirmed"], true);
    EXPECT_EQ(rows[1]["result"], "not confirmed: No answer from 00-0A-1B-2C-3D-4F at 192.168.1.51 mask "
                                 "255.255.255.0 gateway 192.168.1.1 on lo");
    EXPECT_EQ(rows[1]["confirmed"], false);
    std::vector<std::string> logged = NewLogLines();
    ASSERT_EQ(logged.size(), 2u);
    for (const std::string& text : logged) {
        const auto line = nlohmann::json::parse(text);
        EXPECT_EQ(line["command"], "set-ip");
        EXPECT_EQ(line["confirmed"], line["mac"] == "00-0A-1B-2C-3D-4E") << text;
    }

    // Without looking: "sent", status 0, the lines not checked. The first
    // device is at .50 now: a line that changes nothing sends nothing.
    options.verify = false;
    std::ofstream(plan) << "mac,ip,mask,gateway\n00-0A-1B-2C-3D-4E,192.168.1.50,,\n00-0A-1B-2C-3D-4F,192.168.1.52,,\n";
    run = RunWithPassword(options);
    EXPECT_EQ(run.status, cli::kSuccess);
    rows = nlohmann::json::parse(run.out);
    ASSERT_EQ(rows.size(), 2u) << run.out;
    EXPECT_EQ(rows[0]["result"], "unchanged");
    EXPECT_EQ(rows[1]["result"], "sent");
    EXPECT_EQ(rows[1]["confirmed"], nullptr);
    logged = NewLogLines();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(nlohmann::json::parse(logged[0])["confirmed"], nullptr);
    EXPECT_EQ(LogText().find("secret"), std::string::npos);
}

} // namespace
