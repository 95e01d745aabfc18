// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Watching devices come and go: probe after probe, which devices answer,
// which changed, which went quiet and which came back. A device is its MAC on
// the interface it answers on; each keeps its entry (and its id) in the
// device table while it is known. One that misses two probes in a row is
// gone, and one that has not answered for an hour is forgotten: its entry
// leaves the table, so memory stays bounded however many devices pass by.
// The caller owns the clock: the window's timer, the command line's poll
// loop or a test's virtual time.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "devices/device.h"
#include "devices/device_fields.h"
#include "devices/device_table.h"

namespace device {

enum class DeviceChange {
    kNone,     // an answer that says nothing new (or an answer that was not kept)
    kAppeared, // a device not known before: a new entry
    kChanged,  // a known device answers with other fields
    kReturned, // a gone device answers again (changed says whether its fields changed meanwhile)
    kGone,     // a device missed kMissesUntilGone probes in a row
};

// What one answer, or the end of a probe, says about one device.
struct DeviceEvent {
    DeviceChange kind = DeviceChange::kNone;
    DeviceId id = 0;
    // For an answer: whether the device's address is shared now.
    DeviceTable::Seen seen = DeviceTable::Seen::kAlone;
    // kChanged and kReturned: the fields that differ from its previous answer,
    // and the device as that answer described it (only when some differ).
    FieldSet changed;
    Device before;
    // An address the device left, from which only one device answers now.
    std::optional<AddressKey> unshared;
};

// What the end of a probe says.
struct ProbeEnd {
    // kGone events, in id order; the devices stay in the table.
    std::vector<DeviceEvent> gone;
    // Devices gone for kForgetAfter, removed from the table; a later answer
    // may be given one of these ids again.
    std::vector<DeviceId> forgotten;
    // Addresses only one device answers from after the removals.
    std::vector<AddressKey> unshared;
};

class DeviceRoster {
public:
    using Clock = device::Clock;
    static constexpr int kMissesUntilGone = 2;
    static constexpr Clock::duration kForgetAfter = std::chrono::hours(1);

    // Keeps table up to date. The roster is the only one that updates or
    // removes its entries while it watches; entries it did not add (a
    // discovery's) are taken over as the devices answer, and a cleared table
    // starts it afresh.
    explicit DeviceRoster(DeviceTable& table) : m_table(table) {}

    // A probe goes out. Answers count for it until EndProbe; a probe begun
    // again before its end simply goes on.
    void BeginProbe(Clock::time_point now);
    // An answer: a new device is added, a known one brought up to date in
    // place (its first-seen time kept). Answers between probes count for the
    // next one.
    DeviceEvent Saw(const Device& answer, Clock::time_point now);
    // The probe's listening is over: the devices that did not answer it miss
    // one more probe; the gone ones that last answered kForgetAfter ago or
    // more are forgotten.
    ProbeEnd EndProbe(Clock::time_point now);

    // The entry of the device with this MAC on this interface, if known.
    std::optional<DeviceId> Find(const Mac& mac, unsigned interfaceIndex) const;
    bool IsGone(DeviceId id) const;
    // Probes in a row the device did not answer (0 when it answered the last).
    int Missed(DeviceId id) const;
    // Devices that answered the probe under way, or the next one when none is.
    std::size_t AnsweredThisProbe() const;
    // Devices that answered the last probe that ended (the count pane's number).
    std::size_t AnsweredLastProbe() const;
    // Devices known, answering or gone (the table's entries).
    std::size_t Size() const { return m_table.Size(); }
    std::size_t GoneCount() const;
    bool ProbeUnderWay() const { return m_probing; }
    // When the latest probe began.
    Clock::time_point ProbeBeganAt() const { return m_probeBegan; }
    const DeviceTable& Table() const { return m_table; }

private:
    struct Presence {
        std::uint64_t stamp = 0; // the table entry this state belongs to
        std::uint64_t probe = 0; // the probe it last answered
        int missed = 0;
        bool gone = false;
    };
    // Starts afresh after the table was cleared.
    void FollowClears();
    bool Current() const { return m_table.ClearCount() == m_clears; }
    // The state kept for entry id, or null when none is kept for the entry there now.
    const Presence* Known(DeviceId id) const;
    // The state of entry id, begun afresh when it was kept for an earlier entry or none.
    Presence& Track(DeviceId id);

    DeviceTable& m_table;
    std::vector<Presence> m_presence; // by id
    std::uint64_t m_clears = 0;
    std::size_t m_gone = 0;
    std::size_t m_answeredNow = 0;
    std::size_t m_answeredLast = 0;
    // Probes are numbered from 1: a state of probe 0 has answered none.
    std::uint64_t m_probe = 1;
    bool m_probing = false;
    Clock::time_point m_probeBegan{};
};

} // namespace device
