// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/device_fields.h"

#include <array>

#include "devices/device_texts.h"

namespace device {

FieldSet ChangedFields(const Device& before, const Device& after)
{
    FieldSet changed;
    // The name as the list shows it: a device of unknown model shows its model's name whatever it sends.
    if (ColumnText(before, kName) != ColumnText(after, kName))
        changed.Add(Field::kName);
    if (before.ip != after.ip)
        changed.Add(Field::kIp);
    if (before.mask != after.mask)
        changed.Add(Field::kMask);
    if (before.gateway != after.gateway)
        changed.Add(Field::kGateway);
    if (before.versionMajor != after.versionMajor || before.versionMinor != after.versionMinor)
        changed.Add(Field::kVersion);
    if (before.model != after.model)
        changed.Add(Field::kModel);
    return changed;
}

const char* FieldKey(Field f)
{
    static constexpr std::array<const char*, kFieldCount> kKeys = {"name", "ip", "mask", "gateway", "version", "model"};
    return kKeys[static_cast<std::size_t>(f)];
}

std::string FieldText(const Device& d, Field f)
{
    switch (f) {
    case Field::kName:
        return ColumnText(d, kName);
    case Field::kIp:
        return FormatDotted(d.ip);
    case Field::kMask:
        return FormatDotted(d.mask);
    case Field::kGateway:
        return FormatDotted(d.gateway);
    case Field::kVersion:
        return FormatVersion(d.versionMajor, d.versionMinor);
    case Field::kModel:
        return std::to_string(d.model);
    }
    return {};
}

} // namespace device
