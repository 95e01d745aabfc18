// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_verify.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "cli_commands.h"
#include "cli_listen.h"

namespace cli {

namespace {

using Clock = std::chrono::steady_clock;

// A device that restarts is silent for a while: each round's probe asks
// again, but never more often than this, whatever --wait says.
constexpr double kShortestRoundSeconds = 0.5;

} // namespace

bool AwaitAnswers(const Options& options, const InterfaceRoute& route, const std::vector<AwaitedAnswer>& awaited,
                  std::vector<device::Confirmation>& verdicts)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                          std::chrono::duration<double>(options.verifyWaitSeconds));
    DeviceSocket socket(options.ports);
    std::string error;
    if (!socket.Open(error)) {
        std::fprintf(stderr, "varnex-cli: %s\n", error.c_str());
        return false;
    }
    verdicts.clear();
    for (const AwaitedAnswer& a : awaited)
        verdicts.push_back(device::Confirm(a.expected, device::DeviceTable(), a.interfaceName));
    const auto allConfirmed = [&verdicts] {
        return std::all_of(verdicts.begin(), verdicts.end(), [](const device::Confirmation& c) { return c.confirmed; });
    };
    while (!allConfirmed()) {
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        ListenResult result;
        const double window = std::min(std::max(options.waitSeconds, kShortestRoundSeconds), left);
        if (!ListenForDevices(socket, route, window, left, result, error)) {
            std::fprintf(stderr, "varnex-cli: the command was sent, but confirming it failed: %s\n", error.c_str());
            return false;
        }
        // A device confirmed in an earlier round stays confirmed.
        for (std::size_t i = 0; i < awaited.size(); ++i)
            if (!verdicts[i].confirmed)
                verdicts[i] = device::Confirm(awaited[i].expected, result.devices, awaited[i].interfaceName);
    }
    return true;
}

int ConfirmAnswer(const Options& options, const InterfaceRoute& route, const device::ExpectedAnswer& expected,
                  const std::string& interfaceName)
{
    std::vector<device::Confirmation> verdicts;
    if (!AwaitAnswers(options, route, {{expected, interfaceName}}, verdicts))
        return kRuntimeFailure;
    std::printf("%s\n", verdicts.front().text.c_str());
    if (std::fflush(stdout) != 0)
        return kRuntimeFailure;
    return verdicts.front().confirmed ? kSuccess : kNotConfirmed;
}

} // namespace cli
