// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Datagram sockets of the operating system, behind an interface so that tests
// can stand in for the network.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "system/default_gateway.h"
#include "system/network_interfaces.h"

class SocketBackend {
public:
    virtual ~SocketBackend() = default;
    // Whether the socket layer can be used at all.
    virtual bool Startup() = 0;
    // A new datagram socket; a handle >= 0, or -1.
    virtual int Open() = 0;
    // Binds to the port on every interface (address empty) or on one address.
    virtual bool Bind(int handle, std::uint16_t port, const std::string& address) = 0;
    virtual bool SetBroadcast(int handle, bool on) = 0;
    // Sends one datagram; returns the bytes sent or -1.
    virtual int SendTo(int handle, const void* data, int length, const std::string& host, std::uint16_t port) = 0;
    // Sends one datagram that leaves by the interface with this index, whatever
    // the routes say (the way to send a limited broadcast on each interface);
    // index 0 sends as SendTo does. A backend that knows no interfaces sends
    // every datagram as SendTo does.
    virtual int SendToInterface(int handle, const void* data, int length, const std::string& host, std::uint16_t port,
                                unsigned interfaceIndex)
    {
        (void)interfaceIndex;
        return SendTo(handle, data, length, host, port);
    }
    // Reads one waiting datagram, at most length bytes (the rest of a longer one is
    // dropped); returns the bytes read, 0, or -1 on an error.
    virtual int Receive(int handle, void* buffer, int length) = 0;
    // The same, and the index of the interface the datagram came in on (0 when
    // the backend cannot tell).
    virtual int ReceiveWithInterface(int handle, void* buffer, int length, unsigned& interfaceIndex)
    {
        interfaceIndex = 0;
        return Receive(handle, buffer, length);
    }
    // The interfaces a limited broadcast can leave by, now (see
    // network_interfaces.h); none for a backend that knows no interfaces.
    virtual std::vector<NetworkInterface> BroadcastInterfaces() { return {}; }
    // The name of the interface with this index, or empty.
    virtual std::string InterfaceName(unsigned interfaceIndex)
    {
        (void)interfaceIndex;
        return {};
    }
    // The gateway of the default route that leaves by the interface, or nothing.
    virtual std::optional<GatewayAddress> DefaultGateway(unsigned interfaceIndex)
    {
        (void)interfaceIndex;
        return std::nullopt;
    }
    // Asks for a receive buffer of bytes (the kernel caps it at its limit for an
    // ordinary process) and returns the size granted, as read back; -1 on failure.
    virtual int SetReceiveBuffer(int handle, int bytes)
    {
        (void)handle;
        (void)bytes;
        return -1;
    }
    // The datagrams the kernel dropped for this socket since it was opened
    // because its receive buffer was full; -1 when the backend cannot tell.
    virtual long long DroppedDatagrams(int handle)
    {
        (void)handle;
        return -1;
    }
    virtual void Close(int handle) = 0;
    // Calls onReadable from the event loop while a datagram waits; an empty
    // function stops the notifications.
    virtual void NotifyReadable(int handle, std::function<void()> onReadable) = 0;
    // The error of the last failed call (an errno value).
    virtual int LastError() const = 0;
};

// The real sockets; notifications come through the platform's event loop.
std::unique_ptr<SocketBackend> CreatePosixSocketBackend();

// The backend in use: the one installed, else the real one.
SocketBackend& Sockets();
void InstallSocketBackend(SocketBackend* backend);
