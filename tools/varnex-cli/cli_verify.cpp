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

int ConfirmAnswer(const Options& options, const InterfaceRoute& route, const device::ExpectedAnswer& expected,
                  const std::string& interfaceName)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                          std::chrono::duration<double>(options.verifyWaitSeconds));
    DeviceSocket socket(options.ports);
    std::string error;
    if (!socket.Open(error)) {
        std::fprintf(stderr, "varnex-cli: %s\n", error.c_str());
        return kRuntimeFailure;
    }
    device::Confirmation verdict = device::Confirm(expected, device::DeviceTable(), interfaceName);
    while (!verdict.confirmed) {
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        ListenResult result;
        const double window = std::min(std::max(options.waitSeconds, kShortestRoundSeconds), left);
        if (!ListenForDevices(socket, route, window, left, result, error)) {
            std::fprintf(stderr, "varnex-cli: the command was sent, but confirming it failed: %s\n", error.c_str());
            return kRuntimeFailure;
        }
        verdict = device::Confirm(expected, result.devices, interfaceName);
    }
    std::printf("%s\n", verdict.text.c_str());
    if (std::fflush(stdout) != 0)
        return kRuntimeFailure;
    return verdict.confirmed ? kSuccess : kNotConfirmed;
}

} // namespace cli
