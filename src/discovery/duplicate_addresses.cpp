// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/duplicate_addresses.h"

#include <algorithm>

DuplicateAddresses::Seen DuplicateAddresses::Add(const std::string& ip, const std::string& mac)
{
    Owners& owners = m_owners[ip];
    if (!owners.known.insert(mac).second)
        return owners.macs.size() > 1 ? Seen::kShared : Seen::kAlone;
    owners.macs.push_back(mac);
    if (owners.macs.size() == 1)
        return Seen::kAlone;
    if (owners.macs.size() == 2) {
        m_shared.push_back(ip);
        return Seen::kNewlyShared;
    }
    return Seen::kShared;
}

bool DuplicateAddresses::IsShared(const std::string& ip) const
{
    const auto it = m_owners.find(ip);
    return it != m_owners.end() && it->second.macs.size() > 1;
}

std::vector<std::string> DuplicateAddresses::OthersAt(const std::string& ip, const std::string& mac) const
{
    std::vector<std::string> others = MacsAt(ip);
    others.erase(std::remove(others.begin(), others.end(), mac), others.end());
    return others;
}

std::vector<std::string> DuplicateAddresses::MacsAt(const std::string& ip) const
{
    const auto it = m_owners.find(ip);
    return it == m_owners.end() ? std::vector<std::string>() : it->second.macs;
}

void DuplicateAddresses::Clear()
{
    m_owners.clear();
    m_shared.clear();
}
