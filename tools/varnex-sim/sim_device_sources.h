// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Where the device definitions come from: files and --device options, in order.
#pragma once

#include <string>
#include <vector>

#include "sim_device.h"

namespace sim {

struct DeviceSource {
    enum Kind { kFile, kOption } kind = kOption;
    std::string text; // the path, or the definition itself
};

// Reads every source. Returns 0, 1 when a file cannot be opened, or 2 for a bad
// definition; error then names the file and line, or "--device N" (counted from 1).
int LoadDevices(const std::vector<DeviceSource>& sources, std::vector<Device>& devices, std::string& error);

} // namespace sim
