// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A batch of new addresses: what the dialog proposes, the run of addresses the
// devices get, every plan that must be refused with the problem named, and
// the list of results that is shown and copied at the end.
#include <gtest/gtest.h>

#include "devices/batch_plan.h"
#include "devices/batch_results.h"
#include "devices/device_texts.h"

namespace {

using device::BatchRequest;
using device::Ipv4;

constexpr unsigned kEth0 = 2;
constexpr unsigned kEth1 = 3;
const std::vector<device::Subnet> kSubnets =
    device::SubnetsOf({{"eth0", kEth0, "10.77.0.1", "255.255.255.0"}, {"eth1", kEth1, "172.16.0.1", "255.255.0.0"}});
constexpr Ipv4 kMask24 = {255, 255, 255, 0};
constexpr Ipv4 kFactory = {192, 168, 0, 100};

device::Device At(Ipv4 ip, std::uint8_t macLast, unsigned interfaceIndex = kEth0)
{
    device::Device d;
    d.name = "Cam-" + std::to_string(macLast);
    d.ip = ip;
    d.mask = kMask24;
    d.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, macLast};
    d.model = device::kModelV;
    d.interfaceIndex = interfaceIndex;
    return d;
}

// count devices fresh from the factory, all at one address, listed in answers too.
std::vector<device::Device> Factory(std::size_t count, device::DeviceTable& answers)
{
    std::vector<device::Device> devices;
    for (std::size_t i = 0; i < count; ++i) {
        devices.push_back(At(kFactory, static_cast<std::uint8_t>(i + 1)));
        answers.Add(devices.back());
    }
    return devices;
}

} // namespace

TEST(BatchPlan, TheProposalIsTheInterfacesSubnetFromTheFirstRunOfFreeAddresses)
{
    device::DeviceTable answers;
    const auto devices = Factory(3, answers);
    answers.Add(At({10, 77, 0, 2}, 0x40));
    answers.Add(At({10, 77, 0, 5}, 0x41));
    answers.Add(At({10, 77, 0, 3}, 0x42, kEth1)); // another segment: no matter here
    // .1 is this computer, .2 and .5 answer, .4 is the gateway: three from .6.
    EXPECT_EQ(device::ProposeBatch(devices, answers, kSubnets, Ipv4{10, 77, 0, 4}),
              (BatchRequest{{10, 77, 0, 6}, kMask24, {10, 77, 0, 4}}));
    // Two fit before .5; a gateway the interface does not have, or outside it, is none.
    const std::vector<device::Device> two(devices.begin(), devices.begin() + 2);
    EXPECT_EQ(device::ProposeBatch(two, answers, kSubnets, std::nullopt), (BatchRequest{{10, 77, 0, 3}, kMask24, {}}));
    EXPECT_EQ(device::ProposeBatch(two, answers, kSubnets, Ipv4{192, 168, 0, 1}),
              (BatchRequest{{10, 77, 0, 3}, kMask24, {}}));
    // No subnet known for the interface: the device's own values to start from.
    device::Device far = At(kFactory, 0x50, 9);
    far.gateway = {192, 168, 0, 1};
    EXPECT_EQ(device::ProposeBatch({far}, answers, kSubnets, std::nullopt),
              (BatchRequest{kFactory, kMask24, {192, 168, 0, 1}}));
}

TEST(BatchPlan, ASubnetWithoutRoomProposesItsFirstAddressAndThePlanSaysWhy)
{
    const std::vector<device::Subnet> small = device::SubnetsOf({{"eth0", kEth0, "10.77.0.1", "255.255.255.248"}});
    device::DeviceTable answers;
    const auto devices = Factory(7, answers); // 6 hosts, one of them this computer
    const BatchRequest proposal = device::ProposeBatch(devices, answers, small, std::nullopt);
    EXPECT_EQ(proposal, (BatchRequest{{10, 77, 0, 1}, {255, 255, 255, 248}, {}}));
    EXPECT_EQ(device::PlanBatch(proposal, devices, answers, small).problems,
              std::vector<std::string>{"7 devices from 10.77.0.1 run past the end of 10.77.0.0/29: the last address "
                                       "a device can have is 10.77.0.6, room for 6 devices."});
}

