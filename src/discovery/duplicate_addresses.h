// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Which IP addresses more than one device answers from. Two answers with the
// same MAC are the same device answering twice, never a duplicate.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class DuplicateAddresses {
public:
    enum class Seen {
        kAlone,       // no other device answers from this address (so far)
        kShared,      // the address was already shared before this answer
        kNewlyShared, // this answer is the first from a second device
    };

    // Notes that the device with mac answered from ip.
    Seen Add(const std::string& ip, const std::string& mac);
    bool IsShared(const std::string& ip) const;
    // The MACs of the other devices at ip, in the order they first answered.
    std::vector<std::string> OthersAt(const std::string& ip, const std::string& mac) const;
    // Every shared address, in the order each became shared.
    const std::vector<std::string>& SharedAddresses() const { return m_shared; }
    // The MACs at ip, in the order they first answered.
    std::vector<std::string> MacsAt(const std::string& ip) const;
    void Clear();

private:
    // The devices at one address: in answer order, and as a set for the look-up.
    struct Owners {
        std::vector<std::string> macs;
        std::unordered_set<std::string> known;
    };
    std::unordered_map<std::string, Owners> m_owners;
    std::vector<std::string> m_shared;
};
