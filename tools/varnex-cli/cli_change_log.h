// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli's entries in the log of changes: one per packet sent, written
// once the run knows whether the device took the change (as not checked when
// it does not look). Until then the entries are held, and a signal that ends
// the program early (SIGINT, SIGTERM, SIGHUP) writes them as not checked
// before it does: no command sent goes unlogged. A log that cannot be written
// is told once on standard error; the command goes on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli_command_sender.h"
#include "commands/command_packet.h"
#include "devices/device.h"
#include "devices/pending_changes.h"

namespace cli {

// One object per run at a time: the signals have one set of handlers.
class SentChanges {
public:
    SentChanges();
    // Whatever is still held is written as not checked.
    ~SentChanges();
    SentChanges(const SentChanges&) = delete;
    SentChanges& operator=(const SentChanges&) = delete;

    // Sends packets to target through sender, and holds an entry for each
    // packet that went out, naming the interface interfaceName (empty: not
    // known); true when all went. An end signal that comes meanwhile waits
    // until the entries are held.
    bool SendAndHold(CommandSender& sender, const std::vector<COMMAND_PACKET>& packets, std::string_view password,
                     std::string& error, const device::Device& target, const std::string& interfaceName);
    // Writes every entry held, each with the verdict verdictOf gives its
    // device; without verdictOf, as not checked.
    void WriteAll(const device::PendingChanges::Verdicts& verdictOf = {});

private:
    void Hold(const std::vector<COMMAND_PACKET>& packets, const device::Device& target,
              const std::string& interfaceName);
    device::PendingChanges m_pending;
    // The held entries as a signal writes them, and the log it writes them to.
    std::string m_unchecked;
    int m_fd = -1;
};

} // namespace cli
