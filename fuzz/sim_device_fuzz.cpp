// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Any device file for varnex-sim: it is read without a crash, every device it
// defines fits a reply (name at most 17 bytes, password at most 8), and every
// refusal names the file and line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "varnex-sim/sim_device_config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<sim::Device> devices;
    std::string error;
    if (!sim::ReadDeviceStream(in, "devices.txt", devices, error)) {
        if (error.rfind("devices.txt:", 0) != 0 || error.size() > 1000)
            std::abort();
        return 0;
    }
    for (const sim::Device& d : devices)
        if (d.name.size() > sim::kMaxNameBytes || d.password.size() > sim::kMaxPasswordBytes)
            std::abort();
    return 0;
}
