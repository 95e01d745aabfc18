// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/async_socket.h"

#include "system/socket_backend.h"

CAsyncSocket::~CAsyncSocket()
{
    if (m_hSocket != INVALID_SOCKET) {
        Sockets().Close(m_hSocket);
        m_hSocket = INVALID_SOCKET;
    }
}

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, long lEvent, const char* lpszSocketAddress)
{
    if (m_hSocket != INVALID_SOCKET || nSocketType != SOCK_DGRAM_TYPE || nSocketPort > 0xFFFF)
        return FALSE;
    SocketBackend& sockets = Sockets();
    const int handle = sockets.Open();
    if (handle < 0) {
        m_nLastError = sockets.LastError();
        return FALSE;
    }
    if (!sockets.Bind(handle, static_cast<std::uint16_t>(nSocketPort), lpszSocketAddress ? lpszSocketAddress : "")) {
        m_nLastError = sockets.LastError();
        sockets.Close(handle);
        return FALSE;
    }
    m_hSocket = handle;
    if (lEvent & FD_READ)
        sockets.NotifyReadable(handle, [this] { OnReceive(0); });
    return TRUE;
}

void CAsyncSocket::Close()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    Sockets().Close(m_hSocket);
    m_hSocket = INVALID_SOCKET;
    m_nReceiveBuffer = 0;
}

BOOL CAsyncSocket::SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel)
{
    if (m_hSocket == INVALID_SOCKET || lpOptionValue == nullptr)
        return FALSE;
    if (nLevel == SOL_SOCKET_LEVEL && nOptionName == SO_BROADCAST_OPTION && nOptionLen >= 1) {
        int value = 0;
        if (nOptionLen >= static_cast<int>(sizeof(int)))
            value = *static_cast<const int*>(lpOptionValue);
        else
            value = *static_cast<const char*>(lpOptionValue);
        if (!Sockets().SetBroadcast(m_hSocket, value != 0)) {
            m_nLastError = Sockets().LastError();
            return FALSE;
        }
        return TRUE;
    }
    if (nLevel == SOL_SOCKET_LEVEL && nOptionName == SO_RCVBUF_OPTION && nOptionLen >= static_cast<int>(sizeof(int))) {
        const int granted = Sockets().SetReceiveBuffer(m_hSocket, *static_cast<const int*>(lpOptionValue));
        if (granted < 0) {
            m_nLastError = Sockets().LastError();
            return FALSE;
        }
        m_nReceiveBuffer = granted;
        return TRUE;
    }
    return FALSE;
}

BOOL CAsyncSocket::GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel) const
{
    if (m_hSocket == INVALID_SOCKET || lpOptionValue == nullptr || lpOptionLen == nullptr ||
        *lpOptionLen < static_cast<int>(sizeof(int)) || nLevel != SOL_SOCKET_LEVEL || nOptionName != SO_RCVBUF_OPTION)
        return FALSE;
    *static_cast<int*>(lpOptionValue) = m_nReceiveBuffer;
    *lpOptionLen = static_cast<int>(sizeof(int));
    return TRUE;
}

long long CAsyncSocket::GetDroppedCount() const
{
    if (m_hSocket == INVALID_SOCKET)
        return 0;
    const long long dropped = Sockets().DroppedDatagrams(m_hSocket);
    return dropped > 0 ? dropped : 0;
}

int CAsyncSocket::SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, const char* lpszHostAddress, int)
{
    if (m_hSocket == INVALID_SOCKET || nHostPort > 0xFFFF)
        return SOCKET_ERROR;
    const std::string host = lpszHostAddress ? lpszHostAddress : "255.255.255.255";
    const int n = Sockets().SendTo(m_hSocket, lpBuf, nBufLen, host, static_cast<std::uint16_t>(nHostPort));
    if (n < 0)
        m_nLastError = Sockets().LastError();
    return n;
}

int CAsyncSocket::SendToInterface(const void* lpBuf, int nBufLen, UINT nHostPort, const char* lpszHostAddress,
                                  unsigned nInterface)
{
    if (nInterface == 0)
        return SendTo(lpBuf, nBufLen, nHostPort, lpszHostAddress);
    if (m_hSocket == INVALID_SOCKET || nHostPort > 0xFFFF)
        return SOCKET_ERROR;
    const std::string host = lpszHostAddress ? lpszHostAddress : "255.255.255.255";
    const int n =
        Sockets().SendToInterface(m_hSocket, lpBuf, nBufLen, host, static_cast<std::uint16_t>(nHostPort), nInterface);
    if (n < 0)
        m_nLastError = Sockets().LastError();
    return n;
}

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int)
{
    if (m_hSocket == INVALID_SOCKET)
        return SOCKET_ERROR;
    const int n = Sockets().Receive(m_hSocket, lpBuf, nBufLen);
    if (n < 0)
        m_nLastError = Sockets().LastError();
    return n;
}

int CAsyncSocket::ReceiveWithInterface(void* lpBuf, int nBufLen, unsigned* pnInterface)
{
    unsigned arrivedOn = 0;
    int n = SOCKET_ERROR;
    if (m_hSocket != INVALID_SOCKET) {
        n = Sockets().ReceiveWithInterface(m_hSocket, lpBuf, nBufLen, arrivedOn);
        if (n < 0)
            m_nLastError = Sockets().LastError();
    }
    if (pnInterface)
        *pnInterface = n >= 0 ? arrivedOn : 0;
    return n;
}

void CAsyncSocket::OnReceive(int) {}

BOOL AfxSocketInit()
{
    return Sockets().Startup() ? TRUE : FALSE;
}
