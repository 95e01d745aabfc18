// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "support/fake_network.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "support/fake_event_loop.h"

int FakeNetwork::Open()
{
    const int handle = m_next++;
    m_sockets[handle] = Socket{};
    return handle;
}

bool FakeNetwork::Bind(int handle, std::uint16_t port, const std::string&)
{
    auto it = m_sockets.find(handle);
    if (it == m_sockets.end())
        return false;
    if (std::find(m_taken.begin(), m_taken.end(), port) != m_taken.end() || (port != 0 && HandleFor(port) >= 0)) {
        m_error = EADDRINUSE;
        return false;
    }
    it->second.port = port;
    it->second.bound = true;
    return true;
}

bool FakeNetwork::SetBroadcast(int handle, bool on)
{
    auto it = m_sockets.find(handle);
    if (it == m_sockets.end())
        return false;
    it->second.broadcast = on;
    return true;
}

int FakeNetwork::SendTo(int handle, const void* data, int length, const std::string& host, std::uint16_t port)
{
    return SendToInterface(handle, data, length, host, port, 0);
}

int FakeNetwork::SendToInterface(int handle, const void* data, int length, const std::string& host, std::uint16_t port,
                                 unsigned interfaceIndex)
{
    auto it = m_sockets.find(handle);
    if (it == m_sockets.end())
        return -1;
    const bool known = interfaceIndex == 0 || std::any_of(interfaces.begin(), interfaces.end(),
                                                          [interfaceIndex](const NetworkInterface& entry) {
                                                              return entry.index == interfaceIndex;
                                                          });
    if (!known) {
        m_error = ENXIO; // as the kernel answers for an interface that is gone
        return -1;
    }
    const auto* p = static_cast<const std::uint8_t*>(data);
    sent.push_back(Sent{handle, it->second.port, host, port, std::vector<std::uint8_t>(p, p + length),
                        it->second.broadcast, interfaceIndex});
    return length;
}

std::string FakeNetwork::InterfaceName(unsigned interfaceIndex)
{
    for (const NetworkInterface& entry : interfaces)
        if (entry.index == interfaceIndex)
            return entry.name;
    return {};
}

int FakeNetwork::Receive(int handle, void* buffer, int length)
{
    unsigned interfaceIndex = 0;
    return ReceiveWithInterface(handle, buffer, length, interfaceIndex);
}

int FakeNetwork::ReceiveWithInterface(int handle, void* buffer, int length, unsigned& interfaceIndex)
{
    interfaceIndex = 0;
    auto it = m_sockets.find(handle);
    if (it == m_sockets.end() || it->second.queue.empty())
        return -1;
    if (it->second.failNext) {
        it->second.failNext = false;
        it->second.queue.pop_front();
        m_error = EIO;
        return -1;
    }
    const std::vector<std::uint8_t> datagram = std::move(it->second.queue.front().first);
    interfaceIndex = it->second.queue.front().second;
    it->second.queue.pop_front();
    const int n = std::min<int>(length, static_cast<int>(datagram.size()));
    std::memcpy(buffer, datagram.data(), static_cast<std::size_t>(n));
    return n;
}

int FakeNetwork::SetReceiveBuffer(int handle, int bytes)
{
    auto it = m_sockets.find(handle);
    if (it == m_sockets.end() || bytes < 0)
        return -1;
    it->second.receiveBuffer = std::min(bytes, maxReceiveBuffer);
    return it->second.receiveBuffer;
}

long long FakeNetwork::DroppedDatagrams(int handle)
{
    auto it = m_sockets.find(handle);
    return it == m_sockets.end() ? -1 : it->second.dropped;
}

int FakeNetwork::ReceiveBuffer(std::uint16_t port) const
{
    const int handle = HandleFor(port);
    return handle < 0 ? 0 : m_sockets.at(handle).receiveBuffer;
}

void FakeNetwork::Close(int handle)
{
    m_loop.Unwatch(handle);
    m_sockets.erase(handle);
}

void FakeNetwork::NotifyReadable(int handle, std::function<void()> onReadable)
{
    if (onReadable)
        m_loop.WatchReadable(handle, std::move(onReadable));
    else
        m_loop.Unwatch(handle);
}

int FakeNetwork::HandleFor(std::uint16_t port) const
{
    for (const auto& [handle, socket] : m_sockets)
        if (socket.bound && socket.port == port)
            return handle;
    return -1;
}

bool FakeNetwork::IsBound(std::uint16_t port) const
{
    return HandleFor(port) >= 0;
}

bool FakeNetwork::Arrive(std::uint16_t port, const std::vector<std::uint8_t>& bytes, unsigned interfaceIndex)
{
    const int handle = HandleFor(port);
    if (handle < 0)
        return false;
    Socket& socket = m_sockets[handle];
    // A socket that never asked for a buffer queues without limit.
    if (socket.receiveBuffer > 0 &&
        static_cast<long long>(socket.queue.size() + 1) * bytesPerDatagram > socket.receiveBuffer) {
        ++socket.dropped;
        return false;
    }
    socket.queue.emplace_back(bytes, interfaceIndex);
    return true;
}

bool FakeNetwork::Deliver(std::uint16_t port, const std::vector<std::uint8_t>& bytes, unsigned interfaceIndex)
{
    if (!Arrive(port, bytes, interfaceIndex))
        return false;
    m_loop.SignalReadable(HandleFor(port));
    return true;
}

void FakeNetwork::FailNextReceive(std::uint16_t port)
{
    const int handle = HandleFor(port);
    if (handle >= 0)
        m_sockets[handle].failNext = true;
}

ScopedFakeNetwork::ScopedFakeNetwork(FakeEventLoop& loop) : net(loop)
{
    InstallSocketBackend(&net);
}

ScopedFakeNetwork::~ScopedFakeNetwork()
{
    InstallSocketBackend(nullptr);
}
