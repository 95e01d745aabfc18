// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/interface_route.h"

#include <algorithm>

#include "system/async_socket.h"
#include "system/socket_backend.h"

InterfaceRoute RouteFor(const std::string& choice, const std::vector<NetworkInterface>& present, bool limitedBroadcast)
{
    InterfaceRoute route;
    if (choice.empty()) {
        if (limitedBroadcast)
            route.interfaces = present;
        return route;
    }
    const auto it = std::find_if(present.begin(), present.end(),
                                 [&choice](const NetworkInterface& entry) { return entry.name == choice; });
    if (it == present.end()) {
        route.missing = true;
        return route;
    }
    route.interfaces = {*it};
    route.onlyFrom = it->index;
    return route;
}

bool AnswerCounts(unsigned onlyFrom, unsigned arrivedOn)
{
    return onlyFrom == 0 || arrivedOn == 0 || arrivedOn == onlyFrom;
}

int SendOnRoute(CAsyncSocket& socket, const InterfaceRoute& route, const void* data, int length, unsigned port,
                const char* host)
{
    if (route.missing)
        return 0;
    if (route.interfaces.empty())
        return socket.SendTo(data, length, port, host) >= 0 ? 1 : 0;
    int sent = 0;
    for (const NetworkInterface& entry : route.interfaces)
        if (socket.SendToInterface(data, length, port, host, entry.index) >= 0)
            ++sent;
    return sent;
}

std::string InterfaceLabel(const NetworkInterface& entry)
{
    return entry.name + " (" + entry.address + ")";
}

std::vector<NetworkInterface> PresentInterfaces()
{
    return Sockets().BroadcastInterfaces();
}
