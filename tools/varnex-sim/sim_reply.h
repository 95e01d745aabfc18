// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The 52-byte discovery reply a simulated device sends for each probe.
#pragma once

#include <string>

#include "discovery/packet_frame.h"
#include "sim_device.h"

namespace sim {

// The name the device shows now: in firmware-update mode "FW-" and the name, cut to 16 bytes.
std::string ShownName(const Device& device);

// Magic "QZR", byte 3 0x39, then the device's fields at the shared offsets;
// version 0.00 in firmware-update mode; bytes 42-51 zero.
packet::Bytes BuildReply(const Device& device);

} // namespace sim