TEST(BatchPlan, DevicesGetConsecutiveAddressesInTheirOrder)
{
    device::DeviceTable answers;
    const auto devices = Factory(20, answers);
    const device::BatchPlan plan =
        device::PlanBatch({{10, 77, 0, 100}, kMask24, {10, 77, 0, 254}}, devices, answers, kSubnets);
    EXPECT_TRUE(plan.Sendable()) << plan.problems.front();
    ASSERT_EQ(plan.steps.size(), 20u);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(plan.steps[i].before.mac, devices[i].mac);
        EXPECT_EQ(plan.steps[i].ip, (Ipv4{10, 77, 0, static_cast<std::uint8_t>(100 + i)}));
    }
    EXPECT_EQ(plan.where, "eth0's 10.77.0.0/24");
    const std::string text = device::PlanText(plan);
    EXPECT_TRUE(text.starts_with("20 devices into eth0's 10.77.0.0/24,\nmask 255.255.255.0, gateway 10.77.0.254:\n"))
        << text;
    EXPECT_NE(text.find("00-0A-1B-2C-3D-01  Cam-1   192.168.0.100   → 10.77.0.100\n"), std::string::npos) << text;
    EXPECT_NE(text.find("00-0A-1B-2C-3D-14  Cam-20  192.168.0.100   → 10.77.0.119\n"), std::string::npos) << text;
}

TEST(BatchPlan, DevicesOfTheBatchMayTakeEachOthersAddresses)
{
    device::DeviceTable answers;
    const std::vector<device::Device> devices = {At({10, 77, 0, 11}, 1), At({10, 77, 0, 10}, 2)};
    for (const auto& d : devices)
        answers.Add(d);
    EXPECT_TRUE(device::PlanBatch({{10, 77, 0, 10}, kMask24, {}}, devices, answers, kSubnets).Sendable());
}

