// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Device definitions as the user writes them, one device per line or --device option:
//
//   name="Cam Lobby" ip=192.168.1.20 mask=255.255.255.0 gateway=192.168.1.1
//       mac=00-0A-1B-2C-3D-4E version=1.20 model=31 password=secret
//
// Fields are key=value separated by blanks; ip and mac are required. A value may
// be quoted with "..." or '...' to hold blanks, and %XX (two hex digits) stands
// for any byte anywhere in a value, so a literal percent sign is %25. A line
// whose first non-blank character is # is a comment.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim_device.h"

namespace sim {

// The usage text of the definition syntax, for --help.
std::string DeviceSyntaxHelp();

// Parses one definition. Blank and comment lines give no device and no error.
// On failure returns false with error naming the field ("field 'ip': ...").
bool ParseDeviceLine(std::string_view line, std::optional<Device>& device, std::string& error);

// No definition comes near this; a longer line is refused before it is read whole.
constexpr std::size_t kMaxDeviceLineBytes = 64 * 1024;

// Reads every definition of a stream; an error is prefixed "<origin>:<line>: ".
bool ReadDeviceStream(std::istream& in, std::string_view origin, std::vector<Device>& devices, std::string& error);

} // namespace sim
