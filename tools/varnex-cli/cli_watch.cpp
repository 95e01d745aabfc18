// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_watch.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <poll.h>
#include <vector>

#include "cli_commands.h"
#include "cli_listen.h"
#include "cli_steps.h"
#include "cli_stop_signals.h"
#include "devices/device_roster.h"
#include "devices/reachability.h"
#include "discovery/discovery_session.h"
#include "system/socket_backend.h"

namespace cli {

namespace {

using Clock = DiscoverySession::Clock;
using WallClock = std::chrono::system_clock;

// One watch: the table, the roster that keeps it, the session that feeds it,
// and what the reports need besides (interface names, this computer's subnets).
class Watcher {
public:
    Watcher(const InterfaceRoute& route, double intervalSeconds, const WatchReporter& report, const WatchWarner& warn)
        : m_route(route),
          m_interval(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(intervalSeconds))),
          m_report(report), m_warn(warn)
    {
        // Every answer until the next probe counts for this one: one window as long as the interval.
        m_session.SetWindowLength(m_interval);
        m_session.LimitEntries(kMaxKeptAnswers);
    }

    Clock::time_point NextProbe() const { return m_nextProbe; }

    // Ends the probe under way (its silent devices miss it) and sends the next one.
    bool Probe(DeviceSocket& socket, Clock::time_point now)
    {
        if (m_probeOut && !Report(m_session.Finish(now)))
            return false;
        m_subnets = device::SubnetsOf(Sockets().BroadcastInterfaces());
        m_session.BeginWatching(m_route, now, m_roster);
        std::vector<std::string> failures;
        std::string error;
        // A probe that went out nowhere is no probe: nobody missed it.
        m_probeOut = SendProbes(socket, m_route, m_names, failures, error);
        if (failures.empty() && !m_probeOut)
            failures.push_back(error);
        std::string told;
        for (const std::string& failure : failures)
            told += failure + "\n";
        // The same failure every interval is said once, until it changes.
        if (told != m_failuresTold && !failures.empty())
            for (const std::string& failure : failures)
                m_warn(failure);
        m_failuresTold = told;
        m_nextProbe += m_interval;
        if (m_nextProbe <= now)
            m_nextProbe = now + m_interval;
        return true;
    }

    bool Read(DeviceSocket& socket)
    {
        bool written = true;
        ReadAnswers(socket.Handle(), m_session, m_names,
                    [this, &written](const device::DeviceEvent& event) { written = written && Report(event); });
        if (const long long unkept = m_session.Unkept(); unkept > m_unkeptTold) {
            m_unkeptTold = unkept;
            m_warn("answers from devices past the first " + std::to_string(kMaxKeptAnswers) +
                   " were counted, not watched");
        }
        if (const long long dropped = socket.Dropped(); dropped > m_droppedTold) {
            m_warn(std::to_string(dropped - m_droppedTold) + " answers were lost: the receive buffer (" +
                   std::to_string(socket.ReceiveBuffer()) + " bytes) was full");
            m_droppedTold = dropped;
        }
        return written;
    }

private:
    WatchReport ReportOf(WatchEvent kind, device::DeviceId id) const
    {
        const device::Device& d = m_table[id];
        WatchReport r;
        r.event = kind;
        r.at = WallClock::now();
        r.device = &d;
        if (const auto name = m_names.find(d.interfaceIndex); name != m_names.end())
            r.interfaceName = name->second;
        r.shared = m_table.IsShared(d);
        r.reachable = device::IsReachable(d, m_subnets);
        return r;
    }

    bool Report(const device::DeviceEvent& event)
    {
        using device::DeviceChange;
        if (event.kind == DeviceChange::kAppeared || event.kind == DeviceChange::kReturned) {
            WatchReport r = ReportOf(WatchEvent::kAppeared, event.id);
            r.returned = event.kind == DeviceChange::kReturned;
            if (!m_report(r))
                return false;
        }
        if ((event.kind == DeviceChange::kChanged || event.kind == DeviceChange::kReturned) && !event.changed.Empty()) {
            WatchReport r = ReportOf(WatchEvent::kChanged, event.id);
            r.changed = event.changed;
            r.before = &event.before;
            return m_report(r);
        }
        return true;
    }

    bool Report(const device::ProbeEnd& end)
    {
        const Clock::time_point now = Clock::now();
        for (const device::DeviceEvent& gone : end.gone) {
            WatchReport r = ReportOf(WatchEvent::kGone, gone.id);
            r.lastSeen = r.at - std::chrono::duration_cast<WallClock::duration>(now - r.device->lastSeen);
            if (!m_report(r))
                return false;
        }
        return true;
    }

    InterfaceRoute m_route;
    Clock::duration m_interval;
    const WatchReporter& m_report;
    const WatchWarner& m_warn;
    device::DeviceTable m_table;
    device::DeviceRoster m_roster{m_table};
    DiscoverySession m_session{m_table};
    std::map<unsigned, std::string> m_names;
    std::vector<device::Subnet> m_subnets;
    Clock::time_point m_nextProbe = Clock::now();
    bool m_probeOut = false;
    std::string m_failuresTold;
    long long m_unkeptTold = 0;
    long long m_droppedTold = 0;
};

} // namespace

bool WatchDevices(DeviceSocket& socket, const InterfaceRoute& route, double intervalSeconds, int stopFd,
                  const WatchReporter& report, const WatchWarner& warn, std::string& error)
{
    Watcher watcher(route, intervalSeconds, report, warn);
    while (true) {
        if (Clock::now() >= watcher.NextProbe() && !watcher.Probe(socket, Clock::now())) {
            error = "cannot write the events";
            return false;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(watcher.NextProbe() - Clock::now()).count();
        pollfd fds[2] = {{socket.Handle(), POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (::poll(fds, 2, left > 0 ? static_cast<int>(left) : 0) < 0) {
            if (errno == EINTR)
                continue;
            error = std::string("waiting for answers failed: ") + std::strerror(errno);
            return false;
        }
        if ((fds[1].revents & (POLLIN | POLLHUP)) != 0)
            return true;
        if ((fds[0].revents & POLLIN) != 0 && !watcher.Read(socket)) {
            error = "cannot write the events";
            return false;
        }
    }
}

int RunWatch(const Options& options)
{
    InterfaceRoute route;
    if (const int status = ChooseRoute(options, route); status != kSuccess)
        return status;
    StopSignals signals;
    DeviceSocket socket(options.ports);
    std::string error;
    if (!signals.Open(error) || !socket.Open(error))
        return Fail(kRuntimeFailure, error);
    const WatchReporter report = [&options](const WatchReport& r) {
        const std::string line = WatchLine(r, options.format);
        return std::fwrite(line.data(), 1, line.size(), stdout) == line.size() && std::fflush(stdout) == 0;
    };
    const WatchWarner warn = [](const std::string& warning) {
        std::fprintf(stderr, "varnex-cli: %s\n", warning.c_str());
    };
    if (!WatchDevices(socket, route, options.intervalSeconds, signals.Handle(), report, warn, error))
        return Fail(kRuntimeFailure, error);
    return kSuccess;
}

} // namespace cli
