// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// One answer to the probe as the command line keeps it: the row the desktop
// program would list, and the model code that the row only shows as a name.
#pragma once

#include <cstdint>
#include <string>

#include "discovery/device_reply.h"
#include "discovery/packet_frame.h"

namespace cli {

struct DiscoveredDevice {
    device::DeviceRow row;
    std::uint8_t model = 0;
    std::string interfaceName; // the interface the answer came in on; empty: not known
    bool duplicateIp = false;  // another device (another MAC) answers from the same address
};

inline DiscoveredDevice DeviceFromReply(const packet::Bytes& frame, std::string interfaceName = {})
{
    DiscoveredDevice d;
    d.row = device::ReplyToRow(frame);
    d.model = frame[packet::kModelAt];
    d.interfaceName = std::move(interfaceName);
    return d;
}

} // namespace cli
