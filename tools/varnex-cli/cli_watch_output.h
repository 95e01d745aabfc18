// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What watching sees, one line per event as it happens: a device appeared,
// changed (which fields, from what to what) or went quiet, with the time, the
// interface and the device's fields, as text for a person or as one JSON
// object a line for scripts.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "cli_options.h"
#include "devices/device.h"
#include "devices/device_fields.h"

namespace cli {

enum class WatchEvent { kAppeared, kChanged, kGone };

struct WatchReport {
    WatchEvent event = WatchEvent::kAppeared;
    std::chrono::system_clock::time_point at{};
    // The device as it is now.
    const device::Device* device = nullptr;
    std::string interfaceName; // empty: not known
    bool shared = false;       // another device answers from its address
    bool reachable = true;     // its address is in this computer's subnet for it
    // kAppeared: it had been gone and answers again.
    bool returned = false;
    // kChanged: the fields that changed, and the device as it was.
    device::FieldSet changed;
    const device::Device* before = nullptr;
    // kGone: when it last answered.
    std::optional<std::chrono::system_clock::time_point> lastSeen;
};

// The report's line, its line break included, in Format::kText or kJson.
std::string WatchLine(const WatchReport& report, Format format);

} // namespace cli
