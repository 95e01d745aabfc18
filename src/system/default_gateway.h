// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The gateway of an interface's default route, as the kernel's routing table
// (/proc/net/route) has it: what a device on that segment would use to reach
// other networks.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

using GatewayAddress = std::array<std::uint8_t, 4>;

// From the table's text: the gateway of the default route (destination and
// mask 0, up, by a gateway) that leaves by interfaceName, the one of lowest
// metric when there are several; nothing when there is none or the text is
// not such a table.
std::optional<GatewayAddress> DefaultGatewayIn(std::string_view routeTable, std::string_view interfaceName);

// The same from this machine's table.
std::optional<GatewayAddress> ReadDefaultGateway(std::string_view interfaceName);
