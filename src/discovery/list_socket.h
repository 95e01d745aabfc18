// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The discovery socket: every datagram that arrives while it is open is
// handed to its receiver, given when the socket is made.
#pragma once

#include "discovery/packet_frame.h"
#include "system/async_socket.h"

// Who takes the answers: the device list view, or a test.
class ReplyReceiver {
public:
    virtual ~ReplyReceiver() = default;
    // One datagram as its first 52 bytes (zeros after a short one);
    // interfaceIndex is the interface it came in on (0: not known).
    virtual void OnAnswer(const packet::Bytes& frame, unsigned interfaceIndex) = 0;
    // Told once after the answers that one notification brought, with how
    // many answers the kernel has dropped since the socket was opened.
    virtual void OnAnswersRead(long long dropped) = 0;
};

class CListSocket : public CSocket {
public:
    // The receive buffer asked for: room for thousands of answers at once
    // (an answer takes about 800 bytes of kernel memory).
    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;
    // Answers read in one notification at most, so that a burst still lets the
    // window paint; the rest wait for the next notification.
    static constexpr int kAnswersPerNotification = 1024;

    explicit CListSocket(ReplyReceiver& receiver) : m_pReceiver(&receiver) {}
    ~CListSocket() override;

protected:
    void OnReceive(int nErrorCode) override;

private:
    ReplyReceiver* m_pReceiver; // never null
};
