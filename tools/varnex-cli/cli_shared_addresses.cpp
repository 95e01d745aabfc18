// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_shared_addresses.h"

#include "cli_discovered_device.h"
#include "discovery/duplicate_addresses.h"

namespace cli {

namespace {

// The same address on two interfaces is two segments, not a conflict.
std::string KeyOf(const std::string& ip, unsigned interfaceIndex)
{
    return ip + '%' + std::to_string(interfaceIndex);
}

} // namespace

SharedAddresses FindSharedAddresses(const ListenResult& result)
{
    DuplicateAddresses owners;
    std::vector<std::string> keys;
    keys.reserve(result.answers.size());
    for (std::size_t i = 0; i < result.answers.size(); ++i) {
        const device::DeviceRow row = device::ReplyToRow(result.answers[i]);
        const unsigned interfaceIndex = i < result.interfaces.size() ? result.interfaces[i] : 0;
        keys.push_back(KeyOf(row.columns[device::kIp], interfaceIndex));
        owners.Add(keys.back(), row.columns[device::kMac]);
    }
    SharedAddresses found;
    found.shared.reserve(keys.size());
    for (const std::string& key : keys)
        found.shared.push_back(owners.IsShared(key));
    for (const std::string& key : owners.SharedAddresses()) {
        const std::size_t cut = key.rfind('%');
        const std::string ip = key.substr(0, cut);
        const unsigned interfaceIndex = static_cast<unsigned>(std::stoul(key.substr(cut + 1)));
        const auto name = result.interfaceNames.find(interfaceIndex);
        std::string line = "warning: " + std::to_string(owners.MacsAt(key).size()) + " devices answer from " + ip;
        if (name != result.interfaceNames.end())
            line += " on " + name->second;
        line += ":";
        const std::vector<std::string> macs = owners.MacsAt(key);
        for (std::size_t m = 0; m < macs.size(); ++m)
            line += (m ? ", " : " ") + macs[m];
        found.warnings.push_back(line);
    }
    return found;
}

} // namespace cli
