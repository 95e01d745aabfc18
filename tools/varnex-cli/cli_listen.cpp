#include "cli_listen.h"

#include <cerrno>
#include <cstring>
#include <poll.h>

#include "system/socket_backend.h"

namespace cli {

namespace {

ListenClock::duration Seconds(double seconds)
{
    return std::chrono::duration_cast<ListenClock::duration>(std::chrono::duration<double>(seconds));
}

// Reads the datagrams waiting now, at most a batch of them so that a flood
// cannot keep the deadline from being looked at; returns how many there were.
int DrainDatagrams(int handle, std::vector<packet::Bytes>& answers)
{
    constexpr int kBatch = 1024;
    int count = 0;
    for (int tries = 0; tries < kBatch; ++tries) {
        packet::Bytes frame{}; // a short datagram reads with zeros after its end
        const int n = Sockets().Receive(handle, frame.data(), static_cast<int>(frame.size()));
        if (n < 0)
            return count; // nothing more waiting (or an error that waiting cannot mend)
        if (n == 0)
            continue; // an empty datagram is nothing received
        answers.push_back(frame);
        ++count;
    }
    return count;
}

} // namespace

ListenDeadline::ListenDeadline(ListenClock::time_point probeSent, double quietSeconds, double maxSeconds)
    : m_quiet(Seconds(quietSeconds)), m_hardEnd(probeSent + Seconds(maxSeconds)), m_quietEnd(probeSent + m_quiet)
{
}

void ListenDeadline::AnswerAt(ListenClock::time_point when)
{
    if (when + m_quiet > m_quietEnd)
        m_quietEnd = when + m_quiet;
}

ListenClock::time_point ListenDeadline::End() const
{
    return m_quietEnd < m_hardEnd ? m_quietEnd : m_hardEnd;
}

bool ListenForDevices(DeviceSocket& socket, double quietSeconds, double maxSeconds, ListenResult& result,
                      std::string& error)
{
    result.receiveBuffer = socket.ReceiveBuffer();
    if (!socket.Send(packet::BuildProbe(), error))
        return false;
    ListenDeadline deadline(ListenClock::now(), quietSeconds, maxSeconds);
    while (true) {
        const auto now = ListenClock::now();
        if (now >= deadline.End())
            break;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline.End() - now).count();
        pollfd pfd{socket.Handle(), POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(left));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            error = std::string("waiting for answers failed: ") + std::strerror(errno);
            return false;
        }
        if (ready > 0 && DrainDatagrams(socket.Handle(), result.answers) > 0)
            deadline.AnswerAt(ListenClock::now());
    }
    result.cutShort = deadline.CutShort();
    result.dropped = socket.Dropped();
    return true;
}

} // namespace cli
