// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_shared_addresses.h"

#include "devices/device_texts.h"

namespace cli {

// The table keeps the shared addresses as it fills, so that texts are made
// only for them, however many answers came.
std::vector<std::string> SharedAddressWarnings(const ListenResult& result)
{
    std::vector<std::string> warnings;
    for (const device::AddressKey key : result.devices.SharedAddresses()) {
        const std::vector<device::Mac> macs = result.devices.MacsAt(key);
        std::string line = "warning: " + std::to_string(macs.size()) + " devices answer from " +
                           device::FormatDotted(device::IpOf(key));
        const auto name = result.interfaceNames.find(device::InterfaceOf(key));
        if (name != result.interfaceNames.end())
            line += " on " + name->second;
        line += ":";
        for (std::size_t m = 0; m < macs.size(); ++m)
            line += (m ? ", " : " ") + device::FormatMac(macs[m]);
        warnings.push_back(line);
    }
    return warnings;
}

} // namespace cli
