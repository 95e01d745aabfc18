// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Discovery as Refresh does it: the probe from the local port, then listening
// while answers keep coming, with a hard limit on the whole listening time.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "cli_device_socket.h"
#include "discovery/interface_route.h"
#include "discovery/packet_frame.h"

namespace cli {

using ListenClock = std::chrono::steady_clock;

// When listening ends: quiet seconds after the probe or after the latest
// answer, whichever is later, but never later than max seconds after the probe.
class ListenDeadline {
public:
    ListenDeadline(ListenClock::time_point probeSent, double quietSeconds, double maxSeconds);
    void AnswerAt(ListenClock::time_point when);
    ListenClock::time_point End() const;
    // Whether the hard limit, not a quiet spell, ends listening.
    bool CutShort() const { return m_quietEnd > m_hardEnd; }

private:
    ListenClock::duration m_quiet;
    ListenClock::time_point m_hardEnd;
    ListenClock::time_point m_quietEnd;
};

// Answers one discovery keeps: each is a row of its own, so a flood must not
// take the memory; further answers are counted.
constexpr std::size_t kMaxKeptAnswers = 100000;

struct ListenResult {
    // Every datagram, as its first 52 bytes (zeros after a short one), in
    // arrival order: 52 bytes an answer however many arrive.
    std::vector<packet::Bytes> answers;
    // Beside each answer, the index of the interface it came in on (0: not known).
    std::vector<unsigned> interfaces;
    // The names of those interfaces by index.
    std::map<unsigned, std::string> interfaceNames;
    // Answers that arrived after kMaxKeptAnswers were kept: counted, not kept.
    long long cut = 0;
    // Answers the kernel dropped because the receive buffer was full.
    long long dropped = 0;
    // The receive buffer the kernel granted, as read back (0: unknown).
    int receiveBuffer = 0;
    // Whether --max-wait ended listening while answers were still coming.
    bool cutShort = false;
    // Why the probe could not go out on some of the interfaces (it went out on
    // the others).
    std::vector<std::string> probeFailures;
};

// Sends the probe through an open socket, once on each interface of the route
// (once where the routes send it when it names none), and collects every
// datagram that counts for the route until the deadline, keeping at most
// keepAtMost of them. False when no probe can be sent or waiting fails.
bool ListenForDevices(DeviceSocket& socket, const InterfaceRoute& route, double quietSeconds, double maxSeconds,
                      ListenResult& result, std::string& error, std::size_t keepAtMost = kMaxKeptAnswers);

// The name of an answer's interface, empty when not known.
std::string AnswerInterfaceName(const ListenResult& result, std::size_t answer);

} // namespace cli
