// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Finding the device a MAC argument names among the discovered ones.
#pragma once

#include <vector>

#include "cli_arguments.h"
#include "cli_discovered_device.h"

namespace cli {

// The index of the first device whose MAC column holds these six bytes, or -1.
int FindDeviceByMac(const std::vector<DiscoveredDevice>& devices, const Mac& mac);
// The same among answers as read: the first whose MAC field holds the bytes.
int FindAnswerByMac(const std::vector<packet::Bytes>& answers, const Mac& mac);
// The first answer whose IP address field holds the address, or -1.
int FindAnswerByIp(const std::vector<packet::Bytes>& answers, const Ipv4& ip);

} // namespace cli
