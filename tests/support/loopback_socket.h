// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A UDP socket bound to 127.0.0.1 on a port of its own choosing, closed when
// it goes; with a receive timeout when asked, so a test that waits for a
// datagram that never comes fails instead of hanging.
#pragma once

#include <arpa/inet.h>
#include <cstdint>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

struct LoopbackSocket {
    explicit LoopbackSocket(int receiveTimeoutSeconds = 0)
    {
        fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
        socklen_t len = sizeof sa;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
        port = ntohs(sa.sin_port);
        if (receiveTimeoutSeconds > 0) {
            timeval timeout{receiveTimeoutSeconds, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        }
    }
    ~LoopbackSocket() { ::close(fd); }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    int fd = -1;
    std::uint16_t port = 0;
};
