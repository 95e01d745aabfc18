// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The machine's network interfaces that a limited broadcast can leave by: up,
// IPv4, broadcast-capable and not loopback, one entry per interface.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ifaddrs;

struct NetworkInterface {
    std::string name;    // the kernel's name of the device, "eth0"
    unsigned index = 0;  // the kernel's interface index, never 0
    std::string address; // its first IPv4 address, dotted
    std::string mask{};  // that address's netmask, dotted (empty: not known)
    bool operator==(const NetworkInterface&) const = default;
};

// The broadcast interfaces of a getifaddrs list, ordered by interface index.
// An interface with several IPv4 addresses (labels such as "eth0:1" included)
// is listed once, under its device name, with the first address. The index
// comes from the list's link-layer entry of the device, else from the kernel.
std::vector<NetworkInterface> BroadcastInterfacesOf(const ifaddrs* list);

// The machine's broadcast interfaces now; empty when they cannot be read.
std::vector<NetworkInterface> ReadBroadcastInterfaces();

// A name the kernel accepts for an interface: 1 to 15 bytes, not "." or "..",
// without '/', ':', blanks or control characters.
bool IsInterfaceName(std::string_view name);
