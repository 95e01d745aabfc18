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

void CListSocket::OnReceive(int nErrorCode)
{
    unsigned char frame[52];
    std::memset(frame, 0, sizeof frame);
    // A longer datagram is read as its first 52 bytes; a failed receive is no answer.
    unsigned arrivedOn = 0;
    const int n = ReceiveWithInterface(frame, sizeof frame, &arrivedOn);
    ReplyReceiver* receiver = n > 0 && AnswerCounts(m_nOnlyInterface, arrivedOn) ? FindReplyReceiver() : nullptr;
    if (receiver != nullptr) {
        receiver->AddDeviceRow(frame, arrivedOn);
        ++m_nReplyCount;
        receiver->ShowReplyCount(m_nReplyCount);
        m_bReplySeen = TRUE;
        receiver->ShowLostAnswers(GetDroppedCount());
    }
    CSocket::OnReceive(nErrorCode);
}
