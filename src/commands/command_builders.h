// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The command packets the device commands send, built from the values a user
// entered or the list shows. The password is added last and wiped after sending.
#pragma once

#include <cstdint>
#include <string_view>

#include "commands/command_packet.h"

// Modify IP: the code names the changed value; all three new values go along.
COMMAND_PACKET BuildNetworkCommand(std::uint8_t code, const std::uint8_t (&ip)[4], const std::uint8_t (&mask)[4],
                                   const std::uint8_t (&gateway)[4], const std::uint8_t (&mac)[6]);
// Modify MAC: the device is named by its current IP address.
COMMAND_PACKET BuildSetMacCommand(const std::uint8_t (&currentIp)[4], const std::uint8_t (&newMac)[6]);
// Soft reset and firmware update: the device is named by its MAC address.
COMMAND_PACKET BuildDeviceOrder(std::uint8_t code, const std::uint8_t (&mac)[6]);

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
