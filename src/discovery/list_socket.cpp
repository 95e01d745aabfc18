// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/list_socket.h"

#include <cstring>

#include "discovery/interface_route.h"

namespace {

ReplyReceiver* (*g_lookup)() = nullptr;

} // namespace

ReplyReceiver* FindReplyReceiver()
{
    return g_lookup ? g_lookup() : nullptr;
}
void SetReplyReceiverLookup(ReplyReceiver* (*lookup)())
{
    g_lookup = lookup;
}

CListSocket::~CListSocket()
{
    Close();
}

// Reads every answer waiting (up to a limit) before the list sorts them in:
// answers that arrive together cost one sort, not one each.
void CListSocket::OnReceive(int nErrorCode)
{
    ReplyReceiver* added = nullptr;
    for (int i = 0; i < kAnswersPerNotification; ++i) {
        unsigned char frame[52];
        std::memset(frame, 0, sizeof frame);
        // A longer datagram is read as its first 52 bytes; a failed receive is no answer.
        unsigned arrivedOn = 0;
        const int n = ReceiveWithInterface(frame, sizeof frame, &arrivedOn);
        if (n < 0)
            break; // nothing more waits
        ReplyReceiver* receiver = n > 0 && AnswerCounts(m_nOnlyInterface, arrivedOn) ? FindReplyReceiver() : nullptr;
        if (receiver == nullptr)
            continue;
        receiver->AddDeviceRow(frame, arrivedOn);
        ++m_nReplyCount;
        receiver->ShowReplyCount(m_nReplyCount);
        m_bReplySeen = TRUE;
        receiver->ShowLostAnswers(GetDroppedCount());
        added = receiver;
        if (!IsOpen())
            break; // the answer's handling closed the socket
    }
    if (added != nullptr)
        added->AnswersAdded();
    CSocket::OnReceive(nErrorCode);
}
