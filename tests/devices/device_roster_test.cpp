// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Watching devices come and go on a virtual clock: appeared, changed, gone
// after exactly two silent probes, returned, forgotten after an hour; the
// shared-address index through moves and removals; and memory that stays
// bounded through an hour of thousands of devices coming and going.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <vector>

#include "devices/device_roster.h"

namespace {

using namespace std::chrono_literals;
using device::DeviceChange;
using device::DeviceRoster;
using device::DeviceTable;
using device::Field;
using Clock = device::Clock;
using Seen = DeviceTable::Seen;

const Clock::time_point t0 = Clock::time_point{} + 100h;
constexpr Clock::duration kInterval = 15s;

device::Device Answer(std::uint32_t n, std::uint8_t ipLast, unsigned interfaceIndex = 2)
{
    device::Device d;
    d.name = "Cam";
    d.ip = {10, 0, 0, ipLast};
    d.mask = {255, 255, 255, 0};
    d.mac = {0x00,
             0x1A,
             static_cast<std::uint8_t>(n >> 24),
             static_cast<std::uint8_t>(n >> 16),
             static_cast<std::uint8_t>(n >> 8),
             static_cast<std::uint8_t>(n)};
    d.model = device::kModelV;
    d.interfaceIndex = interfaceIndex;
    return d;
}

// A roster over its own table, probed on a virtual clock every kInterval.
struct Watch {
    DeviceTable table;
    DeviceRoster roster{table};
    Clock::time_point now = t0;
    int probe = 0;

