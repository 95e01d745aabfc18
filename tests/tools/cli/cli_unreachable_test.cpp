// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// discover on devices outside this computer's subnets: reachable in the JSON,
// one warning line per device (not per answer) for the other formats.
#include <gtest/gtest.h>

#include "devices/device_texts.h"
#include "varnex-cli/cli_output.h"
#include "varnex-cli/cli_unreachable.h"

namespace {

device::Device At(device::Ipv4 ip, std::uint8_t macLast, unsigned interfaceIndex)
{
    device::Device d;
    d.ip = ip;
    d.mask = {255, 255, 255, 0};
    d.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, macLast};
    d.interfaceIndex = interfaceIndex;
    return d;
}

} // namespace

TEST(CliUnreachable, JsonMarksEachDeviceAndTheOtherFormatsWarnOncePerDevice)
{
    cli::ListenResult found;
    found.subnets = device::SubnetsOf({{"eth0", 2, "192.168.1.10", "255.255.255.0"}});
    found.interfaceNames[2] = "eth0";
    found.devices.Add(At({10, 0, 0, 50}, 1, 2));
    found.devices.Add(At({192, 168, 1, 20}, 2, 2));
    found.devices.Add(At({10, 0, 0, 50}, 1, 2)); // the first device again

    const std::string json = cli::FormatDevices(found, cli::Format::kJson);
    std::vector<bool> marks;
    for (std::size_t at = json.find("\"reachable\": "); at != std::string::npos;
         at = json.find("\"reachable\": ", at + 1))
        marks.push_back(json.compare(at + 13, 4, "true") == 0);
    EXPECT_EQ(marks, (std::vector<bool>{false, true, false})) << json;

    EXPECT_EQ(cli::UnreachableWarnings(found),
              (std::vector<std::string>{"warning: 00-0A-1B-2C-3D-01: 10.0.0.50 is outside eth0's 192.168.1.0/24: "
                                        "this computer cannot reach it directly"}));

    // Without the machine's subnets nothing is claimed either way.
    found.subnets.clear();
    EXPECT_TRUE(cli::UnreachableWarnings(found).empty());
    EXPECT_EQ(cli::FormatDevices(found, cli::Format::kJson).find("\"reachable\": false"), std::string::npos);
}
