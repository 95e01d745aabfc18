// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/pending_changes.h"

namespace device {

PendingChanges::~PendingChanges()
{
    SettleAll();
}

void PendingChanges::Hold(ChangeRecord record, unsigned interfaceIndex, std::chrono::system_clock::time_point sent)
{
    const DeviceKey device{record.mac, interfaceIndex};
    m_held.push_back({std::move(record), device, sent});
}

std::optional<std::string> PendingChanges::Settle(const Choice& which, const Verdicts& verdictOf)
{
    // Taken out before any is written: a record is written once, whatever happens while writing.
    std::vector<Held> chosen;
    std::vector<Held> kept;
    for (Held& h : m_held)
        (which(h.device) ? chosen : kept).push_back(std::move(h));
    m_held = std::move(kept);
    std::optional<std::string> failure;
    for (Held& h : chosen) {
        h.record.confirmed = verdictOf ? verdictOf(h.device) : std::nullopt;
        if (std::optional<std::string> told = m_log.Append(h.record, h.sent))
            failure = std::move(told);
    }
    return failure;
}

std::optional<std::string> PendingChanges::SettleAll(const Verdicts& verdictOf)
{
    return Settle([](const DeviceKey&) { return true; }, verdictOf);
}

} // namespace device
