// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// One discovery cycle, the same for the window and for varnex-cli: the probe
// on each interface of the route, the answers that count for it, and the
// listening windows. A Refresh starts from an empty device table and makes
// each answer an entry of its own, in arrival order; a watching cycle keeps
// the table and hands each answer to the roster, which brings the device's
// entry up to date. The caller owns the clock: the window's timer and the
// command line's poll loop both tell the session when a window ends.
#pragma once

#include <cstddef>
#include <optional>

#include "devices/device_roster.h"
#include "devices/device_table.h"
#include "discovery/interface_route.h"
#include "discovery/packet_frame.h"

class CAsyncSocket;

class DiscoverySession {
public:
    using Clock = device::Clock;
    // Listening goes on in windows of this length while answers keep coming.
    static constexpr Clock::duration kListenWindow = std::chrono::milliseconds(5000);

    explicit DiscoverySession(device::DeviceTable& table) : m_table(table) {}

    // Starts a cycle: an empty table, no answers counted, listening on.
    void Begin(const InterfaceRoute& route, Clock::time_point now);
    // Starts a watching cycle: the table is kept, the roster (which must keep
    // this session's table) begins a probe; no answers counted, listening on.
    void BeginWatching(const InterfaceRoute& route, Clock::time_point now, device::DeviceRoster& roster);
    bool Watching() const { return m_roster != nullptr; }
    // Sends the probe once on each interface of the route (once where the
    // routes send it when the route names none). Returns how many went out.
    int SendProbe(CAsyncSocket& socket, unsigned devicePort, const char* host) const;
    // One datagram read from the socket as its first 52 bytes. It counts when
    // it came in on the route's interface (or the route takes every one).
    // Then, in a Refresh, it is added to the table (kAppeared); when watching,
    // the roster says what it changed. Nothing when it does not count or is
    // past the limit on entries.
    std::optional<device::DeviceEvent> Receive(const packet::Bytes& frame, unsigned interfaceIndex,
                                               Clock::time_point now);
    // Listening is over for this cycle (at now): when watching, the roster's
    // probe ends and what it says is returned; a Refresh returns nothing.
    device::ProbeEnd Finish(Clock::time_point now);
    // A listening window has ended (at now): true when an answer came during
    // it, so another window opens from now; false ends listening.
    bool EndOfWindow(Clock::time_point now);
    // The length of a listening window (kListenWindow unless changed), and
    // when the current one ends: the window's timer, or a poll loop's deadline.
    void SetWindowLength(Clock::duration length) { m_window = length; }
    Clock::duration WindowLength() const { return m_window; }
    Clock::time_point WindowEndsAt() const { return m_windowStart + m_window; }
    // Ends listening at once (a new cycle, a failed socket, a hard limit).
    void Stop() { m_listening = false; }

    bool Listening() const { return m_listening; }
    // Answers that counted in this cycle, kept or not.
    long long AnswerCount() const { return m_answers; }
    // At most this many answers become entries (when watching: at most this
    // many devices are kept); the rest are counted only.
    void LimitEntries(std::size_t keepAtMost) { m_keepAtMost = keepAtMost; }
    long long Unkept() const { return m_unkept; }
    const InterfaceRoute& Route() const { return m_route; }
    Clock::time_point StartedAt() const { return m_startedAt; }

private:
    // What both kinds of cycle begin with.
    void Start(const InterfaceRoute& route, Clock::time_point now);

    device::DeviceTable& m_table;
    device::DeviceRoster* m_roster = nullptr; // watching
    InterfaceRoute m_route;
    Clock::time_point m_startedAt{};
    Clock::time_point m_windowStart{};
    Clock::duration m_window = kListenWindow;
    bool m_listening = false;
    bool m_answerInWindow = false;
    long long m_answers = 0;
    long long m_unkept = 0;
    std::size_t m_keepAtMost = static_cast<std::size_t>(-1);
};
