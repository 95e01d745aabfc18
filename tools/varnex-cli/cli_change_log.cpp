// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_change_log.h"

#include <cstdio>

#include "commands/packet_change.h"
#include "devices/change_log.h"

namespace cli {

void LogSent(const std::vector<COMMAND_PACKET>& packets, const device::Device& target, const std::string& interfaceName,
             std::optional<bool> confirmed)
{
    // One log for the whole run, so that a failure is told once however many devices a plan has.
    static device::ChangeLog log(device::ChangeLog::DefaultPath());
    for (const COMMAND_PACKET& packet : packets) {
        device::ChangeRecord record = ChangeOf(packet, target, "varnex-cli", interfaceName);
        record.confirmed = confirmed;
        if (const std::optional<std::string> failure = log.Append(record))
            std::fprintf(stderr, "varnex-cli: warning: %s; the command was sent all the same\n", failure->c_str());
    }
}

} // namespace cli
