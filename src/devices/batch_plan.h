// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// New addresses for several devices at once: consecutive addresses from a
// start address, given to the devices in the order chosen, with one mask and
// one gateway for all. The plan is made and checked whole before anything is
// sent, and shown device by device, so that a batch of devices fresh from the
// factory (all at one address) can be brought into the site's subnet.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "devices/device_table.h"
#include "devices/reachability.h"

namespace device {

// What the user asks for: the first address of the run, and the mask and
// gateway every device gets (gateway 0.0.0.0: none).
struct BatchRequest {
    Ipv4 start{};
    Ipv4 mask{};
    Ipv4 gateway{};
    bool operator==(const BatchRequest&) const = default;
};

// One device of the plan: as it answered, and the address it is to get.
struct BatchStep {
    Device before;
    Ipv4 ip{};
};

struct BatchPlan {
    Ipv4 mask{};
    Ipv4 gateway{};
    // "eth0's 10.77.0.0/24", or the subnet of the mask when the interface's is not known.
    std::string where;
    std::vector<BatchStep> steps;
    // Why the plan cannot be sent, each naming its device or address; empty: it can.
    std::vector<std::string> problems;
    bool Sendable() const { return problems.empty() && !steps.empty(); }
};

// The values a batch starts from: the mask of the subnet of the interface
// the first device answered on, that interface's gateway when it is known and
// inside the subnet (else none), and the first start address from which every
// device gets a free address (not this computer's, not the gateway's, none that
// a listed device answers from). Without a known subnet: the first device's
// own address, mask and gateway.
BatchRequest ProposeBatch(const std::vector<Device>& devices, const DeviceTable& answers,
                          const std::vector<Subnet>& subnets, const std::optional<Ipv4>& interfaceGateway);

// Gives the devices, in their order, the addresses from request.start on, and
// checks the plan whole: one interface for all, a mask that is one, a run
// that starts after the network address and ends before the broadcast
// address, inside the subnet of the devices' interface, a gateway inside the
// new subnet, and for every address what an address plan checks (the
// interface's own address, an address another device answers from, the
// gateway's address).
BatchPlan PlanBatch(const BatchRequest& request, const std::vector<Device>& devices, const DeviceTable& answers,
                    const std::vector<Subnet>& subnets);

// The plan as the dialog shows it: what cannot be sent and why, then one line
// per device, "00-0A-1B-2C-3D-4E  Cam-1  10.0.0.50 → 10.77.0.100".
std::string PlanText(const BatchPlan& plan);

} // namespace device
