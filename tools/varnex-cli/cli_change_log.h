// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli's entries in the log of changes: one per packet sent. A log that
// cannot be written is told once on standard error; the command goes on.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/command_packet.h"
#include "devices/device.h"

namespace cli {

// Logs each packet, sent to target by the interface named interfaceName (empty: not known).
void LogSent(const std::vector<COMMAND_PACKET>& packets, const device::Device& target, const std::string& interfaceName,
             std::optional<bool> confirmed = std::nullopt);

} // namespace cli
