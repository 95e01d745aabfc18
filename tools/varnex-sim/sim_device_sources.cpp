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
            // Names are quoted wherever they are shown: a file name may hold
            // escape sequences that would drive the terminal.
            const std::string name = QuoteArgument(source.text);
            std::ifstream in(source.text);
            if (!in) {
                error = "cannot open device file " + name + ": " + std::strerror(errno);
                return 1;
            }
            errno = 0;
            if (!ReadDeviceStream(in, name, devices, error))
                return 2;
            if (in.bad()) { // a directory, an I/O error
                error = "cannot read device file " + name + ": " + std::strerror(errno != 0 ? errno : EIO);
                return 1;
            }
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
