// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Finding the device an argument names among the discovered ones, by the
// typed fields its answer gave.
#pragma once

#include <optional>

#include "cli_arguments.h"
#include "devices/device_table.h"

namespace cli {

// The first device, in answer order, with this MAC.
std::optional<device::DeviceId> FindDeviceByMac(const device::DeviceTable& devices, const Mac& mac);
// The first device, in answer order, at this IP address.
std::optional<device::DeviceId> FindDeviceByIp(const device::DeviceTable& devices, const Ipv4& ip);

} // namespace cli
