// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/device_table.h"

#include <algorithm>

namespace device {

DeviceTable::Added DeviceTable::Add(const Device& d)
{
    const DeviceId id = m_devices.size();
    m_devices.push_back(d);
    const std::uint64_t mac = MacValue(d.mac);
    m_byMac[mac].push_back(id);

    const AddressKey key = AddressKeyOf(d);
    Owners& owners = m_owners[key];
    std::vector<Mac>& macs = owners.macs;
    if (owners.Has(d.mac, mac))
        return {id, macs.size() > 1 ? Seen::kShared : Seen::kAlone};
    macs.push_back(d.mac);
    if (macs.size() == 1)
        return {id, Seen::kAlone};
    if (macs.size() == 2) {
        m_shared.push_back(key);
        return {id, Seen::kNewlyShared};
    }
    return {id, Seen::kShared};
}

// A few MACs at an address are looked through; past that a set is kept, so a
// batch of devices all at one factory address costs a look-up each.
bool DeviceTable::Owners::Has(const Mac& mac, std::uint64_t value)
{
    constexpr std::size_t kScanned = 8;
    if (known.empty() && macs.size() < kScanned)
        return std::find(macs.begin(), macs.end(), mac) != macs.end();
    if (known.empty())
        for (const Mac& m : macs)
            known.insert(MacValue(m));
    return !known.insert(value).second;
}

void DeviceTable::Clear()
{
    m_devices.clear();
    m_owners.clear();
    m_shared.clear();
    m_byMac.clear();
}

void DeviceTable::Reserve(std::size_t count)
{
    m_devices.reserve(count);
    m_owners.reserve(count);
    m_byMac.reserve(count);
}

std::optional<DeviceId> DeviceTable::FindByMac(const Mac& mac, unsigned interfaceIndex) const
{
    const auto it = m_byMac.find(MacValue(mac));
    if (it == m_byMac.end())
        return std::nullopt;
    for (auto id = it->second.rbegin(); id != it->second.rend(); ++id)
        if (m_devices[*id].interfaceIndex == interfaceIndex)
            return *id;
    return std::nullopt;
}

bool DeviceTable::IsShared(const Device& d) const
{
    const auto it = m_owners.find(AddressKeyOf(d));
    return it != m_owners.end() && it->second.macs.size() > 1;
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
