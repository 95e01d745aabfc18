// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_device_socket.h"

#include <algorithm>
#include <cstring>

#include "system/socket_backend.h"

namespace cli {

DeviceSocket::~DeviceSocket()
{
    Close();
}

bool DeviceSocket::Open(std::string& error)
{
    Close();
    SocketBackend& sockets = Sockets();
    m_handle = sockets.Open();
    if (m_handle < 0 || !sockets.Bind(m_handle, static_cast<std::uint16_t>(m_ports.localPort), "")) {
        Close();
        error = SocketOpenFailMessage(m_ports.localPort);
        return false;
    }
    if (!sockets.SetBroadcast(m_handle, true)) {
        error = std::string("cannot switch broadcasting on: ") + std::strerror(sockets.LastError());
        Close();
        return false;
    }
    // Room for thousands of answers at once; less is no failure, only a risk
    // that the kernel drops answers, which listening then counts.
    m_receiveBuffer = std::max(0, sockets.SetReceiveBuffer(m_handle, kReceiveBufferBytes));
    return true;
}

long long DeviceSocket::Dropped() const
{
    if (m_handle < 0)
        return 0;
    return std::max(0LL, Sockets().DroppedDatagrams(m_handle));
}

void DeviceSocket::Close()
{
    if (m_handle >= 0)
        Sockets().Close(m_handle);
    m_handle = -1;
    m_receiveBuffer = 0;
}

bool DeviceSocket::Send(const packet::Bytes& frame, std::string& error, unsigned interfaceIndex,
                        const std::string& interfaceName)
{
    SocketBackend& sockets = Sockets();
    const int sent =
        sockets.SendToInterface(m_handle, frame.data(), static_cast<int>(frame.size()), m_ports.broadcastAddress,
                                static_cast<std::uint16_t>(m_ports.devicePort), interfaceIndex);
    if (sent == static_cast<int>(frame.size()))
        return true;
    std::string by;
    if (interfaceIndex != 0) {
        const std::string name = interfaceName.empty() ? sockets.InterfaceName(interfaceIndex) : interfaceName;
        by = " by interface " + (name.empty() ? std::to_string(interfaceIndex) : name);
    }
    error = "sending to " + m_ports.broadcastAddress + ":" + std::to_string(m_ports.devicePort) + by +
            " failed: " + (sent < 0 ? std::strerror(sockets.LastError()) : "the datagram was cut short");
    return false;
}

} // namespace cli