    Clock::time_point Begin()
    {
        now = t0 + probe * kInterval;
        roster.BeginProbe(now);
        return now;
    }
    device::DeviceEvent See(const device::Device& d) { return roster.Saw(d, now + 1s); }
    device::ProbeEnd End()
    {
        ++probe;
        return roster.EndProbe(now + 5s);
    }
    // A probe that the given devices answer.
    device::ProbeEnd Probe(const std::vector<device::Device>& answering)
    {
        Begin();
        for (const device::Device& d : answering)
            See(d);
        return End();
    }
};

TEST(DeviceRoster, ADeviceAppearsChangesGoesAfterTwoSilentProbesAndReturns)
{
    Watch w;
    w.Begin();
    const device::DeviceEvent appeared = w.See(Answer(1, 20));
    EXPECT_EQ(appeared.kind, DeviceChange::kAppeared);
    EXPECT_EQ(w.See(Answer(1, 20)).kind, DeviceChange::kNone) << "a second answer to one probe";
    EXPECT_TRUE(w.End().gone.empty());
    const device::DeviceId id = appeared.id;
    EXPECT_EQ(w.table[id].firstSeen, t0 + 1s);

    // A new address and version: changed in place, the fields it had kept in the event.
    w.Begin();
    device::Device moved = Answer(1, 50);
    moved.versionMajor = 2;
    const device::DeviceEvent changed = w.See(moved);
    EXPECT_EQ(changed.kind, DeviceChange::kChanged);
    EXPECT_EQ(changed.id, id);
    EXPECT_TRUE(changed.changed.Has(Field::kIp) && changed.changed.Has(Field::kVersion));
    EXPECT_FALSE(changed.changed.Has(Field::kName) || changed.changed.Has(Field::kMask));
    EXPECT_EQ(device::FieldText(changed.before, Field::kIp), "10.0.0.20");
    EXPECT_EQ(device::FieldText(w.table[id], Field::kIp), "10.0.0.50");
    EXPECT_EQ(w.table[id].firstSeen, t0 + 1s);
    EXPECT_EQ(w.table[id].lastSeen, w.now + 1s);
    w.End();

    // One silent probe is not enough; the second one is.
    EXPECT_TRUE(w.Probe({}).gone.empty());
    EXPECT_EQ(w.roster.Missed(id), 1);
    EXPECT_FALSE(w.roster.IsGone(id));
    const device::ProbeEnd second = w.Probe({});
    ASSERT_EQ(second.gone.size(), 1u);
    EXPECT_EQ(second.gone[0].kind, DeviceChange::kGone);
    EXPECT_EQ(second.gone[0].id, id);
    EXPECT_TRUE(w.roster.IsGone(id));
    EXPECT_EQ(w.roster.GoneCount(), 1u);
    EXPECT_TRUE(w.Probe({}).gone.empty()) << "gone is said once";
    EXPECT_NE(w.table.Find(id), nullptr) << "a gone device keeps its entry";

    // Back with the fields it left with: returned, nothing changed; back with another name: changed too.
    w.Begin();
    const device::DeviceEvent back = w.See(moved);
    EXPECT_EQ(back.kind, DeviceChange::kReturned);
    EXPECT_TRUE(back.changed.Empty());
    EXPECT_FALSE(w.roster.IsGone(id));
    EXPECT_EQ(w.roster.GoneCount(), 0u);
    w.End();
    w.Probe({});
    w.Probe({});
    w.Begin();
    device::Device renamed = moved;
    renamed.name = "Lobby";
    const device::DeviceEvent backRenamed = w.See(renamed);
    EXPECT_EQ(backRenamed.kind, DeviceChange::kReturned);
    EXPECT_TRUE(backRenamed.changed.Has(Field::kName));
    EXPECT_EQ(backRenamed.before.name, "Cam");
    EXPECT_EQ(w.table.Size(), 1u);
}

TEST(DeviceRoster, AnAnswerBetweenSilentProbesStartsTheCountAgain)
{
    Watch w;
    const device::Device d = Answer(1, 20);
    w.Probe({d});
    for (int round = 0; round < 5; ++round) {
        EXPECT_TRUE(w.Probe({}).gone.empty());
        EXPECT_TRUE(w.Probe({d}).gone.empty());
    }
    // An answer between two probes counts for the next one.
    w.Probe({});
    w.roster.Saw(d, w.now + 10s);
    EXPECT_TRUE(w.Probe({}).gone.empty());
    EXPECT_FALSE(w.roster.IsGone(*w.roster.Find(d.mac, d.interfaceIndex)));
}

TEST(DeviceRoster, AGoneDeviceIsForgottenAnHourAfterItLastAnswered)
{
    Watch w;
    const device::Device stays = Answer(1, 20);
    const device::Device leaves = Answer(2, 21);
    w.Probe({stays, leaves});
    const device::DeviceId id = *w.roster.Find(leaves.mac, leaves.interfaceIndex);
    const Clock::time_point lastAnswer = w.table[id].lastSeen;
    const std::uint64_t stamp = w.table.StampOf(id);
    std::vector<device::DeviceId> forgotten;
    Clock::time_point forgottenAt{};
    while (forgotten.empty() && w.probe < 1000) {
        forgotten = w.Probe({stays}).forgotten;
        forgottenAt = w.now + 5s;
    }
    ASSERT_EQ(forgotten, std::vector<device::DeviceId>{id});
    EXPECT_GE(forgottenAt - lastAnswer, DeviceRoster::kForgetAfter);
    EXPECT_LT(forgottenAt - lastAnswer, DeviceRoster::kForgetAfter + kInterval);
    EXPECT_FALSE(w.table.Contains(id));
    EXPECT_EQ(w.roster.Find(leaves.mac, leaves.interfaceIndex), std::nullopt);
    EXPECT_EQ(w.roster.GoneCount(), 0u);
    EXPECT_EQ(w.roster.Size(), 1u);
    EXPECT_TRUE(w.Probe({stays}).forgotten.empty());

    // When it answers again it is a new device, in a new entry (which may take the old id).
    w.Begin();
    const device::DeviceEvent again = w.See(leaves);
    EXPECT_EQ(again.kind, DeviceChange::kAppeared);
    EXPECT_NE(w.table.StampOf(again.id), stamp);
    EXPECT_FALSE(w.roster.IsGone(again.id));
    EXPECT_EQ(w.roster.Missed(again.id), 0);
}

TEST(DeviceRoster, CountsTheDevicesThatAnsweredAndTellsInterfacesApart)
{
    Watch w;
    w.Begin();
    w.See(Answer(1, 20, 2));
    w.See(Answer(1, 20, 3)); // the same MAC on another interface: another device
    w.See(Answer(2, 21));
    w.See(Answer(2, 21));
    EXPECT_EQ(w.roster.AnsweredThisProbe(), 3u);
    EXPECT_EQ(w.roster.AnsweredLastProbe(), 0u);
    w.End();
    EXPECT_EQ(w.roster.AnsweredLastProbe(), 3u);
    EXPECT_EQ(w.roster.AnsweredThisProbe(), 0u);
    w.Probe({Answer(1, 20, 3)});
    EXPECT_EQ(w.roster.AnsweredLastProbe(), 1u);
    EXPECT_EQ(w.roster.Size(), 3u);
    w.Probe({Answer(1, 20, 3)});
    EXPECT_EQ(w.roster.GoneCount(), 2u);
    EXPECT_EQ(w.roster.AnsweredLastProbe(), 1u);
}

TEST(DeviceRoster, SharedAddressesFollowMovesAndForgottenDevices)
{
    Watch w;
    w.Begin();
    EXPECT_EQ(w.See(Answer(1, 20)).seen, Seen::kAlone);
    EXPECT_EQ(w.See(Answer(2, 20)).seen, Seen::kNewlyShared);
    EXPECT_EQ(w.See(Answer(3, 30)).seen, Seen::kAlone);
    w.End();
    const device::AddressKey at20 = device::AddressKeyOf(Answer(1, 20));
    const device::AddressKey at30 = device::AddressKeyOf(Answer(3, 30));

    // The second device moves away: .20 is no longer shared; it then joins .30.
    w.Begin();
    EXPECT_EQ(w.See(Answer(1, 20)).seen, Seen::kShared);
    const device::DeviceEvent moved = w.See(Answer(2, 30));
    EXPECT_EQ(moved.kind, DeviceChange::kChanged);
    EXPECT_EQ(moved.unshared, at20);
    EXPECT_EQ(moved.seen, Seen::kNewlyShared);
    EXPECT_EQ(w.See(Answer(1, 20)).seen, Seen::kAlone);
    w.See(Answer(3, 30));
    w.End();
    EXPECT_FALSE(w.table.IsShared(Answer(1, 20)));
    EXPECT_EQ(w.table.MacsAt(at20), std::vector<device::Mac>{Answer(1, 0).mac});
    EXPECT_EQ(w.table.MacsAt(at30), (std::vector<device::Mac>{Answer(3, 0).mac, Answer(2, 0).mac}));
    EXPECT_EQ(w.table.SharedAddresses(), std::vector<device::AddressKey>{at30});

    // The third device stops; while gone it still holds its address, once forgotten it does not.
    std::vector<device::AddressKey> unshared;
    for (int i = 0; i < 300 && unshared.empty(); ++i)
        unshared = w.Probe({Answer(1, 20), Answer(2, 30)}).unshared;
    EXPECT_EQ(unshared, std::vector<device::AddressKey>{at30});
    EXPECT_TRUE(w.table.SharedAddresses().empty());
    EXPECT_EQ(w.table.OthersAt(Answer(2, 30)), std::vector<device::Mac>{});
}

TEST(DeviceRoster, TakesOverADiscoverysEntriesAndStartsAfreshWhenTheTableIsCleared)
{
    Watch w;
    // A Refresh kept the answers; watching then goes on from them.
    const device::DeviceId listed = w.table.Add(Answer(1, 20)).id;
    w.Begin();
    const device::DeviceEvent first = w.See(Answer(1, 20));
    EXPECT_EQ(first.kind, DeviceChange::kNone);
    EXPECT_EQ(first.id, listed);
    w.End();
    w.Probe({Answer(2, 21)});
    EXPECT_EQ(w.roster.GoneCount(), 0u);
    w.Probe({Answer(2, 21)});
    EXPECT_TRUE(w.roster.IsGone(listed));

    w.table.Clear();
    EXPECT_EQ(w.roster.GoneCount(), 0u);
    EXPECT_EQ(w.roster.AnsweredLastProbe(), 0u);
    w.Begin();
    EXPECT_EQ(w.See(Answer(1, 20)).kind, DeviceChange::kAppeared);
    EXPECT_EQ(w.roster.AnsweredThisProbe(), 1u);
}

// One hour (and a second one, so that forgetting is in full swing) of 5,000
// devices answering, a few of them leaving every probe, some of those coming
// back and new ones arriving: every event is the one the model expects, and
// the table holds no more than the devices that answered within the last
// hour, its ids never beyond the most it held at once.
TEST(DeviceRoster, AnHourOfFiveThousandDevicesComingAndGoingKeepsMemoryBounded)
{
    constexpr int kPresent = 5000;
    constexpr int kLeavePerProbe = 60;
    constexpr int kReturnPerProbe = 30;
    constexpr int kProbes = 2 * 3600 / 15;
    struct Modelled {
        std::uint32_t mac;
        int lastAnswered = -1; // probe number
        bool answering = true;
    };
    std::mt19937 random(21);
    std::vector<Modelled> devices;
    std::vector<std::uint32_t> answering, away;
    std::uint32_t nextMac = 1;
    long long wantAppeared = kPresent, wantReturned = 0, wantGone = 0;
    for (int i = 0; i < kPresent; ++i) {
        answering.push_back(static_cast<std::uint32_t>(devices.size()));
        devices.push_back({nextMac++});
    }
    Watch w;
    long long appeared = 0, returned = 0, gone = 0, forgotten = 0;
    std::size_t peakEntries = 0, maxBound = 0, afterOneHour = 0;
    for (int p = 0; p < kProbes; ++p) {
        // Who leaves, who comes back (having been away at least one probe), who is new.
        std::shuffle(answering.begin(), answering.end(), random);
        std::shuffle(away.begin(), away.end(), random);
        const std::size_t back = std::min<std::size_t>(kReturnPerProbe, away.size());
        std::vector<std::uint32_t> returning(away.end() - static_cast<std::ptrdiff_t>(back), away.end());
        away.resize(away.size() - back);
        for (int i = 0; i < (p > 0 ? kLeavePerProbe : 0); ++i) {
            devices[answering.back()].answering = false;
            away.push_back(answering.back());
            answering.pop_back();
        }
        for (std::uint32_t r : returning) {
            Modelled& m = devices[r];
            // Forgotten at the end of the probe before, an hour after its answer (1 s into its probe).
            const bool forgottenByNow = (p - 1 - m.lastAnswered) * kInterval + 4s >= DeviceRoster::kForgetAfter;
            const bool goneByNow = p - m.lastAnswered > DeviceRoster::kMissesUntilGone;
            wantAppeared += forgottenByNow ? 1 : 0;
            wantReturned += !forgottenByNow && goneByNow ? 1 : 0;
            m.answering = true;
            answering.push_back(r);
        }
        while (answering.size() < kPresent) {
            answering.push_back(static_cast<std::uint32_t>(devices.size()));
            devices.push_back({nextMac++});
            ++wantAppeared;
        }
        w.Begin();
        for (std::uint32_t a : answering) {
            const device::DeviceEvent e = w.See(Answer(devices[a].mac, static_cast<std::uint8_t>(devices[a].mac)));
            appeared += e.kind == DeviceChange::kAppeared ? 1 : 0;
            returned += e.kind == DeviceChange::kReturned ? 1 : 0;
            devices[a].lastAnswered = p;
        }
        peakEntries = std::max(peakEntries, w.table.Size());
        const device::ProbeEnd end = w.End();
        gone += static_cast<long long>(end.gone.size());
        forgotten += static_cast<long long>(end.forgotten.size());
        for (const Modelled& m : devices)
            wantGone += !m.answering && p - m.lastAnswered == DeviceRoster::kMissesUntilGone ? 1 : 0;
        ASSERT_EQ(w.roster.AnsweredLastProbe(), static_cast<std::size_t>(kPresent)) << "probe " << p;

        // Devices that answered within the last hour (and a probe): all the table may hold.
        std::size_t bound = 0;
        for (const Modelled& m : devices)
            bound += m.lastAnswered >= 0 && (p - m.lastAnswered) * kInterval <= DeviceRoster::kForgetAfter + kInterval
                         ? 1
                         : 0;
        ASSERT_LE(w.table.Size(), bound) << "probe " << p;
        maxBound = std::max(maxBound, bound);
        if (p == kProbes / 2 - 1)
            afterOneHour = w.table.Size();
        ASSERT_LE(w.table.IdLimit(), peakEntries) << "probe " << p;
    }
    EXPECT_EQ(appeared, wantAppeared);
    EXPECT_EQ(returned, wantReturned);
    EXPECT_EQ(gone, wantGone);
    EXPECT_GT(forgotten, 0);
    std::printf("[ figure ] %d probes, %d s of virtual time: %zu devices seen in all, %lld forgotten; the table "
                "holds %zu entries after one hour and %zu after two, at most %zu at once (devices answering within the "
                "last hour: at "
                "most %zu), ids below %zu (%zu bytes a slot); %lld appeared, %lld returned, %lld gone\n",
                kProbes, kProbes * 15, devices.size(), forgotten, afterOneHour, w.table.Size(), peakEntries, maxBound,
                w.table.IdLimit(), sizeof(std::optional<device::Device>), appeared, returned, gone);
}

} // namespace
