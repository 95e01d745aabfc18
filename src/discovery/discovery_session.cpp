// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/discovery_session.h"

#include "discovery/device_reply.h"

void DiscoverySession::Begin(const InterfaceRoute& route, Clock::time_point now)
{
    m_table.Clear();
    m_roster = nullptr;
    Start(route, now);
}

void DiscoverySession::BeginWatching(const InterfaceRoute& route, Clock::time_point now, device::DeviceRoster& roster)
{
    m_roster = &roster;
    roster.BeginProbe(now);
    Start(route, now);
}

void DiscoverySession::Start(const InterfaceRoute& route, Clock::time_point now)
{
    m_route = route;
    m_startedAt = now;
    m_windowStart = now;
    m_listening = !route.missing;
    // An answer seen in the window that a new cycle cuts short still counts
    // for the new cycle's first window: Refresh never listens less.
    m_answers = 0;
    m_unkept = 0;
}

int DiscoverySession::SendProbe(CAsyncSocket& socket, unsigned devicePort, const char* host) const
{
    const packet::Bytes probe = packet::BuildProbe();
    return SendOnRoute(socket, m_route, probe.data(), static_cast<int>(probe.size()), devicePort, host);
}

std::optional<device::DeviceEvent> DiscoverySession::Receive(const packet::Bytes& frame, unsigned interfaceIndex,
                                                             Clock::time_point now)
{
    if (!AnswerCounts(m_route.onlyFrom, interfaceIndex))
        return std::nullopt;
    ++m_answers;
    m_answerInWindow = true;
    const device::Device answer = device::DeviceFromReply(frame, interfaceIndex, now);
    // A device already kept is brought up to date whatever the limit.
    const bool kept = m_roster != nullptr && m_roster->Find(answer.mac, interfaceIndex).has_value();
    if (!kept && m_table.Size() >= m_keepAtMost) {
        ++m_unkept;
        return std::nullopt;
    }
    if (m_roster != nullptr)
        return m_roster->Saw(answer, now);
    const device::DeviceTable::Added added = m_table.Add(answer);
    device::DeviceEvent event;
    event.kind = device::DeviceChange::kAppeared;
    event.id = added.id;
    event.seen = added.seen;
    return event;
}

device::ProbeEnd DiscoverySession::Finish(Clock::time_point now)
{
    m_listening = false;
    return m_roster != nullptr ? m_roster->EndProbe(now) : device::ProbeEnd{};
}

bool DiscoverySession::EndOfWindow(Clock::time_point now)
{
    if (!m_listening)
        return false;
    if (m_answerInWindow) {
        m_answerInWindow = false;
        m_windowStart = now;
        return true;
    }
    m_listening = false;
    return false;
}
