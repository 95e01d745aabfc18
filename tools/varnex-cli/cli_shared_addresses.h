// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Addresses that more than one device answers from on one interface: the
// commonest fault when devices are set up. discover marks them in its JSON and
// warns about them on standard error for the other formats.
#pragma once

#include <string>
#include <vector>

#include "cli_listen.h"

namespace cli {

// One line per shared address, in the order each became shared:
// "warning: N devices answer from IP on IFACE: MAC, MAC".
std::vector<std::string> SharedAddressWarnings(const ListenResult& result);

} // namespace cli
