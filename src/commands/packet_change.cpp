// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "commands/packet_change.h"

#include <algorithm>

#include "devices/device_texts.h"

namespace {

device::Ipv4 Ip(const std::uint8_t* p)
{
    return {p[0], p[1], p[2], p[3]};
}

} // namespace

device::ChangeRecord ChangeOf(const COMMAND_PACKET& packet, const device::Device& before, std::string program,
                              std::string interfaceName)
{
    device::ChangeRecord record;
    record.program = std::move(program);
    record.interfaceName = std::move(interfaceName);
    record.mac = before.mac;
    const auto field = [&record](const char* name, std::string was, std::string now) {
        record.before.emplace_back(name, std::move(was));
        record.after.emplace_back(name, std::move(now));
    };
    switch (packet.command) {
    case CMD_SET_IP:
        record.command = "set-ip";
        field("ip", device::FormatDotted(before.ip), device::FormatDotted(Ip(packet.ipAddress)));
        break;
    case CMD_SET_SUBNET_MASK:
        record.command = "set-mask";
        field("mask", device::FormatDotted(before.mask), device::FormatDotted(Ip(packet.subnetMask)));
        break;
    case CMD_SET_GATEWAY:
        record.command = "set-gateway";
        field("gateway", device::FormatDotted(before.gateway), device::FormatDotted(Ip(packet.gatewayIp)));
        break;
    case CMD_SET_MAC: {
        device::Mac mac{};
        std::copy(std::begin(packet.macAddress), std::end(packet.macAddress), mac.begin());
        record.command = "set-mac";
        field("mac", device::FormatMac(before.mac), device::FormatMac(mac));
        break;
    }
    case CMD_SOFT_RESET:
        record.command = "reset";
        break;
    case CMD_UPDATE_FIRMWARE:
        record.command = "update-firmware";
        break;
    default:
        record.command = "code " + std::to_string(packet.command);
        break;
    }
    return record;
}
