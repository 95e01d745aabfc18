// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The simulator's single-threaded loop: one UDP socket, a queue of replies
// waiting for their send time, and ppoll until SIGINT or SIGTERM.
#pragma once

#include <vector>

#include "sim_device.h"
#include "sim_log.h"
#include "sim_options.h"

namespace sim {

// Returns the exit status: 0 after SIGINT or SIGTERM, 1 when the socket cannot be set up.
int RunSimulator(const Options& options, std::vector<Device>& devices, DatagramLog& log);

} // namespace sim
