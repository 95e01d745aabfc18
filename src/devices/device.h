// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A device as one answer to the probe describes it, in typed fields. The
// window's list, the command line, the commands and the exports all read
// these fields; texts are made from them, never parsed back.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace device {

using Ipv4 = std::array<std::uint8_t, 4>;
using Mac = std::array<std::uint8_t, 6>;
using Clock = std::chrono::steady_clock;

// The list's columns, in logical order.
enum Column { kName = 0, kIp = 1, kMask = 2, kGateway = 3, kMac = 4, kVersion = 5, kColumnCount = 6 };

// Row images: a device of unknown model and one of the two known models.
constexpr int kImageUnknown = 1;
constexpr int kImageKnown = 2;
constexpr std::uint8_t kModelV = 31;
constexpr std::uint8_t kModelW = 32;

constexpr bool IsKnownModel(std::uint8_t model)
{
    return model == kModelV || model == kModelW;
}

struct Device {
    // The name bytes as the device sent them (empty: it sent none); they need
    // not be UTF-8.
    std::string name;
    Ipv4 ip{};
    Ipv4 mask{};
    // A device of unknown model reports neither gateway nor version: both are zero.
    Ipv4 gateway{};
    Mac mac{};
    std::uint8_t versionMajor = 0;
    std::uint8_t versionMinor = 0;
    std::uint8_t model = 0;
    // The interface its answer came in on (0: not known).
    unsigned interfaceIndex = 0;
    Clock::time_point firstSeen{};
    Clock::time_point lastSeen{};
};

// Where a device is in the table: its place in answer order.
using DeviceId = std::size_t;

// "The same address on the same segment": the address and the interface the
// answer came in on. The same address on two interfaces is two segments.
using AddressKey = std::uint64_t;

inline std::uint32_t Ipv4Value(const Ipv4& ip)
{
    return static_cast<std::uint32_t>(ip[0]) << 24 | static_cast<std::uint32_t>(ip[1]) << 16 |
           static_cast<std::uint32_t>(ip[2]) << 8 | ip[3];
}

inline Ipv4 Ipv4FromValue(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

inline std::uint64_t MacValue(const Mac& mac)
{
    std::uint64_t value = 0;
    for (std::uint8_t b : mac)
        value = value << 8 | b;
    return value;
}

inline AddressKey AddressKeyOf(const Ipv4& ip, unsigned interfaceIndex)
{
    return static_cast<AddressKey>(Ipv4Value(ip)) << 32 | interfaceIndex;
}

inline AddressKey AddressKeyOf(const Device& d)
{
    return AddressKeyOf(d.ip, d.interfaceIndex);
}

// The two halves of a key, for naming a shared address.
inline Ipv4 IpOf(AddressKey key)
{
    return {static_cast<std::uint8_t>(key >> 56), static_cast<std::uint8_t>(key >> 48),
            static_cast<std::uint8_t>(key >> 40), static_cast<std::uint8_t>(key >> 32)};
}

inline unsigned InterfaceOf(AddressKey key)
{
    return static_cast<unsigned>(key & 0xFFFFFFFFu);
}

} // namespace device
