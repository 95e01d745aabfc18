// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_steps.h"

#include <cstdio>

#include "cli_commands.h"
#include "cli_texts.h"
#include "system/socket_backend.h"

namespace cli {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "varnex-cli: %s\n", message.c_str());
    return status;
}

// The interfaces the probe goes out on; a chosen interface that is not there
// is a failure that names the ones that are.
int ChooseRoute(const Options& options, InterfaceRoute& route)
{
    const std::vector<NetworkInterface> present = Sockets().BroadcastInterfaces();
    route = RouteFor(options.interfaceName, present, options.ports.broadcastAddress == "255.255.255.255");
    if (!route.missing)
        return kSuccess;
    std::string names;
    for (const NetworkInterface& entry : present)
        names += (names.empty() ? "" : ", ") + entry.name;
    return Fail(kRuntimeFailure, "no network interface " + QuoteArgument(options.interfaceName) +
                                     " is up with an IPv4 broadcast address" +
                                     (names.empty() ? std::string("; there is none") : "; there are: " + names));
}

// Probes and listens through a socket that is closed again afterwards. Answers
// the kernel dropped are counted on standard error; they are no failure.
int Discover(const Options& options, const InterfaceRoute& route, ListenResult& result)
{
    DeviceSocket socket(options.ports);
    std::string error;
    if (!socket.Open(error) ||
        !ListenForDevices(socket, route, options.waitSeconds, options.maxWaitSeconds, result, error))
        return Fail(kRuntimeFailure, error);
    for (const std::string& failure : result.probeFailures)
        std::fprintf(stderr, "varnex-cli: %s\n", failure.c_str());
    if (result.dropped > 0)
        std::fprintf(stderr,
                     "varnex-cli: %lld answers were lost: the receive buffer (%d bytes) was full; "
                     "running discover again may find those devices\n",
                     result.dropped, result.receiveBuffer);
    if (result.cut > 0)
        std::fprintf(stderr,
                     "varnex-cli: %lld answers after the first %zu were counted, not listed: one discovery "
                     "keeps at most %zu\n",
                     result.cut, result.devices.Size(), kMaxKeptAnswers);
    if (result.cutShort)
        std::fprintf(stderr, "varnex-cli: answers were still arriving when --max-wait (%g s) ended listening\n",
                     options.maxWaitSeconds);
    return kSuccess;
}

// The command's password; a refusal has been said on standard error.
int AskPassword(const Options& options, const EnvironmentPassword& environment, std::string& password)
{
    std::string error;
    const PasswordStatus status =
        ObtainPassword(ProcessPasswordSources(options.passwordFromStdin, environment.Value()), password, error);
    if (status != PasswordStatus::kOk)
        return Fail(status == PasswordStatus::kTooLong ? kBadInput : kRuntimeFailure, error);
    return kSuccess;
}

} // namespace cli
