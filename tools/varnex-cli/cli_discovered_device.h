// One answer to the probe as the command line keeps it: the row the desktop
// program would list, and the model code that the row only shows as a name.
#pragma once

#include <cstdint>
#include <string>

#include "discovery/device_record.h"
#include "discovery/packet_frame.h"

namespace cli {

struct DiscoveredDevice {
    device::DeviceRow row;
    std::uint8_t model = 0;
    std::string interfaceName; // the interface the answer came in on; empty: not known
};

inline DiscoveredDevice DeviceFromReply(const packet::Bytes& frame, std::string interfaceName = {})
{
    return {device::ReplyToRow(frame), frame[packet::kModelAt], std::move(interfaceName)};
}

} // namespace cli
