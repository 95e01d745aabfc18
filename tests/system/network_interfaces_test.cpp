// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The interfaces a probe may leave by, picked from getifaddrs' list (up, IPv4,
// broadcast-capable, not loopback; one entry per device), the names accepted,
// and over loopback the real sockets' sending by an interface and telling the
// interface a datagram came in on.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <deque>
#include <memory>

#include "system/network_interfaces.h"
#include "system/socket_backend.h"

namespace {

// A getifaddrs list made by hand: the entries keep their addresses alive.
class InterfaceList {
public:
    void Link(const char* name, int index)
    {
        auto& link = m_links.emplace_back();
        link.sll_family = AF_PACKET;
        link.sll_ifindex = index;
        Add(name, IFF_UP | IFF_BROADCAST, reinterpret_cast<sockaddr*>(&link));
    }
    void Inet(const char* name, const char* address, unsigned flags, const char* mask = nullptr)
    {
        auto& inet = m_inets.emplace_back();
        inet.sin_family = AF_INET;
        ::inet_pton(AF_INET, address, &inet.sin_addr);
        Add(name, flags, reinterpret_cast<sockaddr*>(&inet));
        if (mask != nullptr) {
            auto& netmask = m_inets.emplace_back();
            netmask.sin_family = AF_INET;
            ::inet_pton(AF_INET, mask, &netmask.sin_addr);
            m_entries.back().ifa_netmask = reinterpret_cast<sockaddr*>(&netmask);
        }
    }
    void Inet6(const char* name, unsigned flags)
    {
        auto& inet6 = m_inet6s.emplace_back();
        inet6.sin6_family = AF_INET6;
        Add(name, flags, reinterpret_cast<sockaddr*>(&inet6));
    }
    void NoAddress(const char* name, unsigned flags) { Add(name, flags, nullptr); }
    const ifaddrs* First() const { return m_entries.empty() ? nullptr : &m_entries.front(); }

private:
    void Add(const char* name, unsigned flags, sockaddr* address)
    {
        ifaddrs& entry = m_entries.emplace_back();
        entry.ifa_name = const_cast<char*>(name);
        entry.ifa_flags = flags;
        entry.ifa_addr = address;
        if (m_entries.size() > 1)
            m_entries[m_entries.size() - 2].ifa_next = &entry;
    }
    // deques: adding never moves what the list points to
    std::deque<ifaddrs> m_entries;
    std::deque<sockaddr_ll> m_links;
    std::deque<sockaddr_in> m_inets;
    std::deque<sockaddr_in6> m_inet6s;
};

constexpr unsigned kUpBroadcast = IFF_UP | IFF_BROADCAST | IFF_RUNNING | IFF_MULTICAST;

} // namespace

TEST(NetworkInterfaces, OnlyUpIpv4BroadcastInterfacesOtherThanLoopbackAreListedOnceEach)
{
    InterfaceList list;
    list.Link("lo", 1);
    list.Link("eth0", 2);
    list.Link("eth1", 3);
    list.Link("wg0", 4);
    list.Link("usb0", 5);
    list.Link("eth2", 6);
    list.Inet("lo", "127.0.0.1", IFF_UP | IFF_LOOPBACK | IFF_RUNNING);
    // Listed first, yet its index puts it after eth0.
    list.Inet("eth1", "10.88.0.1", kUpBroadcast);
    list.Inet("eth0", "10.77.0.1", kUpBroadcast, "255.255.255.0");
    // A second address of eth0, with and without a label: eth0 is listed once, with its first (and its mask).
    list.Inet("eth0:1", "10.77.0.2", kUpBroadcast, "255.255.0.0");
    list.Inet("eth0", "10.77.0.3", kUpBroadcast);
    list.Inet("wg0", "10.9.0.1", IFF_UP | IFF_POINTOPOINT | IFF_RUNNING); // no broadcast
    list.Inet("usb0", "192.168.7.1", IFF_BROADCAST | IFF_MULTICAST);      // down
    list.Inet6("eth2", kUpBroadcast);                                     // IPv6 only
    list.NoAddress("eth2", kUpBroadcast);
    // A loopback flag wins over a broadcast flag.
    list.Inet("lo", "127.0.0.2", IFF_UP | IFF_LOOPBACK | IFF_BROADCAST);

    const std::vector<NetworkInterface> found = BroadcastInterfacesOf(list.First());
    EXPECT_EQ(found,
              (std::vector<NetworkInterface>{{"eth0", 2, "10.77.0.1", "255.255.255.0"}, {"eth1", 3, "10.88.0.1"}}));
    EXPECT_TRUE(BroadcastInterfacesOf(nullptr).empty());
}

