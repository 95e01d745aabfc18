// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli watch: a probe every interval, through the discovery session's
// watching cycle and the device roster the window's watch uses too, and a
// line for each device that appears, changes or goes quiet.
#pragma once

#include <functional>
#include <string>

#include "cli_device_socket.h"
#include "cli_options.h"
#include "cli_watch_output.h"
#include "discovery/interface_route.h"

namespace cli {

// Hears each report as it happens; false when it could not be written, which ends watching.
using WatchReporter = std::function<bool(const WatchReport&)>;
// Hears what went wrong on the way without ending watching (a probe that
// could not go out, answers the kernel dropped).
using WatchWarner = std::function<void(const std::string&)>;

// Probes through the socket every intervalSeconds, the first one at once;
// every answer until the next probe counts for the one before it. Returns
// true when stopFd became readable, false with the reason when waiting or
// reporting failed. Memory stays bounded: devices gone for an hour are
// forgotten, and at most kMaxKeptAnswers devices are kept at once.
bool WatchDevices(DeviceSocket& socket, const InterfaceRoute& route, double intervalSeconds, int stopFd,
                  const WatchReporter& report, const WatchWarner& warn, std::string& error);

// The watch command: status 0 when SIGINT or SIGTERM ends it.
int RunWatch(const Options& options);

} // namespace cli
