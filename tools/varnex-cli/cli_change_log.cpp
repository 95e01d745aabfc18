// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_change_log.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <utility>

#include "commands/packet_change.h"
#include "devices/change_log.h"

namespace cli {

namespace {

constexpr int kEndSignals[] = {SIGINT, SIGTERM, SIGHUP};

// What the handler writes; changed only while the end signals are blocked.
int g_fd = -1;
const char* g_text = nullptr;
std::size_t g_size = 0;
struct sigaction g_previous[std::size(kEndSignals)]{};
bool g_installed[std::size(kEndSignals)]{};

// One log for the whole run, so that a failure is told once however many devices a plan has.
device::ChangeLog& RunLog()
{
    static device::ChangeLog log(device::ChangeLog::DefaultPath());
    return log;
}

void Warn(const std::optional<std::string>& failure)
{
    if (failure)
        std::fprintf(stderr, "varnex-cli: warning: %s; the command was sent all the same\n", failure->c_str());
}

// Writes the held entries as not checked, then ends as the signal says.
extern "C" void WriteHeldAndEnd(int sig)
{
    const char* at = g_text;
    std::size_t left = g_size;
    while (g_fd >= 0 && left > 0) {
        const ssize_t n = ::write(g_fd, at, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        at += n;
        left -= static_cast<std::size_t>(n);
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig); // delivered once this handler returns
}

// Keeps the end signals waiting while the handler's text changes.
class EndSignalsHeld {
public:
    EndSignalsHeld()
    {
        sigset_t set;
        sigemptyset(&set);
        for (const int sig : kEndSignals)
            sigaddset(&set, sig);
        ::sigprocmask(SIG_BLOCK, &set, &m_before);
    }
    ~EndSignalsHeld() { ::sigprocmask(SIG_SETMASK, &m_before, nullptr); }
    EndSignalsHeld(const EndSignalsHeld&) = delete;
    EndSignalsHeld& operator=(const EndSignalsHeld&) = delete;

private:
    sigset_t m_before{};
};

void InstallHandlers()
{
    struct sigaction action {};
    action.sa_handler = WriteHeldAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int sig : kEndSignals)
        sigaddset(&action.sa_mask, sig);
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
        struct sigaction previous {};
        ::sigaction(kEndSignals[i], nullptr, &previous);
        // A signal the caller ignores (nohup) stays ignored: it ends nothing.
        if (previous.sa_handler == SIG_IGN)
            continue;
        g_installed[i] = ::sigaction(kEndSignals[i], &action, &g_previous[i]) == 0;
    }
}

void RestoreHandlers()
{
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i)
        if (std::exchange(g_installed[i], false))
            ::sigaction(kEndSignals[i], &g_previous[i], nullptr);
}

} // namespace

SentChanges::SentChanges() : m_pending(RunLog()) {}

SentChanges::~SentChanges()
{
    WriteAll();
}

bool SentChanges::SendAndHold(CommandSender& sender, const std::vector<COMMAND_PACKET>& packets,
                              std::string_view password, std::string& error, const device::Device& target,
                              const std::string& interfaceName)
{
    const EndSignalsHeld held;
    const bool all = sender.SendAll(packets, password, error);
    const auto went = static_cast<std::ptrdiff_t>(std::min(sender.SentCount(), packets.size()));
    if (went > 0)
        Hold({packets.begin(), packets.begin() + went}, target, interfaceName);
    return all;
}

void SentChanges::Hold(const std::vector<COMMAND_PACKET>& packets, const device::Device& target,
                       const std::string& interfaceName)
{
    const auto now = std::chrono::system_clock::now();
    std::string lines;
    for (const COMMAND_PACKET& packet : packets) {
        device::ChangeRecord record = ChangeOf(packet, target, "varnex-cli", interfaceName);
        lines += device::ChangeLine(record, now);
        m_pending.Hold(std::move(record), target.interfaceIndex, now);
    }
    if (m_fd < 0) {
        std::optional<std::string> failure;
        m_fd = RunLog().OpenForAppending(failure);
        Warn(failure);
    }
    // The end signals wait (SendAndHold) while the handler's text changes.
    m_unchecked += lines;
    g_text = m_unchecked.data();
    g_size = m_unchecked.size();
    if (m_fd >= 0 && g_fd < 0) {
        g_fd = m_fd;
        InstallHandlers();
    }
}

void SentChanges::WriteAll(const device::PendingChanges::Verdicts& verdictOf)
{
    std::optional<std::string> failure;
    {
        // A signal now waits until the entries are written, and then ends the program as it would have.
        const EndSignalsHeld held;
        RestoreHandlers();
        g_fd = -1;
        g_text = nullptr;
        g_size = 0;
        m_unchecked.clear();
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        failure = m_pending.SettleAll(verdictOf);
    }
    Warn(failure);
}

} // namespace cli
