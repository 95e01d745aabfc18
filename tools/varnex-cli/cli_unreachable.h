// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Devices whose address lies outside the subnet of the interface they answered
// on: they answer the probe, yet this computer cannot reach them directly.
// discover marks them in its JSON and warns about them on standard error for
// the other formats.
#pragma once

#include <string>
#include <vector>

#include "cli_listen.h"

namespace cli {

// One line per such device, in answer order: "warning: MAC: REASON".
std::vector<std::string> UnreachableWarnings(const ListenResult& result);

} // namespace cli
