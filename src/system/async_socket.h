// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Sockets with notifications from the event loop: a socket told that a
// datagram waits calls its OnReceive on the GUI thread.
#pragma once

#include <string>

#include "system/win_types.h"

constexpr int SOCK_DGRAM_TYPE = 2;
constexpr int INVALID_SOCKET = -1;
constexpr int SOCKET_ERROR = -1;

// Notification events.
constexpr long FD_READ = 0x01;
constexpr long FD_WRITE = 0x02;
constexpr long FD_OOB = 0x04;
constexpr long FD_ACCEPT = 0x08;
constexpr long FD_CONNECT = 0x10;
constexpr long FD_CLOSE = 0x20;
constexpr long FD_ALL_EVENTS = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

// Socket option levels and names as the framework passes them.
constexpr int SOL_SOCKET_LEVEL = 0xFFFF;
constexpr int SO_BROADCAST_OPTION = 0x0020;
constexpr int SO_RCVBUF_OPTION = 0x1002;

class CAsyncSocket {
public:
    CAsyncSocket() = default;
    virtual ~CAsyncSocket();
    CAsyncSocket(const CAsyncSocket&) = delete;
    CAsyncSocket& operator=(const CAsyncSocket&) = delete;

    // Makes a socket of the type, bound to the port (0: any) on every interface
    // or on lpszSocketAddress, with notifications for lEvent.
    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_DGRAM_TYPE, long lEvent = FD_ALL_EVENTS,
                const char* lpszSocketAddress = nullptr);
    virtual void Close();
    // SO_BROADCAST and SO_RCVBUF (a 4-byte size the kernel may lower; read the
    // size granted back with GetSockOpt).
    BOOL SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel = SOL_SOCKET_LEVEL);
    BOOL GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel = SOL_SOCKET_LEVEL) const;
    // Sends to the host and port; with no host, to the limited broadcast address.
    int SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, const char* lpszHostAddress = nullptr, int nFlags = 0);
    // The same, leaving by the interface with index nInterface (0: as SendTo).
    int SendToInterface(const void* lpBuf, int nBufLen, UINT nHostPort, const char* lpszHostAddress,
                        unsigned nInterface);
    virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
    // Receive, and the index of the interface the datagram came in on (0: not known).
    int ReceiveWithInterface(void* lpBuf, int nBufLen, unsigned* pnInterface);

    bool IsOpen() const { return m_hSocket != INVALID_SOCKET; }
    // Datagrams the kernel dropped since the socket was created because its
    // receive buffer was full; 0 when closed or not known.
    long long GetDroppedCount() const;
    int GetLastError() const { return m_nLastError; }

    int m_hSocket = INVALID_SOCKET;

protected:
    virtual void OnReceive(int nErrorCode);

private:
    int m_nLastError = 0;
    // The receive buffer the kernel granted, 0 before one was asked for.
    int m_nReceiveBuffer = 0;
};

// The framework's blocking socket: the same, with a receive that is made only
// when a datagram already waits.
class CSocket : public CAsyncSocket {
public:
    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_DGRAM_TYPE, const char* lpszSocketAddress = nullptr)
    {
        return CAsyncSocket::Create(nSocketPort, nSocketType, FD_ALL_EVENTS, lpszSocketAddress);
    }
    using CAsyncSocket::Create;
};

// Starts the socket layer; false when it cannot be used.
BOOL AfxSocketInit();
