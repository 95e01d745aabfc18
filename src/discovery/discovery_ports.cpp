// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/discovery_ports.h"

#include "res/text/resource_ids.h"
#include "res/text/strings.h"

std::string SocketOpenFailMessage(UINT port)
{
    const std::string text = res::LoadText(IDS_SOCKET_PORT_OPEN_FAIL);
    const auto nl = text.find('\n');
    if (nl == std::string::npos)
        return text + std::to_string(port);
    return text.substr(0, nl) + std::to_string(port) + text.substr(nl + 1);
}
