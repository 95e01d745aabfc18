// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The discovery session the window and varnex-cli share: its listening
// windows, which answers count, the limit on entries, and a new cycle.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "discovery/discovery_session.h"

namespace {

using namespace std::chrono_literals;
using Clock = DiscoverySession::Clock;
const Clock::time_point t0{};

packet::Bytes Answer(std::uint8_t lastIp, std::uint8_t lastMac)
{
    packet::Bytes f{};
    f[packet::kIpAt] = 10;
    f[packet::kIpAt + 3] = lastIp;
    f[packet::kMacAt + 5] = lastMac;
    f[packet::kModelAt] = device::kModelV;
    return f;
}

// An answer at a time, or the end of a window with what EndOfWindow says.
struct Step {
    bool answer;
    Clock::duration at;
    bool anotherWindow = false;
};

struct WindowCase {
    const char* name;
    Clock::duration length;
    std::vector<Step> steps;
};

TEST(DiscoverySession, AWindowWithAnAnswerOpensAnotherAQuietOneEndsListening)
{
    const WindowCase cases[] = {
        {"no answer at all", 5s, {{false, 5s, false}}},
        {"answers in the first window", 5s, {{true, 1s}, {true, 3s}, {false, 5s, true}, {false, 10s, false}}},
        {"answers in two windows",
         5s,
         {{true, 4s}, {false, 5s, true}, {true, 9s}, {false, 10s, true}, {false, 15s, false}}},
        {"a window of the caller's length", 500ms, {{true, 400ms}, {false, 500ms, true}, {false, 1s, false}}},
    };
    for (const WindowCase& c : cases) {
        device::DeviceTable table;
        DiscoverySession session(table);
        session.SetWindowLength(c.length);
        session.Begin(InterfaceRoute{}, t0);
        ASSERT_TRUE(session.Listening()) << c.name;
        EXPECT_EQ(session.WindowEndsAt(), t0 + c.length) << c.name;
        for (const Step& step : c.steps) {
            if (step.answer) {
                session.Receive(Answer(1, 1), 0, t0 + step.at);
                continue;
            }
            EXPECT_EQ(session.EndOfWindow(t0 + step.at), step.anotherWindow) << c.name << " at " << step.at.count();
            EXPECT_EQ(session.Listening(), step.anotherWindow) << c.name;
            if (step.anotherWindow) {
                EXPECT_EQ(session.WindowEndsAt(), t0 + step.at + c.length) << c.name;
            }
        }
    }
}

TEST(DiscoverySession, OnlyAnswersFromTheChosenInterfaceCount)
{
    struct {
        unsigned onlyFrom, arrivedOn;
        bool counts;
    } const cases[] = {{0, 7, true}, {3, 3, true}, {3, 4, false}, {3, 0, true}};
    for (const auto& c : cases) {
        device::DeviceTable table;
        DiscoverySession session(table);
        InterfaceRoute route;
        route.onlyFrom = c.onlyFrom;
        session.Begin(route, t0);
        EXPECT_EQ(session.Receive(Answer(1, 1), c.arrivedOn, t0).has_value(), c.counts) << c.onlyFrom << c.arrivedOn;
        EXPECT_EQ(table.Size(), c.counts ? 1u : 0u);
        EXPECT_EQ(session.AnswerCount(), c.counts ? 1 : 0);
        // An answer that does not count keeps no window open.
        EXPECT_EQ(session.EndOfWindow(t0 + 5s), c.counts);
    }
}

TEST(DiscoverySession, AnswersPastTheLimitAreCountedNotKeptAndStillKeepListening)
{
    device::DeviceTable table;
    DiscoverySession session(table);
    session.LimitEntries(2);
    session.Begin(InterfaceRoute{}, t0);
    EXPECT_EQ(session.Receive(Answer(5, 1), 2, t0)->seen, device::DeviceTable::Seen::kAlone);
    EXPECT_EQ(session.Receive(Answer(5, 2), 2, t0)->seen, device::DeviceTable::Seen::kNewlyShared);
    EXPECT_TRUE(session.EndOfWindow(t0 + 5s));
    for (std::uint8_t mac = 3; mac < 6; ++mac)
        EXPECT_FALSE(session.Receive(Answer(5, mac), 2, t0 + 6s).has_value());
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_EQ(session.AnswerCount(), 5);
    EXPECT_EQ(session.Unkept(), 3);
    // Answers only counted still keep listening on, as kept ones do.
    EXPECT_TRUE(session.EndOfWindow(t0 + 11s));
}

TEST(DiscoverySession, BeginClearsTheTableAndCountsAndListensAgainUnlessTheInterfaceIsMissing)
{
    device::DeviceTable table;
    DiscoverySession session(table);
    session.LimitEntries(1);
    session.Begin(InterfaceRoute{}, t0);
    session.Receive(Answer(1, 1), 0, t0);
    session.Receive(Answer(2, 2), 0, t0);
    session.Stop();
    EXPECT_FALSE(session.EndOfWindow(t0 + 5s));

    session.Begin(InterfaceRoute{}, t0 + 20s);
    EXPECT_TRUE(table.Empty());
    EXPECT_EQ(session.AnswerCount(), 0);
    EXPECT_EQ(session.Unkept(), 0);
    EXPECT_TRUE(session.Listening());
    EXPECT_EQ(session.WindowEndsAt(), t0 + 25s);
    // An answer seen in the window the new cycle cut short keeps its first
    // window open, as the window's Refresh always has; the next one is quiet.
    EXPECT_TRUE(session.EndOfWindow(t0 + 25s));
    EXPECT_FALSE(session.EndOfWindow(t0 + 30s));

    InterfaceRoute missing;
    missing.missing = true;
    session.Begin(missing, t0 + 30s);
    EXPECT_FALSE(session.Listening());
}

} // namespace

