// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the simulator does with one received datagram: answer a probe, apply a
// command, or ignore it; the verdict is what the log says about it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "discovery/packet_frame.h"
#include "sim_device.h"

namespace sim {

struct Reaction {
    std::string verdict;
    std::vector<packet::Bytes> replies; // to broadcast, in this order
};

// The replies of every device that is not silent now, in definition order.
std::vector<packet::Bytes> AnswerAll(const std::vector<Device>& devices, Clock::time_point now);

Reaction HandleDatagram(std::vector<Device>& devices, std::span<const std::uint8_t> datagram, Clock::time_point now,
                        Clock::duration resetSilence);

} // namespace sim
