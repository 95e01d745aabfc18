// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_listen.h"

#include <cerrno>
#include <cstring>
#include <poll.h>

#include "system/socket_backend.h"

namespace cli {

namespace {

ListenClock::duration Seconds(double seconds)
{
    return std::chrono::duration_cast<ListenClock::duration>(std::chrono::duration<double>(seconds));
}

// Reads the datagrams waiting now, at most a batch of them so that a flood
// cannot keep the deadline from being looked at; returns how many answers
// there were (datagrams from an interface the route leaves out are none).
int DrainDatagrams(int handle, unsigned onlyFrom, std::size_t keepAtMost, ListenResult& result)
{
    constexpr int kBatch = 1024;
    int count = 0;
    for (int tries = 0; tries < kBatch; ++tries) {
        packet::Bytes frame{}; // a short datagram reads with zeros after its end
        unsigned arrivedOn = 0;
        const int n = Sockets().ReceiveWithInterface(handle, frame.data(), static_cast<int>(frame.size()), arrivedOn);
        if (n < 0)
            return count; // nothing more waiting (or an error that waiting cannot mend)
        if (n == 0 || !AnswerCounts(onlyFrom, arrivedOn))
            continue; // an empty datagram is nothing received
        ++count;
        if (result.answers.size() >= keepAtMost) {
            ++result.cut;
            continue;
        }
        result.answers.push_back(frame);
        result.interfaces.push_back(arrivedOn);
        if (arrivedOn != 0 && !result.interfaceNames.contains(arrivedOn))
            result.interfaceNames[arrivedOn] = Sockets().InterfaceName(arrivedOn);
    }
    return count;
}

} // namespace

ListenDeadline::ListenDeadline(ListenClock::time_point probeSent, double quietSeconds, double maxSeconds)
    : m_quiet(Seconds(quietSeconds)), m_hardEnd(probeSent + Seconds(maxSeconds)), m_quietEnd(probeSent + m_quiet)
{
}

void ListenDeadline::AnswerAt(ListenClock::time_point when)
{
    if (when + m_quiet > m_quietEnd)
        m_quietEnd = when + m_quiet;
}

ListenClock::time_point ListenDeadline::End() const
{
    return m_quietEnd < m_hardEnd ? m_quietEnd : m_hardEnd;
}

bool ListenForDevices(DeviceSocket& socket, const InterfaceRoute& route, double quietSeconds, double maxSeconds,
                      ListenResult& result, std::string& error, std::size_t keepAtMost)
{
    result.receiveBuffer = socket.ReceiveBuffer();
    if (route.missing) {
        error = "the chosen network interface is not there";
        return false;
    }
    const packet::Bytes probe = packet::BuildProbe();
    if (route.interfaces.empty() && !socket.Send(probe, error))
        return false;
    // An interface that went away since it was listed does not keep the
    // others from being asked.
    std::size_t sent = 0;
    for (const NetworkInterface& entry : route.interfaces) {
        result.interfaceNames[entry.index] = entry.name;
        std::string failure;
        if (socket.Send(probe, failure, entry.index, entry.name))
            ++sent;
        else
            result.probeFailures.push_back(failure);
    }
    if (!route.interfaces.empty() && sent == 0) {
        error = result.probeFailures.front();
        return false;
    }
    ListenDeadline deadline(ListenClock::now(), quietSeconds, maxSeconds);
    while (true) {
        const auto now = ListenClock::now();
        if (now >= deadline.End())
            break;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline.End() - now).count();
        pollfd pfd{socket.Handle(), POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(left));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            error = std::string("waiting for answers failed: ") + std::strerror(errno);
            return false;
        }
        if (ready > 0 && DrainDatagrams(socket.Handle(), route.onlyFrom, keepAtMost, result) > 0)
            deadline.AnswerAt(ListenClock::now());
    }
    result.cutShort = deadline.CutShort();
    result.dropped = socket.Dropped();
    return true;
}

std::string AnswerInterfaceName(const ListenResult& result, std::size_t answer)
{
    if (answer >= result.interfaces.size())
        return {};
    const auto it = result.interfaceNames.find(result.interfaces[answer]);
    return it == result.interfaceNames.end() ? std::string() : it->second;
}

} // namespace cli
