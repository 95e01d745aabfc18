// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_command_packets.h"

#include <algorithm>

#include "commands/command_builders.h"

namespace cli {

namespace {

// The builders take the packet record's byte arrays.
template <typename Value, std::size_t N> Value Of(const std::array<std::uint8_t, N>& field)
{
    Value value;
    std::copy(field.begin(), field.end(), value.bytes);
    return value;
}

} // namespace

std::vector<COMMAND_PACKET> SetIpPackets(const device::Device& d, const NewNetworkValues& values)
{
    const Ipv4 oldIp = Of<Ipv4>(d.ip);
    const Ipv4 oldMask = Of<Ipv4>(d.mask);
    const Ipv4 oldGateway = Of<Ipv4>(d.gateway);
    const Ipv4 ip = values.ip.value_or(oldIp);
    const Ipv4 mask = values.mask.value_or(oldMask);
    const Ipv4 gateway = values.gateway.value_or(oldGateway);
    const Mac mac = Of<Mac>(d.mac);

    std::vector<COMMAND_PACKET> packets;
    const std::pair<std::uint8_t, bool> changes[] = {
        {CMD_SET_IP, !(ip == oldIp)},
        {CMD_SET_SUBNET_MASK, !(mask == oldMask)},
        {CMD_SET_GATEWAY, !(gateway == oldGateway)},
    };
    for (const auto& [code, changed] : changes)
        if (changed)
            packets.push_back(BuildNetworkCommand(code, ip.bytes, mask.bytes, gateway.bytes, mac.bytes));
    return packets;
}

COMMAND_PACKET SetMacPacket(const Ipv4& currentIp, const Mac& newMac)
{
    return BuildSetMacCommand(currentIp.bytes, newMac.bytes);
}

COMMAND_PACKET DeviceOrderPacket(std::uint8_t code, const Mac& mac)
{
    return BuildDeviceOrder(code, mac.bytes);
}

} // namespace cli
