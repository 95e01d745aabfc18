// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The packets each command sends, built with the desktop program's builders
// from the command line's values; the password is added when sending.
#pragma once

#include <optional>
#include <vector>

#include "cli_arguments.h"
#include "commands/command_packet.h"
#include "devices/device.h"

namespace cli {

struct NewNetworkValues {
    std::optional<Ipv4> ip;
    std::optional<Ipv4> mask;
    std::optional<Ipv4> gateway;
};

// set-ip: one packet per value that differs from the device's, in the order
// IP (0x3A), mask (0x3B), gateway (0x3E); each carries all three new values (a
// value not given keeps the device's) and the device's MAC. Empty when nothing
// changes.
std::vector<COMMAND_PACKET> SetIpPackets(const device::Device& d, const NewNetworkValues& values);

// set-mac (0x3C): the device named by its current IP gets the new MAC.
COMMAND_PACKET SetMacPacket(const Ipv4& currentIp, const Mac& newMac);

// reset (0x3D) and update-firmware (0x3F): the device named by its MAC.
COMMAND_PACKET DeviceOrderPacket(std::uint8_t code, const Mac& mac);

} // namespace cli
