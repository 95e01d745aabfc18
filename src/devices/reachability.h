// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Whether this computer can reach a device directly: its address must lie in
// the subnet of the interface its answer came in on. A device set to another
// network still answers the broadcast probe, yet its web page and anything
// but this program's broadcast commands stay out of reach.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "devices/device.h"
#include "system/network_interfaces.h"

namespace device {

// One of this computer's IPv4 networks, as its interface holds it.
struct Subnet {
    std::string interfaceName;
    unsigned interfaceIndex = 0;
    Ipv4 address{};
    Ipv4 mask{};
    bool Contains(const Ipv4& ip) const;
};

// The subnets of the interfaces; one whose address or mask cannot be read is left out.
std::vector<Subnet> SubnetsOf(const std::vector<NetworkInterface>& interfaces);

// Whether mask is a subnet mask: a run of ones from the top, at least one.
bool IsSubnetMask(const Ipv4& mask);

// "192.168.1.0/24".
std::string SubnetText(const Subnet& subnet);

// Whether d can be reached directly (true when no subnet is known), without making the text.
bool IsReachable(const Device& d, const std::vector<Subnet>& subnets);

// Why d cannot be reached directly, or nothing when it can. With no subnets
// known nothing can be said, and nothing is. A device that answered on a
// listed interface must be in that interface's subnet; one whose interface is
// not listed, in any of them.
std::optional<std::string> UnreachableReason(const Device& d, const std::vector<Subnet>& subnets);

} // namespace device