namespace {

TEST(DiscoverySession, AWatchingCycleKeepsTheTableAndTheLimitHoldsOnlyNewDevices)
{
    device::DeviceTable table;
    device::DeviceRoster roster(table);
    DiscoverySession session(table);
    session.LimitEntries(2);
    session.BeginWatching(InterfaceRoute{}, t0, roster);
    EXPECT_TRUE(session.Watching());
    EXPECT_EQ(session.Receive(Answer(1, 1), 2, t0)->kind, device::DeviceChange::kAppeared);
    EXPECT_EQ(session.Receive(Answer(2, 2), 2, t0)->kind, device::DeviceChange::kAppeared);
    EXPECT_FALSE(session.Receive(Answer(3, 3), 2, t0).has_value()) << "a third device is past the limit";
    EXPECT_TRUE(session.Finish(t0 + 5s).gone.empty());
    EXPECT_FALSE(session.Listening());

    // The next cycle keeps both entries; a known device that moved is brought
    // up to date even at the limit, and one that stays silent twice is gone.
    session.BeginWatching(InterfaceRoute{}, t0 + 15s, roster);
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_EQ(session.AnswerCount(), 0);
    const auto moved = session.Receive(Answer(9, 1), 2, t0 + 16s);
    ASSERT_TRUE(moved.has_value());
    EXPECT_EQ(moved->kind, device::DeviceChange::kChanged);
    EXPECT_EQ(table[moved->id].ip[3], 9);
    EXPECT_TRUE(session.Finish(t0 + 20s).gone.empty());
    session.BeginWatching(InterfaceRoute{}, t0 + 30s, roster);
    session.Receive(Answer(9, 1), 2, t0 + 31s);
    const device::ProbeEnd end = session.Finish(t0 + 35s);
    ASSERT_EQ(end.gone.size(), 1u);
    EXPECT_EQ(table[end.gone[0].id].mac[5], 2);
    EXPECT_EQ(roster.AnsweredLastProbe(), 1u);

    // A Refresh empties the table again and adds every answer.
    session.Begin(InterfaceRoute{}, t0 + 40s);
    EXPECT_FALSE(session.Watching());
    EXPECT_TRUE(table.Empty());
    session.Receive(Answer(9, 1), 2, t0 + 41s);
    session.Receive(Answer(9, 1), 2, t0 + 41s);
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_TRUE(session.Finish(t0 + 45s).gone.empty());
}

} // namespace