TEST(BatchPlan, EveryPlanThatCannotBeSentNamesItsProblem)
{
    device::DeviceTable answers;
    const auto devices = Factory(3, answers);
    answers.Add(At({10, 77, 0, 101}, 0x40)); // not in the batch: keeps its address
    const struct {
        BatchRequest request;
        std::vector<device::Device> devices; // empty: the three from the factory
        std::string problem;
    } cases[] = {
        {{{10, 77, 0, 10}, {255, 0, 255, 0}, {}}, {}, "255.0.255.0 is not a subnet mask such as 255.255.255.0."},
        {{{10, 77, 0, 10}, {}, {}}, {}, "0.0.0.0 is not a subnet mask such as 255.255.255.0."},
        {{{10, 77, 0, 0}, kMask24, {}},
         {},
         "10.77.0.0 is the network address of 10.77.0.0/24: the first device needs an address after it."},
        {{{10, 77, 0, 250}, kMask24, {}},
         Factory(6, answers),
         "6 devices from 10.77.0.250 run past the end of 10.77.0.0/24: the last address a device can have is "
         "10.77.0.254, room for 5 devices."},
        {{{10, 77, 0, 254}, kMask24, {}},
         {},
         "3 devices from 10.77.0.254 run past the end of 10.77.0.0/24: the last address a device can have is "
         "10.77.0.254, room for 1 device."},
        {{{10, 77, 0, 255}, kMask24, {}},
         {},
         "3 devices from 10.77.0.255 run past the end of 10.77.0.0/24: 10.77.0.255 is its broadcast address."},
        {{{255, 255, 255, 254}, {255, 255, 255, 0}, {}},
         {},
         "3 devices from 255.255.255.254 run past the end of 255.255.255.0/24: the last address a device can have "
         "is 255.255.255.254, room for 1 device."},
        {{{10, 78, 0, 10}, kMask24, {}},
         {},
         "10.78.0.10 is outside eth0's 10.77.0.0/24: this computer could not reach the devices there."},
        // A larger mask than the interface's: the run leaves the interface's subnet, or takes its broadcast.
        {{{10, 77, 0, 254}, {255, 255, 0, 0}, {}},
         {},
         "10.77.1.0 is outside eth0's 10.77.0.0/24: this computer could not reach the devices there."},
        {{{10, 77, 0, 253}, {255, 255, 0, 0}, {}},
         {},
         "10.77.0.255 is the broadcast address of eth0's 10.77.0.0/24: this computer could not reach the device "
         "there."},
        {{{10, 76, 255, 255}, {255, 254, 0, 0}, {}},
         {},
         "10.76.255.255 is outside eth0's 10.77.0.0/24: this computer could not reach the devices there."},
        {{{10, 77, 0, 10}, kMask24, {10, 77, 1, 1}},
         {},
         "The gateway 10.77.1.1 is outside 10.77.0.0/24: the devices could not reach it."},
        {{{10, 77, 0, 10}, kMask24, {10, 77, 0, 255}},
         {},
         "The gateway 10.77.0.255 is the broadcast address of 10.77.0.0/24."},
        {{{10, 77, 0, 10}, kMask24, {10, 77, 0, 0}},
         {},
         "The gateway 10.77.0.0 is the network address of 10.77.0.0/24."},
        {{{10, 77, 0, 10}, kMask24, {}},
         {At(kFactory, 1), At(kFactory, 2, kEth1)},
         "The devices answered on eth0 and on eth1: address the devices of one interface at a time."},
        {{{10, 77, 0, 10}, kMask24, {}},
         {At(kFactory, 1), At(kFactory, 1)},
         "00-0A-1B-2C-3D-01 is chosen twice (it answered twice): choose it once."},
        {{{10, 77, 0, 100}, kMask24, {}},
         {},
         "00-0A-1B-2C-3D-02 → 10.77.0.101: 10.77.0.101 is the address 00-0A-1B-2C-3D-40 answers from."},
        {{{10, 77, 0, 1}, kMask24, {}},
         {},
         "00-0A-1B-2C-3D-01 → 10.77.0.1: 10.77.0.1 is the address of this computer's eth0."},
        {{{10, 77, 0, 10}, kMask24, {10, 77, 0, 12}},
         {},
         "00-0A-1B-2C-3D-03 → 10.77.0.12: 10.77.0.12 is the address of the gateway 10.77.0.12."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        const auto& chosen = c.devices.empty() ? devices : c.devices;
        const device::BatchPlan plan = device::PlanBatch(c.request, chosen, answers, kSubnets);
        ASSERT_EQ(plan.problems.size(), 1u) << ::testing::PrintToString(plan.problems);
        EXPECT_TRUE(plan.problems[0].starts_with(c.problem)) << plan.problems[0];
        EXPECT_FALSE(plan.Sendable());
        EXPECT_TRUE(device::PlanText(plan).starts_with("Cannot be sent:\n  " + c.problem));
    }
    EXPECT_EQ(device::PlanBatch({{10, 77, 0, 10}, kMask24, {}}, {}, answers, kSubnets).problems,
              std::vector<std::string>{"No devices are chosen."});
}

TEST(BatchResults, TheListCountsEachOutcomeAndCopiesAsTabSeparatedRows)
{
    device::DeviceTable answers;
    auto devices = Factory(4, answers);
    devices[1].name = "Gate\tNorth";
    const device::BatchPlan plan =
        device::PlanBatch({{10, 77, 0, 100}, kMask24, {10, 77, 0, 254}}, devices, answers, kSubnets);
    ASSERT_TRUE(plan.Sendable());
    const std::vector<device::BatchResult> results = {{plan.steps[0], device::BatchOutcome::kConfirmed},
                                                      {plan.steps[1], device::BatchOutcome::kNoAnswer},
                                                      {plan.steps[2], device::BatchOutcome::kConfirmed},
                                                      {plan.steps[3], device::BatchOutcome::kCancelled}};
    EXPECT_EQ(device::ResultsSummary(results), "4 devices: 2 confirmed, 1 sent, no answer, 1 not sent (cancelled)");
    const std::string shown = device::ResultsText(results);
    EXPECT_NE(shown.find("00-0A-1B-2C-3D-04  Cam-4       192.168.0.100   → 10.77.0.103      not sent (cancelled)\n"),
              std::string::npos)
        << shown;
    const std::string copied = device::ResultsClipboardText(results, plan.mask, plan.gateway);
    EXPECT_TRUE(copied.starts_with("MAC\tDevice Name\tOld IP Address\tIP Address\tSubnet Mask\tGateway IP\tResult\n"));
    EXPECT_NE(copied.find("\n00-0A-1B-2C-3D-02\tGate North\t192.168.0.100\t10.77.0.101\t255.255.255.0\t10.77.0.254\t"
                          "sent, no answer\n"),
              std::string::npos)
        << copied;
    EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 5);
}
