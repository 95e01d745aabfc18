#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

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
        if (fd < 0)
            m_error = errno;
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
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        if (::inet_pton(AF_INET, host.c_str(), &sa.sin_addr) != 1) {
            m_error = EINVAL;
            return -1;
        }
        const ssize_t n =
            ::sendto(handle, data, static_cast<std::size_t>(length), 0, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
        if (n < 0)
            m_error = errno;
        return static_cast<int>(n);
    }

    int Receive(int handle, void* buffer, int length) override
    {
        const ssize_t n = ::recv(handle, buffer, static_cast<std::size_t>(length), 0);
        if (n < 0)
            m_error = errno;
        return static_cast<int>(n);
    }

    void Close(int handle) override
    {
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
