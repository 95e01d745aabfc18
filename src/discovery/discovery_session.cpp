// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/discovery_session.h"

#include "discovery/device_reply.h"

void DiscoverySession::Begin(const InterfaceRoute& route, Clock::time_point now)
{
    m_table.Clear();
    m_route = route;
    m_startedAt = now;
    m_windowStart = now;
    m_listening = !route.missing;
    m_answerInWindow = false;
    m_answers = 0;
    m_unkept = 0;
}

int DiscoverySession::SendProbe(CAsyncSocket& socket, unsigned devicePort, const char* host) const
{
    const packet::Bytes probe = packet::BuildProbe();
    return SendOnRoute(socket, m_route, probe.data(), static_cast<int>(probe.size()), devicePort, host);
}

std::optional<device::DeviceTable::Added> DiscoverySession::Receive(const packet::Bytes& frame, unsigned interfaceIndex,
                                                                    Clock::time_point now)
{
    if (!AnswerCounts(m_route.onlyFrom, interfaceIndex))
        return std::nullopt;
    ++m_answers;
    m_answerInWindow = true;
    if (m_table.Size() >= m_keepAtMost) {
        ++m_unkept;
        return std::nullopt;
    }
    return m_table.Add(device::DeviceFromReply(frame, interfaceIndex, now));
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
