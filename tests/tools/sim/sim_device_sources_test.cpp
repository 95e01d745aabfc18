// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Simulated devices from files and options, in command-line order.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "varnex-sim/sim_device_sources.h"

namespace {

const std::string kBase = "ip=192.168.1.20 mac=00-0A-1B-2C-3D-4E ";

TEST(SimDeviceSources, FilesAndOptionsLoadInCommandLineOrder)
{
    const std::string path = testing::TempDir() + "sim_devices_test.txt";
    std::ofstream(path) << "name=fromfile " << kBase << "\n# comment\n";
    std::vector<sim::Device> devices;
    std::string error;
    ASSERT_EQ(sim::LoadDevices({{sim::DeviceSource::kOption, "name=first ip=1.1.1.1 mac=1-2-3-4-5-6"},
                                {sim::DeviceSource::kFile, path},
                                {sim::DeviceSource::kOption, "name=last ip=1.1.1.2 mac=1-2-3-4-5-7"}},
                               devices, error),
              0)
        << error;
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].name, "first");
    EXPECT_EQ(devices[1].name, "fromfile");
    EXPECT_EQ(devices[2].name, "last");

    devices.clear();
    EXPECT_EQ(sim::LoadDevices({{sim::DeviceSource::kOption, kBase}, {sim::DeviceSource::kOption, "ip=1.2.3.4"}},
                               devices, error),
              2);
    EXPECT_EQ(error.rfind("--device 2: missing field 'mac'", 0), 0u) << error;
    EXPECT_EQ(sim::LoadDevices({{sim::DeviceSource::kOption, "  "}}, devices, error), 2);
    EXPECT_EQ(sim::LoadDevices({{sim::DeviceSource::kFile, path + ".missing"}}, devices, error), 1);
    EXPECT_NE(error.find(".missing"), std::string::npos);
}

} // namespace
