// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/batch_plan.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "devices/address_plan.h"
#include "devices/device_texts.h"

namespace device {

namespace {

// A subnet's bounds as numbers; a run of devices lies strictly between them.
struct Range {
    std::uint32_t network = 0;
    std::uint32_t broadcast = 0;
};

Range RangeOf(const Ipv4& address, const Ipv4& mask)
{
    const std::uint32_t m = Ipv4Value(mask);
    const std::uint32_t network = Ipv4Value(address) & m;
    return {network, network | ~m};
}

const Subnet* SubnetOn(unsigned interfaceIndex, const std::vector<Subnet>& subnets)
{
    if (interfaceIndex == 0)
        return nullptr;
    const auto it = std::find_if(subnets.begin(), subnets.end(),
                                 [interfaceIndex](const Subnet& s) { return s.interfaceIndex == interfaceIndex; });
    return it == subnets.end() ? nullptr : &*it;
}

std::string InterfaceName(unsigned interfaceIndex, const std::vector<Subnet>& subnets)
{
    if (const Subnet* s = SubnetOn(interfaceIndex, subnets))
        return s->interfaceName;
    return interfaceIndex == 0 ? "an unknown interface" : "interface " + std::to_string(interfaceIndex);
}

std::string Dotted(std::uint32_t value)
{
    return FormatDotted(Ipv4FromValue(value));
}

// The checks of the run as a whole; the addresses are checked one by one
// only when these pass.
std::vector<std::string> CheckRun(const BatchRequest& request, const std::vector<Device>& devices,
                                  const std::vector<Subnet>& subnets, const std::string& subnetText)
{
    std::vector<std::string> problems;
    const unsigned interfaceIndex = devices.front().interfaceIndex;
    for (const Device& d : devices)
        if (d.interfaceIndex != interfaceIndex) {
            problems.push_back("The devices answered on " + InterfaceName(interfaceIndex, subnets) + " and on " +
                               InterfaceName(d.interfaceIndex, subnets) +
                               ": address the devices of one interface at a time.");
            return problems;
        }
    std::unordered_set<std::uint64_t> macs;
    for (const Device& d : devices)
        if (!macs.insert(MacValue(d.mac)).second) {
            problems.push_back(FormatMac(d.mac) + " is chosen twice (it answered twice): choose it once.");
            return problems;
        }
    const Range range = RangeOf(request.start, request.mask);
    const std::uint32_t start = Ipv4Value(request.start);
    // Counted wide: a run may go past 255.255.255.255.
    const std::uint64_t last = static_cast<std::uint64_t>(start) + devices.size() - 1;
    if (start == range.network) {
        problems.push_back(FormatDotted(request.start) + " is the network address of " + subnetText +
                           ": the first device needs an address after it.");
    } else if (last >= range.broadcast) {
        const std::uint64_t room = start < range.broadcast ? range.broadcast - start : 0;
        std::string text = std::to_string(devices.size()) + " devices from " + FormatDotted(request.start) +
                           " run past the end of " + subnetText + ": ";
        text += room == 0 ? FormatDotted(request.start) + " is its broadcast address."
                          : "the last address a device can have is " + Dotted(range.broadcast - 1) + ", room for " +
                                std::to_string(room) + (room == 1 ? " device." : " devices.");
        problems.push_back(text);
    } else if (const Subnet* own = SubnetOn(interfaceIndex, subnets)) {
        // The run is one block: when both its ends lie strictly inside the
        // interface's subnet, so does every address between them.
        const Range ownRange = RangeOf(own->address, own->mask);
        const std::string ownText = own->interfaceName + "'s " + SubnetText(*own);
        for (const std::uint32_t end : {start, static_cast<std::uint32_t>(last)}) {
            if (!own->Contains(Ipv4FromValue(end)))
                problems.push_back(Dotted(end) + " is outside " + ownText +
                                   ": this computer could not reach the devices there.");
            else if (end == ownRange.network || end == ownRange.broadcast)
                problems.push_back(Dotted(end) + " is the " + (end == ownRange.network ? "network" : "broadcast") +
                                   " address of " + ownText + ": this computer could not reach the device there.");
            if (!problems.empty())
                break;
        }
    }
    return problems;
}

std::vector<std::string> CheckGateway(const BatchRequest& request, const std::string& subnetText)
{
    const std::uint32_t gateway = Ipv4Value(request.gateway);
    if (gateway == 0)
        return {};
    const Range range = RangeOf(request.start, request.mask);
    const std::string named = "The gateway " + FormatDotted(request.gateway);
    if ((gateway & Ipv4Value(request.mask)) != range.network)
        return {named + " is outside " + subnetText + ": the devices could not reach it."};
    if (gateway == range.network)
        return {named + " is the network address of " + subnetText + "."};
    if (gateway == range.broadcast)
        return {named + " is the broadcast address of " + subnetText + "."};
    return {};
}

} // namespace

BatchRequest ProposeBatch(const std::vector<Device>& devices, const DeviceTable& answers,
                          const std::vector<Subnet>& subnets, const std::optional<Ipv4>& interfaceGateway)
{
    if (devices.empty())
        return {};
    const Device& first = devices.front();
    const Subnet* own = SubnetOn(first.interfaceIndex, subnets);
    if (own == nullptr || !IsSubnetMask(own->mask))
        return {first.ip, first.mask, first.gateway};
    BatchRequest proposal;
    proposal.mask = own->mask;
    const Range range = RangeOf(own->address, own->mask);
    const auto usable = [&range](std::uint32_t v) { return v > range.network && v < range.broadcast; };
    if (interfaceGateway && usable(Ipv4Value(*interfaceGateway)) && own->Contains(*interfaceGateway))
        proposal.gateway = *interfaceGateway;
    // Every address in use on the segment is taken, those of the chosen devices too:
    // the proposal then moves no device onto an address that is still answered from.
    std::vector<std::uint32_t> taken = {Ipv4Value(own->address), Ipv4Value(proposal.gateway)};
    for (const Device& d : answers.All())
        if (d.interfaceIndex == first.interfaceIndex)
            taken.push_back(Ipv4Value(d.ip));
    std::erase_if(taken, [&usable](std::uint32_t v) { return !usable(v); });
    std::sort(taken.begin(), taken.end());
    const std::uint64_t count = devices.size();
    std::uint64_t start = static_cast<std::uint64_t>(range.network) + 1;
    for (const std::uint32_t t : taken) {
        if (t < start)
            continue;
        if (t - start >= count)
            break;
        start = static_cast<std::uint64_t>(t) + 1;
    }
    // No free run: the first address, and the check says why it does not do.
    if (start + count > range.broadcast)
        start = static_cast<std::uint64_t>(range.network) + 1;
    proposal.start = Ipv4FromValue(static_cast<std::uint32_t>(start));
    return proposal;
}

BatchPlan PlanBatch(const BatchRequest& request, const std::vector<Device>& devices, const DeviceTable& answers,
                    const std::vector<Subnet>& subnets)
{
    BatchPlan plan;
    plan.mask = request.mask;
    plan.gateway = request.gateway;
    if (devices.empty()) {
        plan.problems.push_back("No devices are chosen.");
        return plan;
    }
    if (!IsSubnetMask(request.mask)) {
        plan.problems.push_back(FormatDotted(request.mask) + " is not a subnet mask such as 255.255.255.0.");
        return plan;
    }
    const Subnet mine{"", 0, request.start, request.mask};
    const std::string subnetText = SubnetText(mine);
    const Subnet* own = SubnetOn(devices.front().interfaceIndex, subnets);
    plan.where = own != nullptr ? own->interfaceName + "'s " + SubnetText(*own) : subnetText;

    const std::uint32_t start = Ipv4Value(request.start);
    for (std::size_t i = 0; i < devices.size(); ++i)
        plan.steps.push_back({devices[i], Ipv4FromValue(static_cast<std::uint32_t>(start + i))});
    plan.problems = CheckRun(request, devices, subnets, subnetText);
    const std::vector<std::string> gateway = CheckGateway(request, subnetText);
    plan.problems.insert(plan.problems.end(), gateway.begin(), gateway.end());
    if (!plan.problems.empty())
        return plan;

    // Each address as an address plan checks it, a line per device.
    std::vector<PlanLine> lines;
    for (std::size_t i = 0; i < plan.steps.size(); ++i)
        lines.push_back(
            {static_cast<int>(i + 1), plan.steps[i].before.mac, plan.steps[i].ip, request.mask, request.gateway});
    for (const PlanProblem& problem : CheckPlan(lines, answers, subnets)) {
        const BatchStep& step = plan.steps[static_cast<std::size_t>(problem.line - 1)];
        plan.problems.push_back(FormatMac(step.before.mac) + " → " + FormatDotted(step.ip) + ": " + problem.text + ".");
    }
    return plan;
}

std::string PlanText(const BatchPlan& plan)
{
    std::string text;
    if (!plan.problems.empty()) {
        text += "Cannot be sent:\n";
        for (const std::string& problem : plan.problems)
            text += "  " + problem + "\n";
        if (!plan.steps.empty())
            text += "\n";
    }
    if (plan.steps.empty())
        return text;
    text += std::to_string(plan.steps.size()) + " devices into " + plan.where + ",\nmask " + FormatDotted(plan.mask) +
            ", gateway " + (Ipv4Value(plan.gateway) == 0 ? std::string("none") : FormatDotted(plan.gateway)) + ":\n";
    std::size_t nameWidth = 0;
    for (const BatchStep& step : plan.steps)
        nameWidth = std::max(nameWidth, ColumnText(step.before, kName).size());
    for (const BatchStep& step : plan.steps) {
        std::string name = ColumnText(step.before, kName);
        name.resize(nameWidth, ' ');
        std::string from = FormatDotted(step.before.ip);
        from.resize(15, ' ');
        text += FormatMac(step.before.mac) + "  " + name + "  " + from + " → " + FormatDotted(step.ip) + "\n";
    }
    return text;
}

} // namespace device
