// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A batch of new addresses from the moment it is confirmed until its results
// are shown: the plan, the one password until the last packet has gone, and
// what became of each device.
#pragma once

#include <vector>

#include "commands/password_bytes.h"
#include "devices/batch_results.h"

struct BatchRun {
    device::BatchPlan plan;
    PasswordBytes password;
    // One per device of the plan, in its order.
    std::vector<device::BatchResult> results;
    // The socket could not be opened again: the devices after it are not sent to.
    bool socketFailed = false;
    // Sent to some: the results wait for the search after the batch.
    bool awaitingSearch = false;
};
