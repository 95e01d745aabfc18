// Discovery as Refresh does it: the probe from the local port, then listening
// while every window of the given length brings at least one datagram.
#pragma once

#include <string>
#include <vector>

#include "cli_device_socket.h"
#include "cli_discovered_device.h"

namespace cli {

// Sends the probe through an open socket and collects every datagram, in
// arrival order, until the end of the first window in which none arrived.
// False when the probe cannot be sent or waiting fails.
bool ListenForDevices(DeviceSocket& socket, double windowSeconds, std::vector<DiscoveredDevice>& devices,
                      std::string& error);

} // namespace cli
