// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The address plan: what the reader takes and refuses, line by line, and the
// check against a discovery that names every problem before anything is sent.
#include <gtest/gtest.h>

#include "devices/address_plan.h"

namespace {

using device::PlanProblem;

std::vector<std::string> Texts(const std::vector<PlanProblem>& problems)
{
    std::vector<std::string> texts;
    for (const PlanProblem& p : problems)
        texts.push_back(device::ProblemText(p));
    return texts;
}

device::Device At(device::Ipv4 ip, std::uint8_t macLast, unsigned interfaceIndex = 2)
{
    device::Device d;
    d.ip = ip;
    d.mask = {255, 255, 255, 0};
    d.gateway = {192, 168, 1, 1};
    d.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, macLast};
    d.interfaceIndex = interfaceIndex;
    return d;
}

} // namespace

TEST(AddressPlan, EachLineIsTakenOrNamedWithItsNumber)
{
    const struct {
        const char* line;
        const char* problem; // null: taken
    } cases[] = {
        {"00-0A-1B-2C-3D-4E,192.168.1.50,255.255.255.0,192.168.1.1", nullptr},
        {"00:0a:1b:2c:3d:4e , 192.168.1.50 ,,", nullptr},
        {"\"00-0A-1B-2C-3D-4E\",\"192.168.1.50\",\"\",\"\"\r", nullptr},
        {"0-A-1B-2C-3D-4E,10.0.0.1,255.0.0.0,", nullptr},
        {"00-0A-1B-2C-3D,192.168.1.50,,",
         "line 2: MAC '00-0A-1B-2C-3D': not six groups of one or two hexadecimal digits"},
        {"00-0A-1B-2C-3D-4E-5F,192.168.1.50,,", "line 2: MAC '00-0A-1B-2C-3D-4E-5F': not six groups of one or two "
                                                "hexadecimal digits"},
        {"000-0A-1B-2C-3D-4E,192.168.1.50,,", "line 2: MAC '000-0A-1B-2C-3D-4E': not six groups of one or two "
                                              "hexadecimal digits"},
        {"00-0A-1B-2C-3D-4E,192.168.1.256,,", "line 2: IP '192.168.1.256': not four dotted numbers 0-255"},
        {"00-0A-1B-2C-3D-4E,192.168.1,,", "line 2: IP '192.168.1': not four dotted numbers 0-255"},
        {"00-0A-1B-2C-3D-4E,192.168.1.5x,,", "line 2: IP '192.168.1.5x': not four dotted numbers 0-255"},
        {"00-0A-1B-2C-3D-4E,,,", "line 2: IP '': not four dotted numbers 0-255"},
        {"00-0A-1B-2C-3D-4E,192.168.1.50,255.0.255.0,", "line 2: mask '255.0.255.0': not a subnet mask such as "
                                                        "255.255.255.0"},
        {"00-0A-1B-2C-3D-4E,192.168.1.50,0.0.0.0,", "line 2: mask '0.0.0.0': not a subnet mask such as 255.255.255.0"},
        {"00-0A-1B-2C-3D-4E,192.168.1.50,,gw", "line 2: gateway 'gw': not four dotted numbers 0-255"},
        {"00-0A-1B-2C-3D-4E,192.168.1.50", "line 2: 4 fields (mac,ip,mask,gateway) expected, 2 found"},
        {"00-0A-1B-2C-3D-4E,192.168.1.50,,,", "line 2: 4 fields (mac,ip,mask,gateway) expected, 5 found"},
        {"\"00-0A-1B-2C-3D-4E,192.168.1.50,,", "line 2: a quote is not closed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const device::AddressPlan plan = device::ReadPlan(std::string("mac,ip,mask,gateway\n") + c.line + "\n");
        if (c.problem == nullptr) {
            ASSERT_EQ(plan.lines.size(), 1u);
            EXPECT_TRUE(plan.problems.empty()) << Texts(plan.problems)[0];
            EXPECT_EQ(plan.lines[0].line, 2);
        } else {
            EXPECT_TRUE(plan.lines.empty());
            EXPECT_EQ(Texts(plan.problems), std::vector<std::string>{c.problem});
        }
    }
}

TEST(AddressPlan, EmptyMaskAndGatewayAreKeptAndBlankLinesCountForNumbers)
{
    const device::AddressPlan plan = device::ReadPlan("\xEF\xBB\xBFMAC,IP,Mask,Gateway\r\n\r\n"
                                                      "00-0A-1B-2C-3D-01,192.168.1.50,,\r\n"
                                                      "00-0A-1B-2C-3D-02,192.168.1.51,255.255.0.0,192.168.0.1");
    ASSERT_TRUE(plan.problems.empty()) << Texts(plan.problems)[0];
    ASSERT_EQ(plan.lines.size(), 2u);
    EXPECT_EQ(plan.lines[0].line, 3);
    EXPECT_FALSE(plan.lines[0].mask);
    EXPECT_FALSE(plan.lines[0].gateway);
    EXPECT_EQ(plan.lines[1].line, 4);
    EXPECT_EQ(plan.lines[1].mask, (device::Ipv4{255, 255, 0, 0}));
    EXPECT_EQ(plan.lines[1].gateway, (device::Ipv4{192, 168, 0, 1}));
}

TEST(AddressPlan, AWrongOrMissingHeaderAndAnOversizedPlanAreRefused)
{
    EXPECT_EQ(Texts(device::ReadPlan("mac,ip\n").problems),
              std::vector<std::string>{"line 1: the header must be mac,ip,mask,gateway, not 'mac,ip'"});
    EXPECT_EQ(Texts(device::ReadPlan("\n\n").problems),
              std::vector<std::string>{"the plan is empty: it needs the header mac,ip,mask,gateway"});
    const device::AddressPlan big = device::ReadPlan(std::string(device::kMaxPlanBytes + 1, '\n'));
    EXPECT_TRUE(big.lines.empty());
    ASSERT_EQ(big.problems.size(), 1u);
}

TEST(AddressPlan, TheCheckNamesEveryProblemAgainstTheDiscovery)
{
    device::DeviceTable found;
    for (std::uint8_t m = 1; m <= 8; ++m)
        found.Add(At({192, 168, 1, static_cast<std::uint8_t>(20 + m)}, m));
    found.Add(At({192, 168, 1, 40}, 0x20)); // not in the plan: keeps its address
    found.Add(At({192, 168, 1, 30}, 0x0A));
    found.Add(At({192, 168, 1, 31}, 0x0B));
    const std::vector<device::Subnet> subnets = device::SubnetsOf({{"eth0", 2, "192.168.1.10", "255.255.255.0"}});
    const device::AddressPlan plan = device::ReadPlan("mac,ip,mask,gateway\n"
                                                      "00-0A-1B-2C-3D-01,192.168.1.50,,\n"      // 2: good
                                                      "00-0A-1B-2C-3D-02,192.168.1.50,,\n"      // 3: same address
                                                      "00-0A-1B-2C-3D-09,192.168.1.60,,\n"      // 4: did not answer
                                                      "00-0A-1B-2C-3D-01,192.168.1.61,,\n"      // 5: MAC again
                                                      "00-0A-1B-2C-3D-03,192.168.1.40,,\n"      // 6: another's address
                                                      "00-0A-1B-2C-3D-04,192.168.1.10,,\n"      // 7: this computer's
                                                      "00-0A-1B-2C-3D-05,192.168.1.255,,\n"     // 8: broadcast
                                                      "00-0A-1B-2C-3D-06,192.168.1.0,,\n"       // 9: network
                                                      "00-0A-1B-2C-3D-07,10.0.0.5,255.0.0.0,\n" // 10: outside eth0's
                                                      "00-0A-1B-2C-3D-08,192.168.1.22,,\n"      // 11: 02 moves off it
                                                      "00-0A-1B-2C-3D-0A,192.168.1.1,,\n"       // 12: its gateway's
                                                      "00-0A-1B-2C-3D-0B,192.168.1.9,,192.168.1.9\n"); // 13: the same
    ASSERT_TRUE(plan.problems.empty());
    EXPECT_EQ(Texts(device::CheckPlan(plan.lines, found, subnets)),
              (std::vector<std::string>{
                  "line 3: 192.168.1.50 is also given to the device on line 2",
                  "line 4: no device with MAC 00-0A-1B-2C-3D-09 answered the discovery",
                  "line 5: 00-0A-1B-2C-3D-01 is already on line 2",
                  "line 6: 192.168.1.40 is the address 00-0A-1B-2C-3D-20 answers from",
                  "line 7: 192.168.1.10 is the address of this computer's eth0",
                  "line 8: 192.168.1.255 is the broadcast address of its subnet (mask 255.255.255.0)",
                  "line 9: 192.168.1.0 is the network address of its subnet (mask 255.255.255.0)",
                  "line 10: 10.0.0.5 is outside eth0's 192.168.1.0/24: this computer could not reach the device "
                  "there",
                  "line 12: 192.168.1.1 is the address of the gateway 192.168.1.1",
                  "line 13: 192.168.1.9 is the address of the gateway 192.168.1.9",
              }));
}

TEST(AddressPlan, DevicesThatSwapAddressesWithinThePlanAreNoConflict)
{
    device::DeviceTable found;
    found.Add(At({192, 168, 1, 20}, 0x01));
    found.Add(At({192, 168, 1, 21}, 0x02));
    const device::AddressPlan plan = device::ReadPlan("mac,ip,mask,gateway\n"
                                                      "00-0A-1B-2C-3D-01,192.168.1.21,,\n"
                                                      "00-0A-1B-2C-3D-02,192.168.1.20,,\n");
    EXPECT_TRUE(device::CheckPlan(plan.lines, found, {}).empty());
}
