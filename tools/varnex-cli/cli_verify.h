// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// After set-ip, set-mac or reset: probing again, as discover does, until the
// device answers as its command said it would or --verify-wait runs out.
#pragma once

#include <string>

#include "cli_options.h"
#include "devices/command_confirmation.h"
#include "discovery/interface_route.h"

namespace cli {

// Prints the confirmation line on standard output and returns kSuccess when
// the device answered as expected, kNotConfirmed when it did not within
// --verify-wait, kRuntimeFailure (said on standard error) when no probe could
// be sent. interfaceName names the device's interface in the line.
int ConfirmAnswer(const Options& options, const InterfaceRoute& route, const device::ExpectedAnswer& expected,
                  const std::string& interfaceName);

} // namespace cli
