#include "cli_listen.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>

#include "system/socket_backend.h"

namespace cli {

namespace {

using Clock = std::chrono::steady_clock;

// Reads every datagram waiting now; returns how many became devices.
int DrainDatagrams(int handle, std::vector<DiscoveredDevice>& devices)
{
    int count = 0;
    while (true) {
        packet::Bytes frame{}; // a short datagram reads with zeros after its end
        const int n = Sockets().Receive(handle, frame.data(), static_cast<int>(frame.size()));
        if (n < 0)
            return count; // nothing more waiting (or an error that waiting cannot mend)
        if (n == 0)
            continue; // an empty datagram is nothing received
        devices.push_back(DeviceFromReply(frame));
        ++count;
    }
}

} // namespace

bool ListenForDevices(DeviceSocket& socket, double windowSeconds, std::vector<DiscoveredDevice>& devices,
                      std::string& error)
{
    if (!socket.Send(packet::BuildProbe(), error))
        return false;
    const auto window = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(windowSeconds));
    auto windowEnd = Clock::now() + window;
    bool seen = false;
    while (true) {
        const auto now = Clock::now();
        if (now >= windowEnd) {
            // Like the listening timer: a window with an answer opens the next one.
            if (!seen)
                return true;
            seen = false;
            windowEnd += window;
            continue;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(windowEnd - now).count();
        pollfd pfd{socket.Handle(), POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(left));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            error = std::string("waiting for answers failed: ") + std::strerror(errno);
            return false;
        }
        if (ready > 0 && DrainDatagrams(socket.Handle(), devices) > 0)
            seen = true;
    }
}

} // namespace cli
