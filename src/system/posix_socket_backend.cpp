// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <linux/sock_diag.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "system/services.h"
#include "system/socket_backend.h"

namespace {

class PosixSocketBackend : public SocketBackend {
public:
    bool Startup() override
    {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        if (fd < 0) {
            m_error = errno;
            return false;
        }
        ::close(fd);
        return true;
    }

    int Open() override
    {
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) {
            m_error = errno;
            return fd;
        }
        // Every datagram then carries the count of those the kernel dropped
        // before it; without the option the count is read at the end only.
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_RXQ_OVFL, &on, sizeof on);
        // Every datagram tells the interface it came in on.
        ::setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
        m_dropsSeen[fd] = 0;
        return fd;
    }

    bool Bind(int handle, std::uint16_t port, const std::string& address) override
    {
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        sa.sin_addr.s_addr = htonl(INADDR_ANY);
        if (!address.empty() && ::inet_pton(AF_INET, address.c_str(), &sa.sin_addr) != 1) {
            m_error = EINVAL;
            return false;
        }
        if (::bind(handle, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
            m_error = errno;
            return false;
        }
        return true;
    }

    bool SetBroadcast(int handle, bool on) override
    {
        const int value = on ? 1 : 0;
        if (::setsockopt(handle, SOL_SOCKET, SO_BROADCAST, &value, sizeof value) != 0) {
            m_error = errno;
            return false;
        }
        return true;
    }

    int SendTo(int handle, const void* data, int length, const std::string& host, std::uint16_t port) override
    {
        return SendToInterface(handle, data, length, host, port, 0);
    }

    // The interface is named per datagram (IP_PKTINFO's ipi_ifindex): an
    // ordinary process may do that, while binding a socket to a device
    // (SO_BINDTODEVICE) needs CAP_NET_RAW on older kernels, and one socket
    // bound to the port serves every interface.
    int SendToInterface(int handle, const void* data, int length, const std::string& host, std::uint16_t port,
                        unsigned interfaceIndex) override
    {
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        if (::inet_pton(AF_INET, host.c_str(), &sa.sin_addr) != 1) {
            m_error = EINVAL;
            return -1;
        }
        iovec iov{const_cast<void*>(data), static_cast<std::size_t>(length)};
        msghdr message{};
        message.msg_name = &sa;
        message.msg_namelen = sizeof sa;
        message.msg_iov = &iov;
        message.msg_iovlen = 1;
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
        if (interfaceIndex != 0) {
            message.msg_control = control;
            message.msg_controllen = sizeof control;
            cmsghdr* c = CMSG_FIRSTHDR(&message);
            c->cmsg_level = IPPROTO_IP;
            c->cmsg_type = IP_PKTINFO;
            c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
            in_pktinfo info{};
            info.ipi_ifindex = static_cast<int>(interfaceIndex); // the source address is the interface's own
            std::memcpy(CMSG_DATA(c), &info, sizeof info);
        }
        const ssize_t n = ::sendmsg(handle, &message, 0);
        if (n < 0)
            m_error = errno;
        return static_cast<int>(n);
    }

    int Receive(int handle, void* buffer, int length) override
    {
        unsigned interfaceIndex = 0;
        return ReceiveWithInterface(handle, buffer, length, interfaceIndex);
    }

    int ReceiveWithInterface(int handle, void* buffer, int length, unsigned& interfaceIndex) override
    {
        interfaceIndex = 0;
        iovec iov{buffer, static_cast<std::size_t>(length)};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(std::uint32_t)) + CMSG_SPACE(sizeof(in_pktinfo))];
        msghdr message{};
        message.msg_iov = &iov;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t n = ::recvmsg(handle, &message, 0);
        if (n < 0) {
            m_error = errno;
            return -1;
        }
        for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SO_RXQ_OVFL) {
                std::uint32_t drops = 0;
                std::memcpy(&drops, CMSG_DATA(c), sizeof drops);
                auto& seen = m_dropsSeen[handle];
                seen = std::max<long long>(seen, drops);
            } else if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
                in_pktinfo info{};
                std::memcpy(&info, CMSG_DATA(c), sizeof info);
                interfaceIndex = info.ipi_ifindex > 0 ? static_cast<unsigned>(info.ipi_ifindex) : 0;
            }
        }
        return static_cast<int>(n);
    }

    std::vector<NetworkInterface> BroadcastInterfaces() override { return ReadBroadcastInterfaces(); }

    std::string InterfaceName(unsigned interfaceIndex) override
    {
        char name[IF_NAMESIZE] = {};
        if (interfaceIndex == 0 || ::if_indextoname(interfaceIndex, name) == nullptr)
            return {};
        return name;
    }

    std::optional<GatewayAddress> DefaultGateway(unsigned interfaceIndex) override
    {
        const std::string name = InterfaceName(interfaceIndex);
        return name.empty() ? std::nullopt : ReadDefaultGateway(name);
    }

    int SetReceiveBuffer(int handle, int bytes) override
    {
        if (::setsockopt(handle, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) != 0) {
            m_error = errno;
            return -1;
        }
        int granted = 0;
        socklen_t length = sizeof granted;
        if (::getsockopt(handle, SOL_SOCKET, SO_RCVBUF, &granted, &length) != 0) {
            m_error = errno;
            return -1;
        }
        return granted;
    }

    long long DroppedDatagrams(int handle) override
    {
        // The datagrams' own count misses drops after the last datagram read,
        // and all of them when the buffer filled before the first read; the
        // socket's memory statistics hold the same counter at any moment.
        long long drops = -1;
        if (const auto it = m_dropsSeen.find(handle); it != m_dropsSeen.end())
            drops = it->second;
        std::uint32_t meminfo[SK_MEMINFO_VARS] = {};
        socklen_t length = sizeof meminfo;
        if (::getsockopt(handle, SOL_SOCKET, SO_MEMINFO, meminfo, &length) == 0 &&
            length > SK_MEMINFO_DROPS * sizeof(std::uint32_t))
            drops = std::max<long long>(drops, meminfo[SK_MEMINFO_DROPS]);
        return drops;
    }

    void Close(int handle) override
    {
        m_dropsSeen.erase(handle);
        if (Platform().loop)
            Platform().loop->Unwatch(handle);
        ::close(handle);
    }

    void NotifyReadable(int handle, std::function<void()> onReadable) override
    {
        if (Platform().loop == nullptr)
            return;
        if (onReadable)
            Platform().loop->WatchReadable(handle, std::move(onReadable));
        else
            Platform().loop->Unwatch(handle);
    }

    int LastError() const override { return m_error; }

private:
    int m_error = 0;
    // Per socket: the highest drop count a datagram has carried.
    std::unordered_map<int, long long> m_dropsSeen;
};

SocketBackend* g_installed = nullptr;

} // namespace

std::unique_ptr<SocketBackend> CreatePosixSocketBackend()
{
    return std::make_unique<PosixSocketBackend>();
}

SocketBackend& Sockets()
{
    if (g_installed)
        return *g_installed;
    static std::unique_ptr<SocketBackend> real = CreatePosixSocketBackend();
    return *real;
}

void InstallSocketBackend(SocketBackend* backend)
{
    g_installed = backend;
}
