// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The real sockets over loopback: the receive buffer granted is read back, and
// datagrams the kernel drops because it is full are counted, whether the drops
// come before the first read or between reads.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

#include "system/socket_backend.h"

namespace {

class PosixSocketTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        handle = sockets->Open();
        ASSERT_GE(handle, 0);
        ASSERT_TRUE(sockets->Bind(handle, 0, "127.0.0.1"));
        sockaddr_in at{};
        socklen_t length = sizeof at;
        ::getsockname(handle, reinterpret_cast<sockaddr*>(&at), &length);
        port = ntohs(at.sin_port);
        sender = ::socket(AF_INET, SOCK_DGRAM, 0);
    }
    void TearDown() override
    {
        sockets->Close(handle);
        ::close(sender);
    }
    void Send(int count)
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        unsigned char frame[52] = {'Q', 'Z', 'R', '9'};
        for (int i = 0; i < count; ++i)
            ::sendto(sender, frame, sizeof frame, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    int ReadAll()
    {
        int read = 0;
        unsigned char frame[52];
        while (sockets->Receive(handle, frame, sizeof frame) > 0)
            ++read;
        return read;
    }

    std::unique_ptr<SocketBackend> sockets = CreatePosixSocketBackend();
    int handle = -1;
    int sender = -1;
    std::uint16_t port = 0;
};

} // namespace

TEST_F(PosixSocketTest, TheGrantedBufferIsReadBack)
{
    // The kernel doubles what it grants for its own bookkeeping and never
    // goes below its minimum; what matters is that the answer is what it holds.
    const int granted = sockets->SetReceiveBuffer(handle, 64 * 1024);
    EXPECT_GE(granted, 64 * 1024);
    int held = 0;
    socklen_t length = sizeof held;
    ::getsockopt(handle, SOL_SOCKET, SO_RCVBUF, &held, &length);
    EXPECT_EQ(granted, held);
    EXPECT_EQ(sockets->SetReceiveBuffer(-1, 1024), -1);
}

TEST_F(PosixSocketTest, DropsAreCountedBeforeTheFirstReadAndBetweenReads)
{
    sockets->SetReceiveBuffer(handle, 1); // the kernel's minimum: a few datagrams
    EXPECT_EQ(sockets->DroppedDatagrams(handle), 0);
    Send(200);
    const long long droppedFirst = sockets->DroppedDatagrams(handle);
    const int keptFirst = ReadAll();
    EXPECT_GT(droppedFirst, 0);
    EXPECT_EQ(keptFirst + droppedFirst, 200);

    Send(200);
    const int keptThen = ReadAll();
    EXPECT_EQ(keptThen + sockets->DroppedDatagrams(handle), 400 - keptFirst);
    EXPECT_EQ(sockets->DroppedDatagrams(-1), -1);
}
