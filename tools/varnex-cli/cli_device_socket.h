// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The one UDP socket of a command: bound to the local port on all interfaces
// with broadcasting on, as the desktop program opens it for Refresh and for
// every device command, and sending to the broadcast address and device port.
#pragma once

#include <string>

#include "discovery/discovery_ports.h"
#include "discovery/packet_frame.h"

namespace cli {

class DeviceSocket {
public:
    explicit DeviceSocket(const DiscoveryPorts& ports) : m_ports(ports) {}
    ~DeviceSocket();
    DeviceSocket(const DeviceSocket&) = delete;
    DeviceSocket& operator=(const DeviceSocket&) = delete;

    // A socket that cannot be made or bound gives the desktop program's own
    // text, "Socket port '4000' Open fail ！" with the real port.
    bool Open(std::string& error);
    void Close();
    // One 52-byte datagram to the broadcast address and the device port,
    // leaving by the interface with this index (0: where the routes send it);
    // a failure names the interface by name (the kernel's, when none is given).
    bool Send(const packet::Bytes& frame, std::string& error, unsigned interfaceIndex = 0,
              const std::string& interfaceName = {});
    // The platform handle (a file descriptor), -1 when closed.
    int Handle() const { return m_handle; }
    // The receive buffer the kernel granted when the socket was opened (it
    // asks for kReceiveBufferBytes), as read back; 0 when unknown.
    int ReceiveBuffer() const { return m_receiveBuffer; }
    // Datagrams the kernel dropped since the socket was opened (buffer full).
    long long Dropped() const;

    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

private:
    DiscoveryPorts m_ports;
    int m_handle = -1;
    int m_receiveBuffer = 0;
};

} // namespace cli
