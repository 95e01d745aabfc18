// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "sim_udp_loop.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>

#include "sim_responder.h"

namespace sim {

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void OnStopSignal(int)
{
    g_stopRequested = 1;
}

class Socket {
public:
    explicit Socket(int fd) : m_fd(fd) {}
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int fd() const { return m_fd; }

private:
    int m_fd;
};

std::optional<int> OpenSocket(std::uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        std::fprintf(stderr, "varnex-sim: cannot create a UDP socket: %s\n", std::strerror(errno));
        return std::nullopt;
    }
    const int on = 1;
    // Room to send thousands of replies in one burst, and to hear a flood of
    // probes and commands; the kernel may grant less, and replies that find no
    // room wait in the queue until there is.
    const int buffer = 4 * 1024 * 1024;
    ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    // IP_PKTINFO tells the log which address a datagram was sent to (a broadcast or ours).
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
        ::setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) != 0) {
        std::fprintf(stderr, "varnex-sim: cannot set socket options: %s\n", std::strerror(errno));
        ::close(fd);
        return std::nullopt;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        std::fprintf(stderr, "varnex-sim: cannot bind UDP port %u: %s\n", port, std::strerror(errno));
        ::close(fd);
        return std::nullopt;
    }
    return fd;
}

std::string AddressText(const in_addr& addr)
{
    char buf[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &addr, buf, sizeof buf);
    return buf;
}

// The address the datagram was sent to, from IP_PKTINFO.
std::string DestinationText(msghdr& message)
{
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            in_pktinfo pktinfo;
            std::memcpy(&pktinfo, CMSG_DATA(c), sizeof pktinfo);
            return AddressText(pktinfo.ipi_addr);
        }
    }
    return std::string(1, '?');
}

// Replies wait here for their send time, so that --reply-delay spaces them
// without stopping the loop from reading.
class ReplyQueue {
public:
    ReplyQueue(int fd, const sockaddr_in& destination, Clock::duration spacing)
        : m_fd(fd), m_destination(destination), m_spacing(spacing)
    {
    }

    void Add(const std::vector<packet::Bytes>& replies, Clock::time_point now)
    {
        for (const packet::Bytes& reply : replies) {
            const Clock::time_point due = m_anyScheduled ? std::max(now, m_lastDue + m_spacing) : now;
            m_pending.push_back({due, reply});
            m_lastDue = due;
            m_anyScheduled = true;
        }
    }

    // Sends every reply that is due; stops early, keeping the rest, when the
    // socket's send buffer is full (then Blocked() until it drains).
    void SendDue(Clock::time_point now)
    {
        m_blocked = false;
        while (!m_pending.empty() && m_pending.front().due <= now) {
            if (!Send(m_pending.front().bytes)) {
                m_blocked = true;
                return;
            }
            m_pending.pop_front();
        }
    }

    // Whether due replies wait for room in the send buffer.
    bool Blocked() const { return m_blocked; }

    std::optional<Clock::time_point> NextDue() const
    {
        if (m_pending.empty())
            return std::nullopt;
        return m_pending.front().due;
    }

private:
    struct Pending {
        Clock::time_point due;
        packet::Bytes bytes;
    };

    // False when the datagram must wait for room; a reply that cannot be
    // sent for another reason is given up (and said once per kind of failure).
    bool Send(const packet::Bytes& bytes)
    {
        const ssize_t sent = ::sendto(m_fd, bytes.data(), bytes.size(), 0,
                                      reinterpret_cast<const sockaddr*>(&m_destination), sizeof m_destination);
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOBUFS || errno == EINTR))
            return false;
        if (sent < 0 && errno != m_lastErrno) {
            // Said once per kind of failure: a missing route would otherwise fill the terminal.
            m_lastErrno = errno;
            std::fprintf(stderr, "varnex-sim: sending a reply to %s:%u failed: %s\n",
                         AddressText(m_destination.sin_addr).c_str(), ntohs(m_destination.sin_port),
                         std::strerror(errno));
        } else if (sent >= 0) {
            m_lastErrno = 0;
        }
        return true;
    }

    int m_fd;
    sockaddr_in m_destination;
    Clock::duration m_spacing;
    std::deque<Pending> m_pending;
    Clock::time_point m_lastDue{};
    bool m_anyScheduled = false;
    bool m_blocked = false;
    int m_lastErrno = 0;
};

// Reads every datagram waiting on the socket; returns false on a socket failure.
bool ReadDatagrams(int fd, std::uint16_t port, std::vector<Device>& devices, const Options& options,
                   ReplyQueue& replies, DatagramLog& log)
{
    static std::uint8_t buffer[65536];
    while (true) {
        sockaddr_in source{};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
        iovec iov{buffer, sizeof buffer};
        msghdr message{};
        message.msg_name = &source;
        message.msg_namelen = sizeof source;
        message.msg_iov = &iov;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t n = ::recvmsg(fd, &message, 0);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                return true;
            std::fprintf(stderr, "varnex-sim: receive failed: %s\n", std::strerror(errno));
            return false;
        }

        DatagramInfo info;
        info.srcIp = AddressText(source.sin_addr);
        info.srcPort = ntohs(source.sin_port);
        info.dstIp = DestinationText(message);
        info.dstPort = port;
        info.bytes = std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n));

        const Clock::time_point now = Clock::now();
        Reaction reaction = HandleDatagram(devices, info.bytes, now, options.resetSilence);
        log.Write(FormatLogLine(info, reaction.verdict, options.logPasswords));
        replies.Add(reaction.replies, now);
    }
}

timespec ToTimespec(Clock::duration d)
{
    if (d < Clock::duration::zero())
        d = Clock::duration::zero();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

} // namespace

int RunSimulator(const Options& options, std::vector<Device>& devices, DatagramLog& log)
{
    // The stop signals are blocked except inside ppoll, so none is lost between checks.
    sigset_t stopSignals;
    sigset_t waitMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    const std::optional<int> fd = OpenSocket(options.port);
    if (!fd)
        return 1;
    Socket socket(*fd);

    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_port = htons(options.replyPort);
    std::memcpy(&destination.sin_addr, options.broadcast.data(), 4);
    ReplyQueue replies(socket.fd(), destination, options.replyDelay);

    const bool unasked = options.answerEvery > Clock::duration::zero();
    Clock::time_point nextUnasked = Clock::now() + options.answerEvery;

    while (!g_stopRequested) {
        Clock::time_point now = Clock::now();
        if (unasked && now >= nextUnasked) {
            replies.Add(AnswerAll(devices, now), now);
            nextUnasked = std::max(nextUnasked + options.answerEvery, now);
        }
        replies.SendDue(now);

        std::optional<Clock::time_point> wake = replies.NextDue();
        if (unasked)
            wake = wake ? std::min(*wake, nextUnasked) : nextUnasked;
        timespec timeout{};
        if (wake)
            timeout = ToTimespec(*wake - now);

        // A full send buffer: wait for room rather than for the next due time.
        const bool blocked = replies.Blocked();
        pollfd pfd{socket.fd(), static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0};
        const int ready = ::ppoll(&pfd, 1, wake && !blocked ? &timeout : nullptr, &waitMask);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "varnex-sim: poll failed: %s\n", std::strerror(errno));
            return 1;
        }
        if (ready > 0 && (pfd.revents & POLLIN) &&
            !ReadDatagrams(socket.fd(), options.port, devices, options, replies, log))
            return 1;
    }
    return 0;
}

} // namespace sim
