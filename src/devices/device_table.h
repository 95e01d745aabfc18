// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The devices of one discovery, in the order they answered, and which
// addresses more than one device answers from. Two answers with the same MAC
// are the same device answering twice, never a shared address.
#pragma once

#include <cstddef>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "devices/device.h"

namespace device {

class DeviceTable {
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

    // Appends a device (every answer is an entry of its own, as it is a row).
    Added Add(const Device& d);
    void Clear();
    void Reserve(std::size_t count);

    std::size_t Size() const { return m_devices.size(); }
    bool Empty() const { return m_devices.empty(); }
    // The device with this id, or null when there is none.
    const Device* Find(DeviceId id) const { return id < m_devices.size() ? &m_devices[id] : nullptr; }
    const Device& operator[](DeviceId id) const { return m_devices[id]; }
    const std::vector<Device>& All() const { return m_devices; }
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
    std::vector<Device> m_devices;
    // The distinct MACs at each address, in the order they first answered, and
    // as a set: a batch of devices can arrive all at one factory address.
    struct Owners {
        std::vector<Mac> macs;
        std::unordered_set<std::uint64_t> known;
        // Whether mac is among them; value is its number.
        bool Has(const Mac& mac, std::uint64_t value);
    };
    std::unordered_map<AddressKey, Owners> m_owners;
    std::vector<AddressKey> m_shared;
    // The entries of each MAC, for the commands' look-up.
    std::unordered_map<std::uint64_t, std::vector<DeviceId>> m_byMac;
};

} // namespace device
