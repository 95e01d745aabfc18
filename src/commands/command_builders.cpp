// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "commands/command_builders.h"

#include <cstring>
#include <string>

COMMAND_PACKET BuildNetworkCommand(std::uint8_t code, const std::uint8_t (&ip)[4], const std::uint8_t (&mask)[4],
                                   const std::uint8_t (&gateway)[4], const std::uint8_t (&mac)[6])
{
    COMMAND_PACKET packet = MakeCommandPacket(code);
    std::memcpy(packet.ipAddress, ip, 4);
    std::memcpy(packet.subnetMask, mask, 4);
    std::memcpy(packet.gatewayIp, gateway, 4);
    std::memcpy(packet.macAddress, mac, 6);
    return packet;
}

COMMAND_PACKET BuildSetMacCommand(const std::uint8_t (&currentIp)[4], const std::uint8_t (&newMac)[6])
{
    COMMAND_PACKET packet = MakeCommandPacket(CMD_SET_MAC);
    std::memcpy(packet.ipAddress, currentIp, 4);
    std::memcpy(packet.macAddress, newMac, 6);
    return packet;
}

COMMAND_PACKET BuildDeviceOrder(std::uint8_t code, const std::uint8_t (&mac)[6])
{
    COMMAND_PACKET packet = MakeCommandPacket(code);
    std::memcpy(packet.macAddress, mac, 6);
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