TEST(NetworkInterfaces, AnInterfaceWithoutALinkEntryGetsItsIndexFromTheKernel)
{
    // Loopback always exists; a name the kernel does not know is left out.
    InterfaceList list;
    list.Inet("lo", "127.0.0.1", kUpBroadcast); // as if loopback could broadcast
    list.Inet("nosuch9", "10.1.1.1", kUpBroadcast);
    const std::vector<NetworkInterface> found = BroadcastInterfacesOf(list.First());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "lo");
    EXPECT_EQ(found[0].index, ::if_nametoindex("lo"));
}

TEST(NetworkInterfaces, NamesAreWhatTheKernelAccepts)
{
    for (const char* good : {"eth0", "wlp2s0", "enx00e04c680001", "br-lan", "a&b", "x.y", "caf\xC3\xA9"})
        EXPECT_TRUE(IsInterfaceName(good)) << good;
    for (const char* bad : {"", ".", "..", "enx00e04c6800011", "eth0:1", "a/b", "a b", "a\tb", "a\nb", "\x7F"})
        EXPECT_FALSE(IsInterfaceName(bad)) << bad;
}

namespace {

// Two real sockets on 127.0.0.1; nothing leaves the machine.
class InterfaceSocketsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sender = sockets->Open();
        receiver = sockets->Open();
        ASSERT_GE(sender, 0);
        ASSERT_GE(receiver, 0);
        ASSERT_TRUE(sockets->Bind(sender, 0, "127.0.0.1"));
        ASSERT_TRUE(sockets->Bind(receiver, 0, "127.0.0.1"));
        sockaddr_in at{};
        socklen_t length = sizeof at;
        ::getsockname(receiver, reinterpret_cast<sockaddr*>(&at), &length);
        port = ntohs(at.sin_port);
    }
    void TearDown() override
    {
        sockets->Close(sender);
        sockets->Close(receiver);
    }

    std::unique_ptr<SocketBackend> sockets = CreatePosixSocketBackend();
    int sender = -1;
    int receiver = -1;
    std::uint16_t port = 0;
    const unsigned loopback = ::if_nametoindex("lo");
};

} // namespace

TEST_F(InterfaceSocketsTest, ADatagramSentByAnInterfaceTellsThatInterfaceWhereItArrives)
{
    ASSERT_NE(loopback, 0u);
    const unsigned char frame[52] = {'Q', 'Z', 'R', '9'};
    ASSERT_EQ(sockets->SendToInterface(sender, frame, sizeof frame, "127.0.0.1", port, loopback), 52);
    ASSERT_EQ(sockets->SendTo(sender, frame, sizeof frame, "127.0.0.1", port), 52);
    unsigned char got[52] = {};
    for (int i = 0; i < 2; ++i) {
        unsigned arrivedOn = 12345;
        for (int tries = 0; tries < 100 && sockets->ReceiveWithInterface(receiver, got, sizeof got, arrivedOn) < 0;
             ++tries)
            ::usleep(1000);
        EXPECT_EQ(arrivedOn, loopback) << "datagram " << i;
        EXPECT_EQ(got[3], '9');
    }
    EXPECT_EQ(sockets->InterfaceName(loopback), "lo");
    EXPECT_EQ(sockets->InterfaceName(0), "");
}

TEST_F(InterfaceSocketsTest, AnInterfaceThatIsNotThereSendsNothing)
{
    const unsigned char frame[52] = {'Q', 'Z', 'R', '9'};
    EXPECT_EQ(sockets->SendToInterface(sender, frame, sizeof frame, "127.0.0.1", port, 999999), -1);
    EXPECT_NE(sockets->LastError(), 0);
    unsigned char got[52];
    unsigned arrivedOn = 0;
    EXPECT_EQ(sockets->ReceiveWithInterface(receiver, got, sizeof got, arrivedOn), -1);
}
