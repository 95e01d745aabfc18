// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_command_sender.h"

#include "cli_texts.h"
#include "commands/command_builders.h"

namespace cli {

CommandSender::~CommandSender()
{
    WipePassword(m_buffer);
}

bool CommandSender::SendAll(const std::vector<COMMAND_PACKET>& packets, std::string_view password, std::string& error)
{
    m_sent = 0;
    for (const COMMAND_PACKET& packet : packets) {
        if (!PacketWithPassword(packet, password, m_buffer)) {
            error = TooLongMessage(kMaxPasswordLength);
            return false;
        }
        const bool sent = m_socket.Send(m_buffer, error, m_interfaceIndex);
        WipePassword(m_buffer);
        if (!sent)
            return false;
        ++m_sent;
    }
    return true;
}

} // namespace cli
