// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_device_lookup.h"

#include <algorithm>

#include "commands/command_packet.h"

namespace cli {

int FindDeviceByMac(const std::vector<DiscoveredDevice>& devices, const Mac& mac)
{
    for (std::size_t i = 0; i < devices.size(); ++i) {
        Mac listed;
        ParseMacBytes(devices[i].row.columns[device::kMac], listed.bytes, 6);
        if (listed == mac)
            return static_cast<int>(i);
    }
    return -1;
}

int FindAnswerByMac(const std::vector<packet::Bytes>& answers, const Mac& mac)
{
    for (std::size_t i = 0; i < answers.size(); ++i)
        if (std::equal(mac.bytes, mac.bytes + 6, answers[i].begin() + packet::kMacAt))
            return static_cast<int>(i);
    return -1;
}

int FindAnswerByIp(const std::vector<packet::Bytes>& answers, const Ipv4& ip)
{
    for (std::size_t i = 0; i < answers.size(); ++i)
        if (std::equal(ip.bytes, ip.bytes + 4, answers[i].begin() + packet::kIpAt))
            return static_cast<int>(i);
    return -1;
}

} // namespace cli
