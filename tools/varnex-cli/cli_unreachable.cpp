// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_unreachable.h"

#include "devices/device_texts.h"
#include "devices/reachability.h"

namespace cli {

std::vector<std::string> UnreachableWarnings(const ListenResult& result)
{
    std::vector<std::string> warnings;
    if (result.subnets.empty())
        return warnings;
    for (const device::DeviceId id : result.devices.Ids()) {
        const device::Device& d = result.devices[id];
        // A device that answered twice is named once, by its latest answer.
        if (result.devices.FindByMac(d.mac, d.interfaceIndex) != id)
            continue;
        if (const std::optional<std::string> reason = device::UnreachableReason(d, result.subnets))
            warnings.push_back("warning: " + device::FormatMac(d.mac) + ": " + *reason);
    }
    return warnings;
}

} // namespace cli
