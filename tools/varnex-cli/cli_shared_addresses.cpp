// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_shared_addresses.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "devices/device_texts.h"

namespace cli {

namespace {

std::uint64_t Bytes(const packet::Bytes& frame, std::size_t at, std::size_t count)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = value << 8 | frame[at + i];
    return value;
}

// The same address on two interfaces is two segments, not a conflict.
std::uint64_t KeyOf(const packet::Bytes& frame, unsigned interfaceIndex)
{
    return Bytes(frame, packet::kIpAt, 4) << 32 | interfaceIndex;
}

} // namespace

// Read from the frames' bytes, so that a flood of answers costs a look-up each
// and texts are made only for the addresses that are shared.
SharedAddresses FindSharedAddresses(const ListenResult& result)
{
    struct Owners {
        std::size_t firstAnswer = 0;
        std::vector<std::uint64_t> macs; // distinct, in the order they first answered
    };
    std::unordered_map<std::uint64_t, Owners> owners;
    std::vector<std::uint64_t> sharedKeys; // in the order each became shared
    const std::size_t count = result.answers.size();
    std::vector<std::uint64_t> keys(count);
    owners.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const packet::Bytes& frame = result.answers[i];
        keys[i] = KeyOf(frame, i < result.interfaces.size() ? result.interfaces[i] : 0);
        const std::uint64_t mac = Bytes(frame, packet::kMacAt, 6);
        auto [it, added] = owners.try_emplace(keys[i], Owners{i, {mac}});
        std::vector<std::uint64_t>& macs = it->second.macs;
        if (added || std::find(macs.begin(), macs.end(), mac) != macs.end())
            continue;
        macs.push_back(mac);
        if (macs.size() == 2)
            sharedKeys.push_back(keys[i]);
    }
    SharedAddresses found;
    found.shared.reserve(count);
    for (std::uint64_t key : keys)
        found.shared.push_back(owners[key].macs.size() > 1);
    for (std::uint64_t key : sharedKeys) {
        const Owners& at = owners[key];
        const packet::Bytes& first = result.answers[at.firstAnswer];
        const auto name = result.interfaceNames.find(static_cast<unsigned>(key & 0xFFFFFFFFu));
        std::string line = "warning: " + std::to_string(at.macs.size()) + " devices answer from " +
                           device::FormatDotted(&first[packet::kIpAt]);
        if (name != result.interfaceNames.end())
            line += " on " + name->second;
        line += ":";
        for (std::size_t m = 0; m < at.macs.size(); ++m) {
            std::uint8_t mac[6];
            for (int b = 0; b < 6; ++b)
                mac[b] = static_cast<std::uint8_t>(at.macs[m] >> (8 * (5 - b)));
            line += (m ? ", " : " ") + device::FormatMac(mac);
        }
        found.warnings.push_back(line);
    }
    return found;
}

} // namespace cli
