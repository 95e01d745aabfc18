// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/pending_changes.h"

#include <algorithm>

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

std::optional<std::string> PendingChanges::Settle(const DeviceKey& device, std::optional<bool> confirmed)
{
    return Write([&device](const DeviceKey& key) { return key == device; },
                 [confirmed](const DeviceKey&) { return confirmed; });
}

std::optional<std::string> PendingChanges::SettleAll(const Verdicts& verdictOf)
{
    return Write([](const DeviceKey&) { return true; },
                 [&verdictOf](const DeviceKey& key) { return verdictOf ? verdictOf(key) : std::nullopt; });
}

std::optional<std::string> PendingChanges::Write(const std::function<bool(const DeviceKey&)>& which,
                                                 const Verdicts& verdictOf)
{
    // Taken out before any is written: a record is written once, whatever happens while writing.
    std::vector<Held> chosen;
    std::vector<Held> kept;
    for (Held& h : m_held)
        (which(h.device) ? chosen : kept).push_back(std::move(h));
    m_held = std::move(kept);
    std::optional<std::string> failure;
    for (Held& h : chosen) {
        h.record.confirmed = verdictOf(h.device);
        if (std::optional<std::string> told = m_log.Append(h.record, h.sent))
            failure = std::move(told);
    }
    return failure;
}

std::vector<PendingChanges::DeviceKey> PendingChanges::HeldDevices() const
{
    std::vector<DeviceKey> devices;
    for (const Held& h : m_held)
        if (std::find(devices.begin(), devices.end(), h.device) == devices.end())
            devices.push_back(h.device);
    return devices;
}

} // namespace device
