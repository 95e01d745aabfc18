// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Sending command packets with the password: the password goes into one send
// buffer of this object only, never into the packets, and that buffer's
// password bytes are wiped as soon as each datagram is gone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli_device_socket.h"
#include "commands/command_packet.h"

namespace cli {

class CommandSender {
public:
    // The packets leave by the interface with this index (0: where the routes send them).
    explicit CommandSender(DeviceSocket& socket, unsigned interfaceIndex = 0)
        : m_socket(socket), m_interfaceIndex(interfaceIndex)
    {
    }
    ~CommandSender();
    CommandSender(const CommandSender&) = delete;
    CommandSender& operator=(const CommandSender&) = delete;

    // Sends each packet with the password in its bytes 42-49, in order; stops
    // at the first failure. False, sending nothing, for a password over 8 bytes.
    bool SendAll(const std::vector<COMMAND_PACKET>& packets, std::string_view password, std::string& error);
    // How many packets of the last SendAll went out.
    std::size_t SentCount() const { return m_sent; }
    // The buffer the datagrams were sent from.
    const packet::Bytes& SendBuffer() const { return m_buffer; }

private:
    DeviceSocket& m_socket;
    unsigned m_interfaceIndex;
    packet::Bytes m_buffer{};
    std::size_t m_sent = 0;
};

} // namespace cli
