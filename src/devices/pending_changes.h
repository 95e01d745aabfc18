// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The log lines of commands sent whose verdict is still to come. A command's
// line is written once: with the verdict when its device has been looked for
// again, or as not checked when no look will come (the wait was given up, or
// the program ends). The line keeps the time the command was sent. Whatever
// is still held when this object goes is written then, unchecked, so that no
// command sent is missing from the log.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "devices/change_log.h"

namespace device {

class PendingChanges {
public:
    // A device as the held records know it: its MAC when the command was sent, and its interface.
    using DeviceKey = std::pair<Mac, unsigned>;
    // The verdict of one device's commands; nothing: not checked.
    using Verdicts = std::function<std::optional<bool>(const DeviceKey&)>;
    // Whether a device's records are to be written now.
    using Choice = std::function<bool(const DeviceKey&)>;

    explicit PendingChanges(ChangeLog& log) : m_log(log) {}
    ~PendingChanges();
    PendingChanges(const PendingChanges&) = delete;
    PendingChanges& operator=(const PendingChanges&) = delete;

    // Holds the record of a command sent at `sent` to the device that answered
    // with record.mac on interfaceIndex.
    void Hold(ChangeRecord record, unsigned interfaceIndex,
              std::chrono::system_clock::time_point sent = std::chrono::system_clock::now());
    // Writes the records of the devices `which` chooses, in the order they
    // were held, each with the verdict verdictOf gives its device (without
    // verdictOf: not checked); the others stay held. One pass, however many
    // devices. The log's failure, the first time only (see ChangeLog::Append).
    std::optional<std::string> Settle(const Choice& which, const Verdicts& verdictOf = {});
    // Every record held.
    std::optional<std::string> SettleAll(const Verdicts& verdictOf = {});

    bool Empty() const { return m_held.empty(); }

private:
    struct Held {
        ChangeRecord record;
        DeviceKey device;
        std::chrono::system_clock::time_point sent;
    };
    ChangeLog& m_log;
    std::vector<Held> m_held;
};

} // namespace device
