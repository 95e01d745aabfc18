// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The 52-byte frame shared by the discovery probe, the device replies and the
// command packets, with the offsets of its fields.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace packet {

constexpr std::size_t kSize = 52;
using Bytes = std::array<std::uint8_t, kSize>;

constexpr std::uint8_t kMagic[3] = {'Q', 'Z', 'R'};
constexpr std::uint8_t kProbeCode = 0x39;

// Field offsets; replies and commands share them.
constexpr std::size_t kMagicAt = 0;
constexpr std::size_t kCommandAt = 3;
constexpr std::size_t kIpAt = 4;
constexpr std::size_t kMaskAt = 8;
constexpr std::size_t kMacAt = 12;
constexpr std::size_t kNameAt = 18;
constexpr std::size_t kNameSize = 17;
constexpr std::size_t kGatewayAt = 35;
constexpr std::size_t kVersionMajorAt = 39;
constexpr std::size_t kVersionMinorAt = 40;
constexpr std::size_t kModelAt = 41;
constexpr std::size_t kPasswordAt = 42;
constexpr std::size_t kPasswordSize = 8;

// The discovery probe: the magic letters, code 0x39, the rest zero.
Bytes BuildProbe();

// Whether the first four bytes are the magic letters followed by code.
bool HasHeader(const Bytes& frame, std::uint8_t code);

} // namespace packet
