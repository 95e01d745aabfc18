// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What an answer can change about a device that is already known: the fields
// other than its MAC and interface, which say which device it is. Watching
// names each changed field with its text before and after.
#pragma once

#include <cstdint>
#include <string>

#include "devices/device.h"

namespace device {

enum class Field : std::uint8_t { kName, kIp, kMask, kGateway, kVersion, kModel };
constexpr int kFieldCount = 6;

// A set of fields, one bit each.
class FieldSet {
public:
    constexpr FieldSet() = default;
    constexpr bool Has(Field f) const { return (m_bits >> static_cast<int>(f) & 1u) != 0; }
    constexpr void Add(Field f) { m_bits = static_cast<std::uint8_t>(m_bits | 1u << static_cast<int>(f)); }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr bool operator==(const FieldSet&) const = default;

private:
    std::uint8_t m_bits = 0;
};

// The fields in which after differs from before.
FieldSet ChangedFields(const Device& before, const Device& after);

// The field's key in scripts' output: name, ip, mask, gateway, version, model.
const char* FieldKey(Field f);
// The field's text as the list shows it (the model as its code in decimal).
std::string FieldText(const Device& d, Field f);

} // namespace device
