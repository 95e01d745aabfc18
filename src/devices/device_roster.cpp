// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/device_roster.h"

namespace device {

namespace {

// Whether an answer repeats what the entry holds, byte for byte (a name the
// list does not show still belongs in the table).
bool SameAnswer(const Device& a, const Device& b)
{
    return a.name == b.name && a.ip == b.ip && a.mask == b.mask && a.gateway == b.gateway &&
           a.versionMajor == b.versionMajor && a.versionMinor == b.versionMinor && a.model == b.model;
}

} // namespace

void DeviceRoster::FollowClears()
{
    if (Current())
        return;
    m_clears = m_table.ClearCount();
    m_presence.clear();
    m_gone = 0;
    m_answeredNow = 0;
    m_answeredLast = 0;
}

const DeviceRoster::Presence* DeviceRoster::Known(DeviceId id) const
{
    if (!Current() || id >= m_presence.size())
        return nullptr;
    const Presence& state = m_presence[id];
    return state.stamp != 0 && state.stamp == m_table.StampOf(id) ? &state : nullptr;
}

DeviceRoster::Presence& DeviceRoster::Track(DeviceId id)
{
    if (m_presence.size() <= id)
        m_presence.resize(m_table.IdLimit());
    Presence& state = m_presence[id];
    const std::uint64_t stamp = m_table.StampOf(id);
    if (state.stamp == stamp)
        return state;
    // The state of an entry that left the table by another hand: it no longer counts.
    if (state.stamp != 0) {
        m_gone -= state.gone ? 1 : 0;
        m_answeredNow -= state.probe == m_probe ? 1 : 0;
    }
    state = Presence{};
    state.stamp = stamp;
    return state;
}

void DeviceRoster::BeginProbe(Clock::time_point now)
{
    FollowClears();
    m_probing = true;
    m_probeBegan = now;
}

DeviceEvent DeviceRoster::Saw(const Device& answer, Clock::time_point now)
{
    FollowClears();
    DeviceEvent event;
    const std::optional<DeviceId> found = m_table.FindByMac(answer.mac, answer.interfaceIndex);
    if (!found) {
        Device d = answer;
        d.firstSeen = now;
        d.lastSeen = now;
        const DeviceTable::Added added = m_table.Add(d);
        Presence& state = Track(added.id);
        state.probe = m_probe;
        ++m_answeredNow;
        event.kind = DeviceChange::kAppeared;
        event.id = added.id;
        event.seen = added.seen;
        return event;
    }
    event.id = *found;
    Presence& state = Track(event.id);
    const bool returned = state.gone;
    if (state.gone) {
        state.gone = false;
        --m_gone;
    }
    state.missed = 0;
    if (state.probe != m_probe) {
        state.probe = m_probe;
        ++m_answeredNow;
    }
    const Device& entry = m_table[event.id];
    if (SameAnswer(entry, answer)) {
        m_table.SetLastSeen(event.id, now);
        event.seen = m_table.IsShared(entry) ? DeviceTable::Seen::kShared : DeviceTable::Seen::kAlone;
    } else {
        event.changed = ChangedFields(entry, answer);
        if (!event.changed.Empty())
            event.before = entry;
        Device d = answer;
        d.firstSeen = entry.firstSeen;
        d.lastSeen = now;
        const DeviceTable::Updated updated = m_table.Update(event.id, d);
        event.seen = updated.seen;
        event.unshared = updated.unshared;
    }
    event.kind = returned                ? DeviceChange::kReturned
                 : event.changed.Empty() ? DeviceChange::kNone
                                         : DeviceChange::kChanged;
    return event;
}

ProbeEnd DeviceRoster::EndProbe(Clock::time_point now)
{
    FollowClears();
    ProbeEnd end;
    for (DeviceId id : m_table.Ids()) {
        Presence& state = Track(id);
        if (state.probe == m_probe)
            continue;
        ++state.missed;
        // Only a device gone before this probe is forgotten: the caller hears
        // of it going first.
        if (state.gone && now - m_table[id].lastSeen >= kForgetAfter) {
            end.forgotten.push_back(id);
        } else if (!state.gone && state.missed >= kMissesUntilGone) {
            state.gone = true;
            ++m_gone;
            DeviceEvent event;
            event.kind = DeviceChange::kGone;
            event.id = id;
            end.gone.push_back(std::move(event));
        }
    }
    for (DeviceId id : end.forgotten) {
        m_presence[id] = Presence{};
        --m_gone;
        if (const std::optional<AddressKey> unshared = m_table.Remove(id))
            end.unshared.push_back(*unshared);
    }
    m_answeredLast = m_answeredNow;
    m_answeredNow = 0;
    ++m_probe;
    m_probing = false;
    return end;
}

std::optional<DeviceId> DeviceRoster::Find(const Mac& mac, unsigned interfaceIndex) const
{
    return m_table.FindByMac(mac, interfaceIndex);
}

bool DeviceRoster::IsGone(DeviceId id) const
{
    const Presence* state = Known(id);
    return state != nullptr && state->gone;
}

int DeviceRoster::Missed(DeviceId id) const
{
    const Presence* state = Known(id);
    return state == nullptr ? 0 : state->missed;
}

std::size_t DeviceRoster::AnsweredThisProbe() const
{
    return Current() ? m_answeredNow : 0;
}

std::size_t DeviceRoster::AnsweredLastProbe() const
{
    return Current() ? m_answeredLast : 0;
}

std::size_t DeviceRoster::GoneCount() const
{
    return Current() ? m_gone : 0;
}

} // namespace device
