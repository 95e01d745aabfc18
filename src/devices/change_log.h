// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The log of changes: every command sent to a device, from the window or the
// command line, as one JSON line in $XDG_STATE_HOME/varnex/commands.log, so
// that a technician can tell afterwards what was changed, where and when.
// Nothing of a password ever reaches a record.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "devices/device.h"

namespace device {

struct ChangeRecord {
    std::string program;       // "varnex", "varnex-cli"
    std::string interfaceName; // the interface the command left by; empty: not known
    Mac mac{};                 // the device's MAC when the command was sent
    std::string command;       // "set-ip", "set-mask", "set-gateway", "set-mac", "reset", "update-firmware"
    // The fields the command changes, as (name, value) texts.
    std::vector<std::pair<std::string, std::string>> before;
    std::vector<std::pair<std::string, std::string>> after;
    // Whether the device was seen with the change afterwards; nothing: not checked.
    std::optional<bool> confirmed;
};

// One line of the log, newline included: time (UTC, ISO 8601), program,
// interface (null when not known), mac, command, before, after, confirmed.
std::string ChangeLine(const ChangeRecord& record, std::chrono::system_clock::time_point when);

class ChangeLog {
public:
    // The log grows to this size, then the file becomes commands.log.1 (the
    // older one is dropped) and a new one begins.
    static constexpr std::size_t kRotateAt = 1024 * 1024;

    // path: the log file; its folder is made when missing.
    explicit ChangeLog(std::string path);
    // $XDG_STATE_HOME/varnex/commands.log, else ~/.local/state/varnex/commands.log;
    // empty when neither variable names an absolute folder.
    static std::string DefaultPath();
    const std::string& Path() const { return m_path; }

    // Appends the record as one write to a file opened for appending (0600),
    // so that two programs writing at once do not mix their lines. When it
    // cannot be written the reason is returned, on the first failure only: a
    // log that cannot be written is told once and never stops a command.
    // when: the time the command was sent (now when not given).
    std::optional<std::string> Append(const ChangeRecord& record);
    std::optional<std::string> Append(const ChangeRecord& record, std::chrono::system_clock::time_point when);

    // The log opened for appending as Append opens it, for lines that may
    // have to be written where nothing else can be done (a signal handler);
    // -1 when it cannot be opened, with the reason as Append returns it. The
    // caller closes the descriptor.
    int OpenForAppending(std::optional<std::string>& failure);

private:
    // The file opened for appending, its folder made and the file turned over
    // when adding would take it past kRotateAt; -1 with the reason.
    int Open(std::size_t adding, std::string& error);
    std::optional<std::string> Write(const std::string& line);
    std::optional<std::string> Told(std::string failure);
    std::string m_path;
    bool m_failureTold = false;
};

} // namespace device
