// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// One simulated device: what it answers to a probe and what its commands may change.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

using Clock = std::chrono::steady_clock;
using Ipv4 = std::array<std::uint8_t, 4>;
using Mac = std::array<std::uint8_t, 6>;

// A name of 17 bytes fills the reply's name field with no NUL (the list then
// shows the model name); 16 is the longest name a device really shows.
constexpr std::size_t kMaxNameBytes = 17;
constexpr std::size_t kMaxPasswordBytes = 8;

struct Device {
    std::string name; // raw bytes, no NUL
    Ipv4 ip{};
    Ipv4 mask{255, 255, 255, 0};
    Ipv4 gateway{};
    Mac mac{};
    std::uint8_t versionMajor = 1;
    std::uint8_t versionMinor = 0;
    std::uint8_t model = 31;
    std::string password; // 0 to 8 bytes, compared with the packet's zero-padded field
    // Drops every command unapplied while still answering probes: a device
    // whose change never took, for trying the confirmation.
    bool ignoresCommands = false;

    // Run-time state changed by commands.
    bool firmwareMode = false;       // answers as "FW-<name>", version 0.00, until the simulator ends
    Clock::time_point silentUntil{}; // after a soft reset: no answers and no commands before this

    bool IsSilent(Clock::time_point now) const { return now < silentUntil; }
};

} // namespace sim
