// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The devices the program knows, each under an id that stays its own while it
// is kept, and which addresses more than one device answers from. A discovery
// adds every answer as an entry of its own, in the order they came; watching
// brings entries up to date in place and removes the ones long gone. Two
// answers with the same MAC are the same device answering twice, never a
// shared address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "devices/device.h"

namespace device {

class DeviceTable {
    using Slots = std::vector<std::optional<Device>>;

public:
    enum class Seen {
        kAlone,       // no other device answers from this address (so far)
        kShared,      // the address was already shared before this answer
        kNewlyShared, // this answer is the first from a second device
    };
    struct Added {
        DeviceId id;
        Seen seen;
    };
    struct Updated {
        // Whether the device's address (its new one, when it moved) is shared now.
        Seen seen;
        // The address it left, when only one device answers from there now.
        std::optional<AddressKey> unshared;
    };

    // The entries in id order, skipping removed ids: the devices themselves,
    // or their ids.
    template <bool kIds> class LiveIterator {
    public:
        using value_type = std::conditional_t<kIds, DeviceId, Device>;
        using difference_type = std::ptrdiff_t;
        LiveIterator() = default;
        LiveIterator(const Slots* slots, DeviceId at) : m_slots(slots), m_at(at) { SkipRemoved(); }
        auto operator*() const -> std::conditional_t<kIds, DeviceId, const Device&>
        {
            if constexpr (kIds)
                return m_at;
            else
                return *(*m_slots)[m_at];
        }
        LiveIterator& operator++()
        {
            ++m_at;
            SkipRemoved();
            return *this;
        }
        LiveIterator operator++(int)
        {
            LiveIterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const LiveIterator& other) const { return m_at == other.m_at; }

    private:
        void SkipRemoved()
        {
            while (m_at < m_slots->size() && !(*m_slots)[m_at])
                ++m_at;
        }
        const Slots* m_slots = nullptr;
        DeviceId m_at = 0;
    };
    template <bool kIds> class LiveRange {
    public:
        explicit LiveRange(const Slots* slots) : m_slots(slots) {}
        LiveIterator<kIds> begin() const { return {m_slots, 0}; }
        LiveIterator<kIds> end() const { return {m_slots, m_slots->size()}; }

    private:
        const Slots* m_slots;
    };

    // A new entry. Its id is one that a removed entry left, when there is one,
    // else the next after the highest; without removals ids follow answer order.
    Added Add(const Device& d);
    // Replaces the fields of the entry id in place (its id stays); the look-ups
    // by MAC and by address follow a new MAC, address or interface.
    Updated Update(DeviceId id, const Device& d);
    // Only the time it last answered: nothing a look-up depends on changes.
    void SetLastSeen(DeviceId id, Clock::time_point when);
    // Takes the entry out; its id is no longer found and may be given again by
    // a later Add. Returns its address when only one device answers from
    // there now. An id not in the table is left alone.
    std::optional<AddressKey> Remove(DeviceId id);
    void Clear();
    void Reserve(std::size_t count);

    // The entries held.
    std::size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    // Every id is below this; it grows only to the most entries held at once.
    std::size_t IdLimit() const { return m_slots.size(); }
    bool Contains(DeviceId id) const { return id < m_slots.size() && m_slots[id].has_value(); }
    // The device with this id, or null when there is none.
    const Device* Find(DeviceId id) const { return Contains(id) ? &*m_slots[id] : nullptr; }
    // The device with an id that is in the table.
    const Device& operator[](DeviceId id) const { return *m_slots[id]; }
    // A number given to each entry when it is added and never to another one:
    // tells an entry from a later one that took its id (0: none there).
    std::uint64_t StampOf(DeviceId id) const { return Contains(id) ? m_stamps[id] : 0; }
    // How often the table was cleared: whoever keeps state by id starts afresh.
    std::uint64_t ClearCount() const { return m_clears; }
    // for (const Device& d : table.All()) / for (DeviceId id : table.Ids()).
    LiveRange<false> All() const { return LiveRange<false>(&m_slots); }
    LiveRange<true> Ids() const { return LiveRange<true>(&m_slots); }
    // The latest entry with this MAC that answered on this interface.
    std::optional<DeviceId> FindByMac(const Mac& mac, unsigned interfaceIndex) const;

    // Whether another device (another MAC) answers from d's address on d's interface.
    bool IsShared(const Device& d) const;
    // The MACs at d's address other than d's own, in the order they first answered.
    std::vector<Mac> OthersAt(const Device& d) const;
    // The MACs at an address, in the order they first answered.
    std::vector<Mac> MacsAt(AddressKey key) const;
    // Every shared address, in the order each became shared.
    const std::vector<AddressKey>& SharedAddresses() const { return m_shared; }

private:
    // The distinct MACs at one address, in the order they first answered, each
    // with the number of entries that have it there. A batch of devices can
    // arrive all at one factory address: past a few MACs their places are
    // kept in a map too.
    struct Owners {
        std::vector<Mac> macs;
        std::vector<std::uint32_t> entries;
        std::unordered_map<std::uint64_t, std::uint32_t> places;
        // Where mac is in macs, or macs.size() when it is not there.
        std::size_t Find(const Mac& mac, std::uint64_t value) const;
        // Counts one more entry with mac; false when it was there already.
        bool Enter(const Mac& mac, std::uint64_t value);
        // Counts one entry less with mac, forgetting the MAC at none.
        void Leave(const Mac& mac, std::uint64_t value);
    };
    // Adds d (entry id) to the look-ups, and takes it out of them.
    Seen Index(const Device& d, DeviceId id);
    std::optional<AddressKey> Unindex(const Device& d, DeviceId id);
    Seen SharingAt(AddressKey key) const;

    Slots m_slots;
    std::vector<std::uint64_t> m_stamps;
    std::vector<DeviceId> m_free;
    std::size_t m_size = 0;
    std::uint64_t m_nextStamp = 1;
    std::uint64_t m_clears = 0;
    std::unordered_map<AddressKey, Owners> m_owners;
    std::vector<AddressKey> m_shared;
    // The entries of each MAC, for the commands' look-up, oldest first.
    std::unordered_map<std::uint64_t, std::vector<DeviceId>> m_byMac;
};

} // namespace device
