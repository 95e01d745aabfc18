// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "sim_commands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "commands/command_packet.h"
#include "devices/device_texts.h"

namespace sim {

namespace {

bool PasswordMatches(const Device& device, const COMMAND_PACKET& packet)
{
    std::uint8_t expected[sizeof packet.password] = {};
    std::memcpy(expected, device.password.data(), std::min(device.password.size(), sizeof expected));
    return std::memcmp(expected, packet.password, sizeof expected) == 0;
}

std::string AddressDetail(const Device& device)
{
    return " (ip " + device::FormatDotted(device.ip.data()) + " mask " + device::FormatDotted(device.mask.data()) +
           " gateway " + device::FormatDotted(device.gateway.data()) + ")";
}

std::string SecondsText(Clock::duration d)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f s", std::chrono::duration<double>(d).count());
    return buf;
}

// Changes one device that the packet names; returns what follows "applied <name> to <mac>".
std::string Apply(Device& device, const COMMAND_PACKET& packet, Clock::time_point now, Clock::duration resetSilence)
{
    switch (packet.command) {
    case CMD_SET_IP:
    case CMD_SET_SUBNET_MASK:
    case CMD_SET_GATEWAY:
        // Every Modify IP packet carries all three values; the code only says which one changed.
        std::copy_n(packet.ipAddress, 4, device.ip.begin());
        std::copy_n(packet.subnetMask, 4, device.mask.begin());
        std::copy_n(packet.gatewayIp, 4, device.gateway.begin());
        return AddressDetail(device);
    case CMD_SET_MAC:
        std::copy_n(packet.macAddress, 6, device.mac.begin());
        return " (now " + device::FormatMac(device.mac.data()) + ")";
    case CMD_SOFT_RESET:
        device.silentUntil = now + resetSilence;
        return " (silent " + SecondsText(resetSilence) + ")";
    case CMD_UPDATE_FIRMWARE:
        device.firmwareMode = true;
        return "";
    default:
        return "";
    }
}

} // namespace

std::string_view CommandName(std::uint8_t code)
{
    switch (code) {
    case CMD_SET_IP:
        return "set-ip";
    case CMD_SET_SUBNET_MASK:
        return "set-mask";
    case CMD_SET_MAC:
        return "set-mac";
    case CMD_SOFT_RESET:
        return "reset";
    case CMD_SET_GATEWAY:
        return "set-gateway";
    case CMD_UPDATE_FIRMWARE:
        return "update-firmware";
    default:
        return "";
    }
}

bool IsCommandCode(std::uint8_t code)
{
    return !CommandName(code).empty();
}

std::string ApplyCommand(std::vector<Device>& devices, const packet::Bytes& frame, Clock::time_point now,
                         Clock::duration resetSilence)
{
    const COMMAND_PACKET packet = PacketFromBytes(frame);
    const std::string name(CommandName(packet.command));
    if (name.empty())
        return "ignored: not a command";

    // A MAC change names its device by the current IP; the others by MAC.
    const bool byIp = packet.command == CMD_SET_MAC;
    std::vector<Device*> named;
    for (Device& device : devices) {
        const bool match = byIp ? std::equal(device.ip.begin(), device.ip.end(), packet.ipAddress)
                                : std::equal(device.mac.begin(), device.mac.end(), packet.macAddress);
        if (match)
            named.push_back(&device);
    }
    if (named.empty()) {
        return "rejected: " + name + " names no device (" +
               (byIp ? "IP " + device::FormatDotted(packet.ipAddress) : "MAC " + device::FormatMac(packet.macAddress)) +
               ")";
    }

    // Devices that share the address all see the broadcast; each judges it alone.
    std::string verdict;
    for (Device* device : named) {
        const std::string label = device::FormatMac(device->mac.data());
        if (!verdict.empty())
            verdict += "; ";
        if (device->ignoresCommands)
            verdict += "ignored: " + label + " drops commands";
        else if (device->IsSilent(now))
            verdict += "rejected: " + label + " is resetting";
        else if (!PasswordMatches(*device, packet))
            verdict += "rejected: bad password for " + label;
        else
            verdict += "applied " + name + " to " + label + Apply(*device, packet, now, resetSilence);
    }
    return verdict;
}

} // namespace sim
