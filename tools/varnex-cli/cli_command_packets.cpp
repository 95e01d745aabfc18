// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_command_packets.h"

#include "commands/command_builders.h"

namespace cli {

namespace {

Ipv4 RowAddress(const device::DeviceRow& row, int column)
{
    Ipv4 address;
    ParseDottedBytes(row.columns[column], address.bytes, 4);
    return address;
}

} // namespace

std::vector<COMMAND_PACKET> SetIpPackets(const device::DeviceRow& row, const NewNetworkValues& values)
{
    const Ipv4 oldIp = RowAddress(row, device::kIp);
    const Ipv4 oldMask = RowAddress(row, device::kMask);
    const Ipv4 oldGateway = RowAddress(row, device::kGateway);
    const Ipv4 ip = values.ip.value_or(oldIp);
    const Ipv4 mask = values.mask.value_or(oldMask);
    const Ipv4 gateway = values.gateway.value_or(oldGateway);
    Mac mac;
    ParseMacBytes(row.columns[device::kMac], mac.bytes, 6);

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
