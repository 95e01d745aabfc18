// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Where discovery and command packets go: the program's own port, the devices'
// port, and the broadcast address (none: the limited broadcast address).
#pragma once

#include <string>

#include "system/win_types.h"

struct DiscoveryPorts {
    UINT localPort = 4000;
    UINT devicePort = 36;
    std::string broadcastAddress; // empty: 255.255.255.255
};

// The port failure text: the string's text before its line break, the port
// number, then the text after the line break.
std::string SocketOpenFailMessage(UINT port);
