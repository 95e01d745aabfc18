// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_device_lookup.h"

#include <algorithm>

namespace cli {

namespace {

template <typename Matches>
std::optional<device::DeviceId> FindFirst(const device::DeviceTable& devices, Matches matches)
{
    for (const device::DeviceId id : devices.Ids())
        if (matches(devices[id]))
            return id;
    return std::nullopt;
}

} // namespace

std::optional<device::DeviceId> FindDeviceByMac(const device::DeviceTable& devices, const Mac& mac)
{
    return FindFirst(devices,
                     [&mac](const device::Device& d) { return std::equal(d.mac.begin(), d.mac.end(), mac.bytes); });
}

std::optional<device::DeviceId> FindDeviceByIp(const device::DeviceTable& devices, const Ipv4& ip)
{
    return FindFirst(devices,
                     [&ip](const device::Device& d) { return std::equal(d.ip.begin(), d.ip.end(), ip.bytes); });
}

} // namespace cli
