// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Discovery as Refresh does it, through the window's own discovery session:
// the probe from the local port, then listening in windows while answers keep
// coming, with a hard limit on the whole listening time.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli_device_socket.h"
#include "devices/device_roster.h"
#include "devices/device_table.h"
#include "devices/reachability.h"
#include "discovery/interface_route.h"

class DiscoverySession;

namespace cli {

// Answers one discovery keeps: each is an entry of its own, so a flood must
// not take the memory; further answers are counted.
constexpr std::size_t kMaxKeptAnswers = 100000;

struct ListenResult {
    // The devices that answered, in arrival order, with the addresses they share.
    device::DeviceTable devices;
    // The names of the interfaces the answers came in on, by index.
    std::map<unsigned, std::string> interfaceNames;
    // Answers that arrived after kMaxKeptAnswers were kept: counted, not kept.
    long long cut = 0;
    // Answers the kernel dropped because the receive buffer was full.
    long long dropped = 0;
    // The receive buffer the kernel granted, as read back (0: unknown).
    int receiveBuffer = 0;
    // Whether --max-wait ended listening in a window that answers came in.
    bool cutShort = false;
    // Why the probe could not go out on some of the interfaces (it went out on
    // the others).
    std::vector<std::string> probeFailures;
    // This computer's subnets when the probe went out, to tell which devices it can reach.
    std::vector<device::Subnet> subnets;
};

// Sends the probe through an open socket, once on each interface of the route
// (once where the routes send it when it names none), and keeps every
// datagram that counts for the route as a device, at most keepAtMost of them.
// Listening goes on in windows of windowSeconds while an answer comes in each,
// and ends after the first window without one, or maxSeconds after the probe.
// False when no probe can be sent or waiting fails.
bool ListenForDevices(DeviceSocket& socket, const InterfaceRoute& route, double windowSeconds, double maxSeconds,
                      ListenResult& result, std::string& error, std::size_t keepAtMost = kMaxKeptAnswers);

// Sends the probe on each interface of the route (once where the routes send
// it when the route names none); each interface asked is named in
// interfaceNames, each failure said in failures. False, with the reason, when
// it went out on none.
bool SendProbes(DeviceSocket& socket, const InterfaceRoute& route, std::map<unsigned, std::string>& interfaceNames,
                std::vector<std::string>& failures, std::string& error);

// Reads the datagrams waiting now into the session, at most a batch of them,
// so that a flood cannot keep a caller's deadlines from being looked at. The
// interface of each answer kept is named in interfaceNames; onAnswer hears
// what each one says.
void ReadAnswers(int handle, DiscoverySession& session, std::map<unsigned, std::string>& interfaceNames,
                 const std::function<void(const device::DeviceEvent&)>& onAnswer = {});

// The name of the interface a device answered on, empty when not known.
std::string InterfaceNameOf(const ListenResult& result, const device::Device& d);

} // namespace cli
