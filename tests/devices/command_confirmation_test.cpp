// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Whether a command took, judged from the answers of the probe after it.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "devices/command_confirmation.h"

namespace {

using device::Device;
using device::ExpectedAnswer;

constexpr device::Mac kMac{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
constexpr device::Mac kNewMac{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x99};
constexpr device::Mac kOtherMac{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x01};

Device Before()
{
    Device d;
    d.ip = {192, 168, 1, 20};
    d.mask = {255, 255, 255, 0};
    d.gateway = {192, 168, 1, 1};
    d.mac = kMac;
    d.model = device::kModelV;
    d.interfaceIndex = 3;
    return d;
}

Device Answer(device::Mac mac, device::Ipv4 ip, unsigned interfaceIndex = 3)
{
    Device d = Before();
    d.mac = mac;
    d.ip = ip;
    d.interfaceIndex = interfaceIndex;
    return d;
}

Device WithGateway(Device d, device::Ipv4 gateway, std::uint8_t model = device::kModelV)
{
    d.gateway = gateway;
    d.model = model;
    return d;
}

const device::Ipv4 kNewIp{192, 168, 1, 50};

struct Case {
    const char* name;
    ExpectedAnswer expected;
    std::vector<Device> answers; // in arrival order
    bool confirmed;
    const char* text;
};

TEST(CommandConfirmation, JudgesTheAnswersOfTheProbeAfterTheCommand)
{
    const Device before = Before();
    const ExpectedAnswer newIp = device::AfterModifyIp(before, kNewIp, before.mask, before.gateway);
    const ExpectedAnswer newMac = device::AfterModifyMac(before, kNewMac);
    const ExpectedAnswer reset = device::AfterSoftReset(before);
    const Case cases[] = {
        {"ip taken",
         newIp,
         {Answer(kOtherMac, kNewIp), Answer(kMac, kNewIp)},
         true,
         "Confirmed: 00-0A-1B-2C-3D-4E answers at 192.168.1.50 mask 255.255.255.0 gateway 192.168.1.1 on eth0"},
        {"ip still the old one",
         newIp,
         {Answer(kMac, before.ip)},
         false,
         "No answer from 00-0A-1B-2C-3D-4E at 192.168.1.50 mask 255.255.255.0 gateway 192.168.1.1 on eth0"},
        {"another device took the new ip", newIp, {Answer(kOtherMac, kNewIp)}, false, nullptr},
        {"the right ip on another segment", newIp, {Answer(kMac, kNewIp, 4)}, false, nullptr},
        {"the gateway did not take", newIp, {WithGateway(Answer(kMac, kNewIp), {192, 168, 1, 254})}, false, nullptr},
        {"an unknown model sends no gateway",
         newIp,
         {WithGateway(Answer(kMac, kNewIp), {0, 0, 0, 0}, 7)},
         true,
         nullptr},
        {"its latest answer counts", newIp, {Answer(kMac, kNewIp), Answer(kMac, before.ip)}, false, nullptr},
        {"no answers at all", newIp, {}, false, nullptr},
        {"mac taken",
         newMac,
         {Answer(kNewMac, before.ip)},
         true,
         "Confirmed: 00-0A-1B-2C-3D-99 answers at 192.168.1.20 on eth0"},
        {"mac still the old one",
         newMac,
         {Answer(kMac, before.ip)},
         false,
         "No answer from 00-0A-1B-2C-3D-99 at 192.168.1.20 on eth0"},
        {"reset device answers again", reset, {Answer(kMac, before.ip)}, true, nullptr},
        {"reset device silent",
         reset,
         {Answer(kOtherMac, before.ip)},
         false,
         "No answer from 00-0A-1B-2C-3D-4E at 192.168.1.20 on eth0"},
    };
    for (const Case& c : cases) {
        device::DeviceTable table;
        for (const Device& d : c.answers)
            table.Add(d);
        const device::Confirmation result = device::Confirm(c.expected, table, "eth0");
        EXPECT_EQ(result.confirmed, c.confirmed) << c.name;
        if (c.text)
            EXPECT_EQ(result.text, c.text) << c.name;
        else
            EXPECT_TRUE(result.text.starts_with(c.confirmed ? "Confirmed: " : "No answer from ")) << c.name;
    }
}

TEST(CommandConfirmation, AnInterfaceWithoutANameIsLeftOut)
{
    device::DeviceTable table;
    const Device before = Before();
    EXPECT_EQ(device::Confirm(device::AfterSoftReset(before), table, "").text,
              "No answer from 00-0A-1B-2C-3D-4E at 192.168.1.20");
}

} // namespace
