// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Times in what the programs write for scripts (the log of changes, watching
// devices): UTC in ISO 8601, to the second.
#pragma once

#include <chrono>
#include <string>

namespace device {

// "2025-03-01T14:05:09Z".
std::string UtcText(std::chrono::system_clock::time_point when);

} // namespace device
