// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Which network interfaces the probe leaves by, and which answers count: every
// broadcast interface once, or only the one the user chose by name.
#pragma once

#include <string>
#include <vector>

#include "system/network_interfaces.h"

class CAsyncSocket;

struct InterfaceRoute {
    // The interfaces to send on, once each. Empty (and not missing): send once
    // where the routes send it, as on a machine whose interfaces cannot be read.
    std::vector<NetworkInterface> interfaces;
    // The chosen interface is not there now: nothing is sent.
    bool missing = false;
    // Only answers that came in on this interface count (0: every answer).
    unsigned onlyFrom = 0;
};

// choice: empty for every interface, else an interface's name. present: the
// broadcast interfaces now. A destination other than the limited broadcast
// address (limitedBroadcast false) names its own network: with every interface
// it is sent once, where the routes send it.
InterfaceRoute RouteFor(const std::string& choice, const std::vector<NetworkInterface>& present,
                        bool limitedBroadcast = true);

// Whether an answer that came in on the interface counts when only answers from
// onlyFrom do (0: every answer does; an answer whose interface is not known
// always counts).
bool AnswerCounts(unsigned onlyFrom, unsigned arrivedOn);

// Sends the datagram once on each interface of the route, or once by the
// routes when it names none; nothing when the chosen interface is missing.
// Returns how many datagrams were handed to the system.
int SendOnRoute(CAsyncSocket& socket, const InterfaceRoute& route, const void* data, int length, unsigned port,
                const char* host);

// A menu or list text for an interface: "eth0 (10.77.0.1)".
std::string InterfaceLabel(const NetworkInterface& entry);

// The broadcast interfaces present now, as the socket layer reads them.
std::vector<NetworkInterface> PresentInterfaces();
