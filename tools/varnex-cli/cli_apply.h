// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// apply: an address plan for many devices. The whole plan is read and checked
// against one discovery first; a plan with any problem sends nothing and names
// every problem by its line. Then one password for all, wiped after the last
// send, and one look for all the devices afterwards, unless --no-verify.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli_options.h"
#include "cli_password.h"
#include "devices/address_plan.h"

namespace cli {

// What became of one line.
struct ApplyResult {
    device::PlanLine line;
    device::Ipv4 mask{};    // the mask the device has after: given or kept
    device::Ipv4 gateway{}; // likewise
    // "confirmed", "not confirmed: No answer from ...", "sent" (not looked
    // for), "unchanged", "would send", "not sent: ..."
    std::string result;
    std::optional<bool> confirmed; // nothing: not checked
};

// The results as CSV (a header line, CR LF) or a JSON array.
std::string FormatApplyResults(const std::vector<ApplyResult>& results, Format format);

int RunApply(const Options& options, const EnvironmentPassword& environment);

} // namespace cli
