// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Which interfaces a probe goes out on, which answers count, and the record
// pool that keeps each row's interface beside its text record. (The discovery
// socket's filter is tested through the view, in network_interface_test.)
#include <gtest/gtest.h>

#include <cstring>

#include "discovery/interface_route.h"
#include "support/fake_event_loop.h"
#include "support/fake_network.h"
#include "system/async_socket.h"

namespace {

const std::vector<NetworkInterface> kTwo = {{"eth0", 2, "10.77.0.1"}, {"eth1", 3, "10.88.0.1"}};

} // namespace

TEST(InterfaceRoute, EveryInterfaceOrTheOneChosenOrNothingWhenItIsGone)
{
    const InterfaceRoute all = RouteFor("", kTwo);
    EXPECT_EQ(all.interfaces, kTwo);
    EXPECT_FALSE(all.missing);
    EXPECT_EQ(all.onlyFrom, 0u);

    const InterfaceRoute one = RouteFor("eth1", kTwo);
    EXPECT_EQ(one.interfaces, std::vector<NetworkInterface>{kTwo[1]});
    EXPECT_EQ(one.onlyFrom, 3u);
    EXPECT_FALSE(one.missing);

    const InterfaceRoute gone = RouteFor("usb0", kTwo);
    EXPECT_TRUE(gone.missing);
    EXPECT_TRUE(gone.interfaces.empty());

    // A machine whose interfaces cannot be read sends once, as ever; a
    // directed broadcast names its network, so the routes choose.
    EXPECT_TRUE(RouteFor("", {}).interfaces.empty());
    EXPECT_FALSE(RouteFor("", {}).missing);
    EXPECT_TRUE(RouteFor("", kTwo, false).interfaces.empty());
    EXPECT_EQ(RouteFor("eth0", kTwo, false).interfaces, std::vector<NetworkInterface>{kTwo[0]});
}

TEST(InterfaceRoute, OnlyAnswersFromTheChosenInterfaceCount)
{
    EXPECT_TRUE(AnswerCounts(0, 2));
    EXPECT_TRUE(AnswerCounts(0, 0));
    EXPECT_TRUE(AnswerCounts(3, 3));
    EXPECT_FALSE(AnswerCounts(3, 2));
    EXPECT_TRUE(AnswerCounts(3, 0)); // a backend that cannot tell loses nothing
    EXPECT_EQ(InterfaceLabel(kTwo[1]), "eth1 (10.88.0.1)");
}

namespace {

class SendOnRouteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        network.net.interfaces = kTwo;
        ASSERT_TRUE(socket.Create(4000));
        const int on = 1;
        socket.SetSockOpt(SO_BROADCAST_OPTION, &on, sizeof on);
    }
    std::vector<unsigned> SentBy() const
    {
        std::vector<unsigned> by;
        for (const auto& s : network.net.sent) {
            EXPECT_EQ(s.host, "255.255.255.255");
            EXPECT_EQ(s.port, 36);
            EXPECT_EQ(s.fromPort, 4000);
            by.push_back(s.interfaceIndex);
        }
        return by;
    }

    ScopedFakeLoop loop;
    ScopedFakeNetwork network{loop.loop};
    CAsyncSocket socket;
    const unsigned char frame[52] = {'Q', 'Z', 'R', '9'};
};

} // namespace

TEST_F(SendOnRouteTest, OnceOnEachInterfaceOrOnTheChosenOneOrNowhereWhenItIsGone)
{
    EXPECT_EQ(SendOnRoute(socket, RouteFor("", kTwo), frame, 52, 36, nullptr), 2);
    EXPECT_EQ(SendOnRoute(socket, RouteFor("eth1", kTwo), frame, 52, 36, nullptr), 1);
    EXPECT_EQ(SendOnRoute(socket, RouteFor("usb0", kTwo), frame, 52, 36, nullptr), 0);
    // Without interfaces: once, where the routes send it.
    EXPECT_EQ(SendOnRoute(socket, RouteFor("", {}), frame, 52, 36, nullptr), 1);
    EXPECT_EQ(SentBy(), (std::vector<unsigned>{2, 3, 3, 0}));
}

TEST_F(SendOnRouteTest, AnInterfaceThatWentAwayDoesNotStopTheOthers)
{
    InterfaceRoute route = RouteFor("", kTwo);
    route.interfaces.insert(route.interfaces.begin(), NetworkInterface{"usb0", 9, "10.99.0.1"});
    EXPECT_EQ(SendOnRoute(socket, route, frame, 52, 36, nullptr), 2);
    EXPECT_EQ(SentBy(), (std::vector<unsigned>{2, 3}));
}
