// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The command packets the device commands send, built from the values a user
// entered or the list shows. The password is added last and wiped after sending.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "commands/command_packet.h"
#include "devices/device.h"

// Four address bytes and six MAC bytes, from arrays of either kind.
using Bytes4 = std::span<const std::uint8_t, 4>;
using Bytes6 = std::span<const std::uint8_t, 6>;

// Modify IP: the code names the changed value; all three new values go along.
COMMAND_PACKET BuildNetworkCommand(std::uint8_t code, Bytes4 ip, Bytes4 mask, Bytes4 gateway, Bytes6 mac);
// Modify IP of a device that answered with before's values, to the new
// values: one packet per value that changes, in the order IP, mask, gateway,
// each carrying all three new values and the device's MAC; none when nothing
// changes.
std::vector<COMMAND_PACKET> BuildModifyIpCommands(const device::Device& before, const device::Ipv4& ip,
                                                  const device::Ipv4& mask, const device::Ipv4& gateway);
// Modify MAC: the device is named by its current IP address.
COMMAND_PACKET BuildSetMacCommand(Bytes4 currentIp, Bytes6 newMac);
// Soft reset and firmware update: the device is named by its MAC address.
COMMAND_PACKET BuildDeviceOrder(std::uint8_t code, Bytes6 mac);

// Overwrites the packet's password bytes in a way the compiler keeps.
void WipePassword(COMMAND_PACKET& packet);
// The same for a packet's bytes (bytes 42 to 49).
void WipePassword(packet::Bytes& bytes);
// Copies the packet and the password (0 to 8 bytes, the rest of the field
// zero) into bytes, so that the password is in no other copy of the packet.
// Returns false, copying nothing, for a longer password.
bool PacketWithPassword(const COMMAND_PACKET& packet, std::string_view password, packet::Bytes& bytes);
// Overwrites a text in memory before it is released.
void WipeText(std::string& text);

// The longest password a device takes.
constexpr std::size_t kMaxPasswordLength = 8;
// The longest MAC text the MAC dialog takes.
constexpr std::size_t kMaxMacTextLength = 17;
