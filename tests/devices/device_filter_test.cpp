// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The filter text against a device's name, addresses and MAC.
#include <gtest/gtest.h>

#include "devices/device_filter.h"

namespace {

device::Device Lobby()
{
    device::Device d;
    d.name = "Cam-Lobby";
    d.model = device::kModelV;
    d.ip = {192, 168, 1, 20};
    d.mask = {255, 255, 255, 0};
    d.gateway = {192, 168, 7, 254};
    d.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    return d;
}

} // namespace

TEST(DeviceFilterTest, TextMatchesNameAddressesAndMacInAnyForm)
{
    struct Case {
        const char* text;
        bool matches;
    };
    const Case cases[] = {
        {"", true},
        {"   ", true},
        {"lobby", true}, // name, any case
        {"CAM-L", true},
        {"yard", false},
        {"168.1.2", true},     // IP
        {"255.255.255", true}, // mask
        {"7.254", true},       // gateway
        {"192.168.2", false},
        {"0a1b", true}, // MAC without separators
        {"0A-1B", true},
        {"0a:1b:2c", true},
        {"000a.1b2c.3d4e", true}, // dotted groups of four
        {" 3D-4E ", true},        // blanks around are dropped
        {"4e-00", false},         // digits that are not next to each other
        {"0a 1b", false},         // a blank is no MAC separator
        {"0a-1g", false},         // not hex: no MAC match, and no name has it
    };
    const device::Device d = Lobby();
    for (const Case& c : cases)
        EXPECT_EQ(device::DeviceFilter(c.text).Matches(d), c.matches) << '"' << c.text << '"';
}

TEST(DeviceFilterTest, DeviceWithoutANameMatchesTheModelNameItShows)
{
    device::Device d = Lobby();
    d.name.clear();
    EXPECT_FALSE(device::DeviceFilter("lobby").Matches(d));
    EXPECT_TRUE(device::DeviceFilter("k700").Matches(d));
}
