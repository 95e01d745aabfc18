// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// After set-ip, set-mac, reset or apply: probing again, as discover does,
// until the devices answer as their commands said they would or
// --verify-wait runs out.
#pragma once

#include <string>
#include <vector>

#include "cli_options.h"
#include "devices/command_confirmation.h"
#include "discovery/interface_route.h"

namespace cli {

// A device looked for after its command; interfaceName names its interface in the verdict.
struct AwaitedAnswer {
    device::ExpectedAnswer expected;
    std::string interfaceName;
};

// Probes in rounds until every awaited device has answered as expected or
// --verify-wait has run out; each round's answers judge the devices not yet
// confirmed. verdicts[i] is awaited[i]'s. False, said on standard error,
// when a round could not probe.
bool AwaitAnswers(const Options& options, const InterfaceRoute& route, const std::vector<AwaitedAnswer>& awaited,
                  std::vector<device::Confirmation>& verdicts);

// One device: prints its verdict on standard output and returns kSuccess when
// it answered as expected, kNotConfirmed when it did not within
// --verify-wait, kRuntimeFailure (said on standard error) when no probe could
// be sent.
int ConfirmAnswer(const Options& options, const InterfaceRoute& route, const device::ExpectedAnswer& expected,
                  const std::string& interfaceName);

} // namespace cli
