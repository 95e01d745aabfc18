// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// An in-memory network for tests: sockets bind ports, sends are recorded, and
// datagrams the test delivers wait until the socket reads them.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "system/socket_backend.h"

class FakeEventLoop;

class FakeNetwork : public SocketBackend {
public:
    struct Sent {
        int handle;
        std::uint16_t fromPort;
        std::string host;
        std::uint16_t port;
        std::vector<std::uint8_t> bytes;
        bool broadcastOn;
        unsigned interfaceIndex = 0; // the interface it was sent by; 0: the routes' choice
    };

    explicit FakeNetwork(FakeEventLoop& loop) : m_loop(loop) {}

    bool Startup() override { return startupSucceeds; }
    int Open() override;
    bool Bind(int handle, std::uint16_t port, const std::string& address) override;
    bool SetBroadcast(int handle, bool on) override;
    int SendTo(int handle, const void* data, int length, const std::string& host, std::uint16_t port) override;
    int SendToInterface(int handle, const void* data, int length, const std::string& host, std::uint16_t port,
                        unsigned interfaceIndex) override;
    int Receive(int handle, void* buffer, int length) override;
    int ReceiveWithInterface(int handle, void* buffer, int length, unsigned& interfaceIndex) override;
    std::vector<NetworkInterface> BroadcastInterfaces() override { return interfaces; }
    std::string InterfaceName(unsigned interfaceIndex) override;
    std::optional<GatewayAddress> DefaultGateway(unsigned interfaceIndex) override
    {
        const auto it = gateways.find(interfaceIndex);
        return it == gateways.end() ? std::nullopt : std::optional<GatewayAddress>(it->second);
    }
    // Grants at most maxReceiveBuffer, as the kernel caps it.
    int SetReceiveBuffer(int handle, int bytes) override;
    long long DroppedDatagrams(int handle) override;
    void Close(int handle) override;
    void NotifyReadable(int handle, std::function<void()> onReadable) override;
    int LastError() const override { return m_error; }

    // Queues a datagram for the socket bound to port and signals it. Returns
    // false when no open socket has the port, or when its queue is full (the
    // datagram is lost, and counted as dropped in the second case).
    // interfaceIndex: the interface it came in on (0: not told).
    bool Deliver(std::uint16_t port, const std::vector<std::uint8_t>& bytes, unsigned interfaceIndex = 0);
    // Queues without signalling, as datagrams that arrive while the program is
    // busy: the queue holds what the socket's buffer has room for.
    bool Arrive(std::uint16_t port, const std::vector<std::uint8_t>& bytes, unsigned interfaceIndex = 0);
    // The receive buffer the socket on port was granted (0: never asked).
    int ReceiveBuffer(std::uint16_t port) const;
    // Makes the next receive on port fail (the datagram stays queued).
    void FailNextReceive(std::uint16_t port);
    bool IsBound(std::uint16_t port) const;
    // A port held by another program.
    void TakePort(std::uint16_t port) { m_taken.push_back(port); }

    std::vector<Sent> sent;
    bool startupSucceeds = true;
    // The broadcast interfaces the machine has; none unless a test adds them.
    std::vector<NetworkInterface> interfaces;
    // The default gateways of interfaces, by index; none unless a test adds them.
    std::map<unsigned, GatewayAddress> gateways;
    // The kernel's cap on receive buffers, and the room one datagram takes.
    int maxReceiveBuffer = 425984;
    int bytesPerDatagram = 832;

private:
    struct Socket {
        std::uint16_t port = 0;
        bool bound = false;
        bool broadcast = false;
        bool failNext = false;
        int receiveBuffer = 0;
        long long dropped = 0;
        std::deque<std::pair<std::vector<std::uint8_t>, unsigned>> queue; // datagram, interface
    };
    int HandleFor(std::uint16_t port) const;

    FakeEventLoop& m_loop;
    std::map<int, Socket> m_sockets;
    std::vector<std::uint16_t> m_taken;
    int m_next = 100;
    int m_error = 0;
};

// Installs a fake network as the socket backend for the object's lifetime.
class ScopedFakeNetwork {
public:
    explicit ScopedFakeNetwork(FakeEventLoop& loop);
    ~ScopedFakeNetwork();
    FakeNetwork net;
};
