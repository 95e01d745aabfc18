// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/reachability.h"

#include <arpa/inet.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "devices/device_texts.h"
#include "res/text/resource_ids.h"
#include "res/text/strings.h"

namespace device {

namespace {

bool ParseIpv4(const std::string& text, Ipv4& ip)
{
    in_addr parsed{};
    if (text.empty() || ::inet_pton(AF_INET, text.c_str(), &parsed) != 1)
        return false;
    std::memcpy(ip.data(), &parsed.s_addr, ip.size()); // network order is the dotted order
    return true;
}

void Replace(std::string& text, const char* mark, const std::string& by)
{
    if (const auto at = text.find(mark); at != std::string::npos)
        text.replace(at, std::strlen(mark), by);
}

} // namespace

bool Subnet::Contains(const Ipv4& ip) const
{
    const std::uint32_t m = Ipv4Value(mask);
    return (Ipv4Value(ip) & m) == (Ipv4Value(address) & m);
}

std::vector<Subnet> SubnetsOf(const std::vector<NetworkInterface>& interfaces)
{
    std::vector<Subnet> subnets;
    for (const NetworkInterface& nic : interfaces) {
        Subnet subnet{nic.name, nic.index, {}, {}};
        if (ParseIpv4(nic.address, subnet.address) && ParseIpv4(nic.mask, subnet.mask))
            subnets.push_back(std::move(subnet));
    }
    return subnets;
}

bool IsSubnetMask(const Ipv4& mask)
{
    const std::uint32_t m = Ipv4Value(mask);
    return m != 0 && (~m & (~m + 1)) == 0;
}

std::string SubnetText(const Subnet& subnet)
{
    const std::uint32_t m = Ipv4Value(subnet.mask);
    const Ipv4 network = Ipv4FromValue(Ipv4Value(subnet.address) & m);
    // A mask that is not a run of ones from the top is shown whole.
    const bool contiguous = m == 0 || IsSubnetMask(subnet.mask);
    return FormatDotted(network) + "/" + (contiguous ? std::to_string(std::popcount(m)) : FormatDotted(subnet.mask));
}

namespace {

// The subnet of the interface d answered on, when it is listed.
const Subnet* OwnSubnet(const Device& d, const std::vector<Subnet>& subnets)
{
    if (d.interfaceIndex == 0)
        return nullptr;
    const auto own = std::find_if(subnets.begin(), subnets.end(),
                                  [&d](const Subnet& s) { return s.interfaceIndex == d.interfaceIndex; });
    return own != subnets.end() ? &*own : nullptr;
}

} // namespace

bool IsReachable(const Device& d, const std::vector<Subnet>& subnets)
{
    if (subnets.empty())
        return true;
    if (const Subnet* own = OwnSubnet(d, subnets))
        return own->Contains(d.ip);
    return std::any_of(subnets.begin(), subnets.end(), [&d](const Subnet& s) { return s.Contains(d.ip); });
}

std::optional<std::string> UnreachableReason(const Device& d, const std::vector<Subnet>& subnets)
{
    if (IsReachable(d, subnets))
        return std::nullopt;
    if (const Subnet* own = OwnSubnet(d, subnets)) {
        std::string text = res::LoadText(IDS_OUTSIDE_SUBNET);
        Replace(text, "%1", FormatDotted(d.ip));
        Replace(text, "%2", own->interfaceName);
        Replace(text, "%3", SubnetText(*own));
        return text;
    }
    std::string text = res::LoadText(IDS_ON_NO_SUBNET);
    Replace(text, "%1", FormatDotted(d.ip));
    return text;
}

} // namespace device
