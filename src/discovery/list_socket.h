// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The discovery socket: every datagram that arrives while it is open becomes a
// row of the device list.
#pragma once

#include "system/async_socket.h"

class CListSocket;

// Who turns an arriving datagram into a row: the device list view.
class ReplyReceiver {
public:
    virtual ~ReplyReceiver() = default;
    // Appends the row of one answer; interfaceIndex is the interface it came
    // in on (0: not known).
    virtual void AddDeviceRow(const unsigned char (&frame)[52], unsigned interfaceIndex) = 0;
    // Told once after the answers that one notification brought (sorts them into place).
    virtual void AnswersAdded() {}
    // Shows the number of answers of this cycle.
    virtual void ShowReplyCount(int count) = 0;
    // Told after every answer how many answers the kernel has dropped since the
    // socket was opened (its receive buffer was full).
    virtual void ShowLostAnswers(long long lost) { (void)lost; }
};

class CListSocket : public CSocket {
public:
    // The receive buffer asked for: room for thousands of answers at once
    // (an answer takes about 800 bytes of kernel memory).
    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;
    // Answers read in one notification at most, so that a burst still lets the
    // window paint; the rest wait for the next notification.
    static constexpr int kAnswersPerNotification = 256;

    ~CListSocket() override;

    // Datagrams turned into rows since the last Refresh.
    int m_nReplyCount = 0;
    // Set after every datagram handled; cleared by the listening-window timer.
    BOOL m_bReplySeen = FALSE;
    // When not 0, datagrams that came in on another (known) interface are read
    // and dropped: they are no answers to this cycle's probe.
    unsigned m_nOnlyInterface = 0;

protected:
    void OnReceive(int nErrorCode) override;
};

// Finds the device list view of the running program; tests may install another.
ReplyReceiver* FindReplyReceiver();
void SetReplyReceiverLookup(ReplyReceiver* (*lookup)());
