// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "sim_device_sources.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>

#include "sim_device_config.h"
#include "sim_options.h"

namespace sim {

int LoadDevices(const std::vector<DeviceSource>& sources, std::vector<Device>& devices, std::string& error)
{
    int optionNumber = 0;
    for (const DeviceSource& source : sources) {
        if (source.kind == DeviceSource::kFile) {
            std::ifstream in(source.text);
            if (!in) {
                error = "cannot open device file " + QuoteArgument(source.text) + ": " + std::strerror(errno);
                return 1;
            }
            if (!ReadDeviceStream(in, source.text, devices, error))
                return 2;
            continue;
        }
        ++optionNumber;
        std::optional<Device> device;
        if (!ParseDeviceLine(source.text, device, error)) {
            error = "--device " + std::to_string(optionNumber) + ": " + error;
            return 2;
        }
        if (!device) {
            error = "--device " + std::to_string(optionNumber) + ": empty definition";
            return 2;
        }
        devices.push_back(std::move(*device));
    }
    return 0;
}

} // namespace sim
