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
    };

    explicit FakeNetwork(FakeEventLoop& loop) : m_loop(loop) {}

    bool Startup() override { return startupSucceeds; }
    int Open() override;
    bool Bind(int handle, std::uint16_t port, const std::string& address) override;
    bool SetBroadcast(int handle, bool on) override;
    int SendTo(int handle, const void* data, int length, const std::string& host, std::uint16_t port) override;
    int Receive(int handle, void* buffer, int length) override;
    void Close(int handle) override;
    void NotifyReadable(int handle, std::function<void()> onReadable) override;
    int LastError() const override { return m_error; }

    // Queues a datagram for the socket bound to port and signals it. Returns
    // false when no open socket has the port (the datagram is lost).
    bool Deliver(std::uint16_t port, const std::vector<std::uint8_t>& bytes);
    // Makes the next receive on port fail (the datagram stays queued).
    void FailNextReceive(std::uint16_t port);
    bool IsBound(std::uint16_t port) const;
    // A port held by another program.
    void TakePort(std::uint16_t port) { m_taken.push_back(port); }

    std::vector<Sent> sent;
    bool startupSucceeds = true;

private:
    struct Socket {
        std::uint16_t port = 0;
        bool bound = false;
        bool broadcast = false;
        bool failNext = false;
        std::deque<std::vector<std::uint8_t>> queue;
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
