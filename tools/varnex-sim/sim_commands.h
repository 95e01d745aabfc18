// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the simulated devices do with a command packet: the packet names its
// device by MAC (by current IP for a MAC change) and must carry that device's password.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "discovery/packet_frame.h"
#include "sim_device.h"

namespace sim {

// The command's name in the log ("set-ip", "reset", ...), or empty for other codes.
std::string_view CommandName(std::uint8_t code);

// Whether the code is one of the device commands 0x3A-0x3F.
bool IsCommandCode(std::uint8_t code);

// Applies a command frame to every device it names whose password matches and
// returns the verdict for the log, e.g. "applied set-ip to 00-0A-1B-2C-3D-4E (...)"
// or "rejected: bad password for 00-0A-1B-2C-3D-4E". A soft reset silences the
// device until now + resetSilence.
std::string ApplyCommand(std::vector<Device>& devices, const packet::Bytes& frame, Clock::time_point now,
                         Clock::duration resetSilence);

} // namespace sim
