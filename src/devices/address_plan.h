// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// An address plan: new addresses for many devices at once, as a CSV file with
// the header mac,ip,mask,gateway (mask and gateway may be empty: kept). The
// whole plan is read and checked against a discovery before anything is sent,
// so that a bad plan sends nothing and names every problem by its line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "devices/device_table.h"
#include "devices/reachability.h"

namespace device {

struct PlanLine {
    int line = 0; // its line number in the file, from 1 (the header)
    Mac mac{};
    Ipv4 ip{};
    std::optional<Ipv4> mask;    // nothing: the device keeps its own
    std::optional<Ipv4> gateway; // nothing: the device keeps its own
};

struct PlanProblem {
    int line = 0; // 0: the file as a whole
    std::string text;
    bool operator==(const PlanProblem&) const = default;
};

struct AddressPlan {
    std::vector<PlanLine> lines;
    std::vector<PlanProblem> problems;
};

// A plan larger than this is refused whole, unread.
constexpr std::size_t kMaxPlanBytes = 1024 * 1024;

// Reads the plan's text: the header line, then one device a line. Blank lines
// are skipped; CR LF and LF line ends both do; a field may be in quotes.
AddressPlan ReadPlan(std::string_view text);

// The device a plan line is for: the latest answer with its MAC on any interface.
std::optional<DeviceId> FindPlannedDevice(const DeviceTable& devices, const Mac& mac);

// Checks the lines against the devices that answered and this computer's
// subnets: a MAC given twice or that did not answer, an address given twice
// on one interface or that another device (one the plan does not move)
// answers from, an address that is the interface's own or outside its subnet,
// the gateway's the device is to have, or the network or broadcast address of
// the device's new mask.
std::vector<PlanProblem> CheckPlan(const std::vector<PlanLine>& lines, const DeviceTable& devices,
                                   const std::vector<Subnet>& subnets);

// "line 3: ..." (or the text alone for the file as a whole).
std::string ProblemText(const PlanProblem& problem);

} // namespace device
