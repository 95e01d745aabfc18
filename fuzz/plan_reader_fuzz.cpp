// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The address plan reader on any bytes: it never crashes, every line it takes
// has a line number inside the text, and every problem names one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "devices/address_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const device::AddressPlan plan = device::ReadPlan(text);
    const auto lineCount = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (const device::PlanLine& line : plan.lines)
        if (line.line < 2 || line.line > lineCount)
            std::abort();
    for (const device::PlanProblem& problem : plan.problems)
        if (problem.line < 0 || problem.line > lineCount || problem.text.empty())
            std::abort();
    // The check on an empty discovery names each line once as absent, and nothing else.
    const std::vector<device::PlanProblem> checked = device::CheckPlan(plan.lines, device::DeviceTable(), {});
    if (checked.size() < plan.lines.size())
        std::abort();
    return 0;
}
