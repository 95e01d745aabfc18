// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The command packet: the 52-byte frame that carries every change the program
// makes to a device, and the conversions of list and dialog texts into its bytes.
#pragma once

#include <cstdint>
#include <string_view>

#include "discovery/packet_frame.h"

// Command codes (byte 3); consecutive printable characters after the probe's '9'.
constexpr std::uint8_t CMD_SET_IP = 0x3A;
constexpr std::uint8_t CMD_SET_SUBNET_MASK = 0x3B;
constexpr std::uint8_t CMD_SET_MAC = 0x3C;
constexpr std::uint8_t CMD_SOFT_RESET = 0x3D;
constexpr std::uint8_t CMD_SET_GATEWAY = 0x3E;
constexpr std::uint8_t CMD_UPDATE_FIRMWARE = 0x3F;

#pragma pack(push, 1)
struct COMMAND_PACKET {
    std::uint8_t magic[3];
    std::uint8_t command;
    std::uint8_t ipAddress[4];
    std::uint8_t subnetMask[4];
    std::uint8_t macAddress[6];
    std::uint8_t reserved1[17];
    std::uint8_t gatewayIp[4];
    std::uint8_t reserved2[3];
    std::uint8_t password[8];
    std::uint8_t reserved3[2];
};
#pragma pack(pop)
static_assert(sizeof(COMMAND_PACKET) == packet::kSize, "a command packet is exactly 52 bytes");

// A zeroed packet with the magic letters and the code filled in.
COMMAND_PACKET MakeCommandPacket(std::uint8_t code);

// Copies 0 to 8 password bytes to bytes 42 onward; the rest of the field stays zero.
// Returns false, copying nothing, for a longer password.
bool SetPacketPassword(COMMAND_PACKET& packet, std::string_view password);

packet::Bytes PacketBytes(const COMMAND_PACKET& packet);
COMMAND_PACKET PacketFromBytes(const packet::Bytes& bytes);

// Dotted text to bytes: pieces between runs of '.', each read as atoi reads a
// number, low 8 bits stored. Bytes without a piece are set to zero. Returns the
// number of pieces found (at most count are stored).
int ParseDottedBytes(std::string_view text, std::uint8_t* dest, int count = 4);

// MAC text to bytes: pieces between runs of '-', each read as strtol reads a
// base-16 number, low 8 bits stored. Bytes without a piece are set to zero.
// Returns the number of pieces found.
int ParseMacBytes(std::string_view text, std::uint8_t* dest, int count = 6);

// Whether text is exactly six groups of one or two hexadecimal digits joined by '-'.
bool IsWellFormedMac(std::string_view text);
