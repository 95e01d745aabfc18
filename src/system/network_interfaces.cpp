// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/network_interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <map>

namespace {

// "eth0:1" is a label of eth0's second address; the device is eth0.
std::string DeviceName(const char* name)
{
    std::string device = name ? name : "";
    if (const auto colon = device.find(':'); colon != std::string::npos)
        device.resize(colon);
    return device;
}

} // namespace

std::vector<NetworkInterface> BroadcastInterfacesOf(const ifaddrs* list)
{
    // The link-layer entries carry each device's index.
    std::map<std::string, unsigned> indexOf;
    for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
        if (a->ifa_addr != nullptr && a->ifa_addr->sa_family == AF_PACKET && a->ifa_name != nullptr) {
            const auto* link = reinterpret_cast<const sockaddr_ll*>(a->ifa_addr);
            if (link->sll_ifindex > 0)
                indexOf.emplace(a->ifa_name, static_cast<unsigned>(link->sll_ifindex));
        }
    }
    std::vector<NetworkInterface> found;
    for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
        if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_INET)
            continue;
        const unsigned flags = a->ifa_flags;
        if (!(flags & IFF_UP) || !(flags & IFF_BROADCAST) || (flags & IFF_LOOPBACK))
            continue;
        NetworkInterface entry;
        entry.name = DeviceName(a->ifa_name);
        if (!IsInterfaceName(entry.name))
            continue;
        if (const auto it = indexOf.find(entry.name); it != indexOf.end())
            entry.index = it->second;
        else
            entry.index = ::if_nametoindex(entry.name.c_str());
        if (entry.index == 0)
            continue; // gone meanwhile
        const bool listed = std::any_of(found.begin(), found.end(),
                                        [&entry](const NetworkInterface& f) { return f.index == entry.index; });
        if (listed)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* inet = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
        if (::inet_ntop(AF_INET, &inet->sin_addr, text, sizeof text) == nullptr)
            continue;
        entry.address = text;
        if (a->ifa_netmask != nullptr && a->ifa_netmask->sa_family == AF_INET) {
            const auto* mask = reinterpret_cast<const sockaddr_in*>(a->ifa_netmask);
            char maskText[INET_ADDRSTRLEN] = {};
            if (::inet_ntop(AF_INET, &mask->sin_addr, maskText, sizeof maskText) != nullptr)
                entry.mask = maskText;
        }
        found.push_back(std::move(entry));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const NetworkInterface& a, const NetworkInterface& b) { return a.index < b.index; });
    return found;
}

std::vector<NetworkInterface> ReadBroadcastInterfaces()
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return {};
    std::vector<NetworkInterface> found = BroadcastInterfacesOf(list);
    ::freeifaddrs(list);
    return found;
}

bool IsInterfaceName(std::string_view name)
{
    if (name.empty() || name.size() >= IFNAMSIZ || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u <= 0x20 || u == 0x7F || c == '/' || c == ':';
    });
}
