// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "commands/command_builders.h"

#include <cstring>
#include <string>
#include <utility>

COMMAND_PACKET BuildNetworkCommand(std::uint8_t code, Bytes4 ip, Bytes4 mask, Bytes4 gateway, Bytes6 mac)
{
    COMMAND_PACKET packet = MakeCommandPacket(code);
    std::memcpy(packet.ipAddress, ip.data(), 4);
    std::memcpy(packet.subnetMask, mask.data(), 4);
    std::memcpy(packet.gatewayIp, gateway.data(), 4);
    std::memcpy(packet.macAddress, mac.data(), 6);
    return packet;
}

std::vector<COMMAND_PACKET> BuildModifyIpCommands(const device::Device& before, const device::Ipv4& ip,
                                                  const device::Ipv4& mask, const device::Ipv4& gateway)
{
    const std::pair<std::uint8_t, bool> values[] = {
        {CMD_SET_IP, ip != before.ip},
        {CMD_SET_SUBNET_MASK, mask != before.mask},
        {CMD_SET_GATEWAY, gateway != before.gateway},
    };
    std::vector<COMMAND_PACKET> packets;
    for (const auto& [code, changed] : values)
        if (changed)
            packets.push_back(BuildNetworkCommand(code, ip, mask, gateway, before.mac));
    return packets;
}

COMMAND_PACKET BuildSetMacCommand(Bytes4 currentIp, Bytes6 newMac)
{
    COMMAND_PACKET packet = MakeCommandPacket(CMD_SET_MAC);
    std::memcpy(packet.ipAddress, currentIp.data(), 4);
    std::memcpy(packet.macAddress, newMac.data(), 6);
    return packet;
}

COMMAND_PACKET BuildDeviceOrder(std::uint8_t code, Bytes6 mac)
{
    COMMAND_PACKET packet = MakeCommandPacket(code);
    std::memcpy(packet.macAddress, mac.data(), 6);
    return packet;
}

namespace {

void WipeBytes(void* p, std::size_t n)
{
    volatile auto* bytes = static_cast<volatile unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = 0;
}

} // namespace

void WipePassword(COMMAND_PACKET& packet)
{
    WipeBytes(packet.password, sizeof packet.password);
}

void WipePassword(packet::Bytes& bytes)
{
    WipeBytes(bytes.data() + packet::kPasswordAt, packet::kPasswordSize);
}

bool PacketWithPassword(const COMMAND_PACKET& packet, std::string_view password, packet::Bytes& bytes)
{
    if (password.size() > packet::kPasswordSize)
        return false;
    std::memcpy(bytes.data(), &packet, sizeof packet);
    WipePassword(bytes);
    std::memcpy(bytes.data() + packet::kPasswordAt, password.data(), password.size());
    return true;
}

void WipeText(std::string& text)
{
    if (!text.empty())
        WipeBytes(text.data(), text.size());
    text.clear();
}
