// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/list_socket.h"

CListSocket::~CListSocket()
{
    Close();
}

// Reads every answer waiting (up to a limit) before the receiver is told:
// answers that arrive together cost one sort and one status update, not one each.
void CListSocket::OnReceive(int nErrorCode)
{
    bool read = false;
    for (int i = 0; i < kAnswersPerNotification; ++i) {
        packet::Bytes frame{};
        // A longer datagram is read as its first 52 bytes; a failed receive is no answer.
        unsigned arrivedOn = 0;
        const int n = ReceiveWithInterface(frame.data(), static_cast<int>(frame.size()), &arrivedOn);
        if (n < 0)
            break; // nothing more waits
        if (n == 0)
            continue;
        m_pReceiver->OnAnswer(frame, arrivedOn);
        read = true;
        if (!IsOpen())
            break; // the answer's handling closed the socket
    }
    if (read)
        m_pReceiver->OnAnswersRead(GetDroppedCount());
    CSocket::OnReceive(nErrorCode);
}
