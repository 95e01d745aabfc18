// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_listen.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>

#include "discovery/discovery_session.h"
#include "system/socket_backend.h"

namespace cli {

namespace {

using Clock = DiscoverySession::Clock;

Clock::duration Seconds(double seconds)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

} // namespace

void ReadAnswers(int handle, DiscoverySession& session, std::map<unsigned, std::string>& interfaceNames,
                 const std::function<void(const device::DeviceEvent&)>& onAnswer)
{
    constexpr int kBatch = 1024;
    const Clock::time_point now = Clock::now();
    for (int tries = 0; tries < kBatch; ++tries) {
        packet::Bytes frame{}; // a short datagram reads with zeros after its end
        unsigned arrivedOn = 0;
        const int n = Sockets().ReceiveWithInterface(handle, frame.data(), static_cast<int>(frame.size()), arrivedOn);
        if (n < 0)
            return; // nothing more waiting (or an error that waiting cannot mend)
        if (n == 0)
            continue; // an empty datagram is nothing received
        const std::optional<device::DeviceEvent> event = session.Receive(frame, arrivedOn, now);
        if (!event)
            continue;
        if (arrivedOn != 0 && !interfaceNames.contains(arrivedOn))
            interfaceNames[arrivedOn] = Sockets().InterfaceName(arrivedOn);
        if (onAnswer)
            onAnswer(*event);
    }
}

bool SendProbes(DeviceSocket& socket, const InterfaceRoute& route, std::map<unsigned, std::string>& interfaceNames,
                std::vector<std::string>& failures, std::string& error)
{
    const packet::Bytes probe = packet::BuildProbe();
    if (route.interfaces.empty())
        return socket.Send(probe, error);
    // An interface that went away since it was listed does not keep the
    // others from being asked.
    std::size_t sent = 0;
    for (const NetworkInterface& entry : route.interfaces) {
        interfaceNames[entry.index] = entry.name;
        std::string failure;
        if (socket.Send(probe, failure, entry.index, entry.name))
            ++sent;
        else
            failures.push_back(failure);
    }
    if (sent == 0)
        error = failures.front();
    return sent > 0;
}

bool ListenForDevices(DeviceSocket& socket, const InterfaceRoute& route, double windowSeconds, double maxSeconds,
                      ListenResult& result, std::string& error, std::size_t keepAtMost)
{
    result.receiveBuffer = socket.ReceiveBuffer();
    result.subnets = device::SubnetsOf(Sockets().BroadcastInterfaces());
    if (route.missing) {
        error = "the chosen network interface is not there";
        return false;
    }
    if (!SendProbes(socket, route, result.interfaceNames, result.probeFailures, error))
        return false;
    DiscoverySession session(result.devices);
    session.SetWindowLength(Seconds(windowSeconds));
    session.LimitEntries(keepAtMost);
    const Clock::time_point probeSent = Clock::now();
    session.Begin(route, probeSent);
    const Clock::time_point hardEnd = probeSent + Seconds(maxSeconds);
    long long countedBeforeWindow = 0; // answers counted when the current window opened
    while (true) {
        const Clock::time_point until = std::min(session.WindowEndsAt(), hardEnd);
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
        pollfd pfd{socket.Handle(), POLLIN, 0};
        if (::poll(&pfd, 1, left > 0 ? static_cast<int>(left) : 0) < 0 && errno != EINTR) {
            error = std::string("waiting for answers failed: ") + std::strerror(errno);
            return false;
        }
        // What is waiting came before the clock is read below: it belongs to
        // the window that may be ending.
        ReadAnswers(socket.Handle(), session, result.interfaceNames);
        const Clock::time_point now = Clock::now();
        // The hard limit first: a window that answers came in, ending just
        // now, was still cut short.
        if (now >= hardEnd) {
            result.cutShort = session.AnswerCount() > countedBeforeWindow;
            session.Stop();
            break;
        }
        if (now >= session.WindowEndsAt()) {
            if (!session.EndOfWindow(now))
                break; // a quiet window: listening is over
            countedBeforeWindow = session.AnswerCount();
        }
    }
    result.cut = session.Unkept();
    result.dropped = socket.Dropped();
    return true;
}

std::string InterfaceNameOf(const ListenResult& result, const device::Device& d)
{
    const auto it = result.interfaceNames.find(d.interfaceIndex);
    return it == result.interfaceNames.end() ? std::string() : it->second;
}

} // namespace cli
