// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/device_table.h"

#include <algorithm>

namespace device {

namespace {

// A few MACs at an address are looked through; past that their places are
// kept in a map, so a batch of devices all at one factory address costs a
// look-up each.
constexpr std::size_t kScanned = 8;

} // namespace

std::size_t DeviceTable::Owners::Find(const Mac& mac, std::uint64_t value) const
{
    if (places.empty())
        return static_cast<std::size_t>(std::find(macs.begin(), macs.end(), mac) - macs.begin());
    const auto it = places.find(value);
    return it == places.end() ? macs.size() : it->second;
}

bool DeviceTable::Owners::Enter(const Mac& mac, std::uint64_t value)
{
    const std::size_t at = Find(mac, value);
    if (at < macs.size()) {
        ++entries[at];
        return false;
    }
    macs.push_back(mac);
    entries.push_back(1);
    if (!places.empty()) {
        places.emplace(value, static_cast<std::uint32_t>(at));
    } else if (macs.size() >= kScanned) {
        for (std::size_t i = 0; i < macs.size(); ++i)
            places.emplace(MacValue(macs[i]), static_cast<std::uint32_t>(i));
    }
    return true;
}

void DeviceTable::Owners::Leave(const Mac& mac, std::uint64_t value)
{
    const std::size_t at = Find(mac, value);
    if (at == macs.size() || --entries[at] > 0)
        return;
    macs.erase(macs.begin() + static_cast<std::ptrdiff_t>(at));
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(at));
    if (places.empty())
        return;
    places.erase(value);
    for (auto& entry : places)
        if (entry.second > at)
            --entry.second;
}

DeviceTable::Seen DeviceTable::SharingAt(AddressKey key) const
{
    const auto it = m_owners.find(key);
    return it != m_owners.end() && it->second.macs.size() > 1 ? Seen::kShared : Seen::kAlone;
}

DeviceTable::Seen DeviceTable::Index(const Device& d, DeviceId id)
{
    const std::uint64_t mac = MacValue(d.mac);
    m_byMac[mac].push_back(id);
    const AddressKey key = AddressKeyOf(d);
    Owners& owners = m_owners[key];
    if (!owners.Enter(d.mac, mac))
        return owners.macs.size() > 1 ? Seen::kShared : Seen::kAlone;
    if (owners.macs.size() == 1)
        return Seen::kAlone;
    if (owners.macs.size() == 2) {
        m_shared.push_back(key);
        return Seen::kNewlyShared;
    }
    return Seen::kShared;
}

std::optional<AddressKey> DeviceTable::Unindex(const Device& d, DeviceId id)
{
    const std::uint64_t mac = MacValue(d.mac);
    if (const auto it = m_byMac.find(mac); it != m_byMac.end()) {
        std::vector<DeviceId>& ids = it->second;
        if (const auto at = std::find(ids.begin(), ids.end(), id); at != ids.end())
            ids.erase(at);
        if (ids.empty())
            m_byMac.erase(it);
    }
    const AddressKey key = AddressKeyOf(d);
    const auto it = m_owners.find(key);
    if (it == m_owners.end())
        return std::nullopt;
    const bool wasShared = it->second.macs.size() > 1;
    it->second.Leave(d.mac, mac);
    const std::size_t left = it->second.macs.size();
    if (left == 0)
        m_owners.erase(it);
    if (!wasShared || left > 1)
        return std::nullopt;
    if (const auto at = std::find(m_shared.begin(), m_shared.end(), key); at != m_shared.end())
        m_shared.erase(at);
    return key;
}

DeviceTable::Added DeviceTable::Add(const Device& d)
{
    DeviceId id = m_slots.size();
    if (!m_free.empty()) {
        id = m_free.back();
        m_free.pop_back();
        m_slots[id] = d;
        m_stamps[id] = m_nextStamp++;
    } else {
        m_slots.emplace_back(d);
        m_stamps.push_back(m_nextStamp++);
    }
    ++m_size;
    return {id, Index(d, id)};
}

DeviceTable::Updated DeviceTable::Update(DeviceId id, const Device& d)
{
    Device& entry = *m_slots[id];
    if (entry.mac == d.mac && AddressKeyOf(entry) == AddressKeyOf(d)) {
        entry = d;
        return {SharingAt(AddressKeyOf(d)), std::nullopt};
    }
    const std::optional<AddressKey> unshared = Unindex(entry, id);
    entry = d;
    return {Index(d, id), unshared};
}

void DeviceTable::SetLastSeen(DeviceId id, Clock::time_point when)
{
    m_slots[id]->lastSeen = when;
}

std::optional<AddressKey> DeviceTable::Remove(DeviceId id)
{
    if (!Contains(id))
        return std::nullopt;
    const std::optional<AddressKey> unshared = Unindex(*m_slots[id], id);
    m_slots[id].reset();
    m_free.push_back(id);
    --m_size;
    return unshared;
}

void DeviceTable::Clear()
{
    m_slots.clear();
    m_stamps.clear();
    m_free.clear();
    m_size = 0;
    ++m_clears;
    m_owners.clear();
    m_shared.clear();
    m_byMac.clear();
}

void DeviceTable::Reserve(std::size_t count)
{
    m_slots.reserve(count);
    m_stamps.reserve(count);
    m_owners.reserve(count);
    m_byMac.reserve(count);
}

std::optional<DeviceId> DeviceTable::FindByMac(const Mac& mac, unsigned interfaceIndex) const
{
    const auto it = m_byMac.find(MacValue(mac));
    if (it == m_byMac.end())
        return std::nullopt;
    for (auto id = it->second.rbegin(); id != it->second.rend(); ++id)
        if (m_slots[*id]->interfaceIndex == interfaceIndex)
            return *id;
    return std::nullopt;
}

bool DeviceTable::IsShared(const Device& d) const
{
    return SharingAt(AddressKeyOf(d)) == Seen::kShared;
}

std::vector<Mac> DeviceTable::OthersAt(const Device& d) const
{
    std::vector<Mac> others = MacsAt(AddressKeyOf(d));
    others.erase(std::remove(others.begin(), others.end(), d.mac), others.end());
    return others;
}

std::vector<Mac> DeviceTable::MacsAt(AddressKey key) const
{
    const auto it = m_owners.find(key);
    return it == m_owners.end() ? std::vector<Mac>{} : it->second.macs;
}

} // namespace device
