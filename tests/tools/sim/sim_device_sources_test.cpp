// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Simulated devices from files and options, in command-line order.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "varnex-sim/sim_device_config.h"
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

// A 200 MB line was read whole (658 MB), a directory read as an empty file, and
// file names reached the terminal raw.
TEST(SimDeviceSources, FilesAreReadBoundedAndNamedSafely)
{
    const std::string dir = testing::TempDir() + "sim_sources\x1b[31m";
    ::mkdir(dir.c_str(), 0700);
    const std::string longLine = dir + "/long.txt";
    std::ofstream(longLine) << kBase << "name=" << std::string(sim::kMaxDeviceLineBytes, 'x') << "\n";
    std::vector<sim::Device> devices;
    std::string error;
    EXPECT_EQ(sim::LoadDevices({{sim::DeviceSource::kFile, longLine}}, devices, error), 2);
    EXPECT_NE(error.find(":1: a line longer than 65536 bytes"), std::string::npos) << error;

    std::ifstream zeros("/dev/zero");
    EXPECT_FALSE(sim::ReadDeviceStream(zeros, "zeros", devices, error));
    EXPECT_EQ(error, "zeros:1: a line longer than 65536 bytes");

    const struct {
        std::string path;
        int status;
        std::string reason;
    } cases[] = {{dir, 1, "cannot read device file"}, {dir + "/missing.txt", 1, "cannot open device file"}};
    for (const auto& c : cases) {
        EXPECT_EQ(sim::LoadDevices({{sim::DeviceSource::kFile, c.path}}, devices, error), c.status) << error;
        EXPECT_EQ(error.rfind(c.reason, 0), 0u) << error;
        EXPECT_EQ(error.find('\x1b'), std::string::npos) << "the name is not escaped: " << error;
    }
    EXPECT_TRUE(devices.empty());
}

} // namespace
