// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/device_reply.h"

#include <algorithm>
#include <cstring>

namespace device {

namespace {

template <std::size_t N> std::array<std::uint8_t, N> Field(const packet::Bytes& frame, std::size_t at)
{
    std::array<std::uint8_t, N> bytes{};
    std::copy_n(frame.begin() + static_cast<std::ptrdiff_t>(at), N, bytes.begin());
    return bytes;
}

} // namespace

Device DeviceFromReply(const packet::Bytes& frame, unsigned interfaceIndex, Clock::time_point seen)
{
    using namespace packet;
    Device d;
    const auto* nameField = reinterpret_cast<const char*>(&frame[kNameAt]);
    const void* nul = std::memchr(nameField, 0, kNameSize);
    if (frame[kNameAt] != 0 && nul != nullptr)
        d.name.assign(nameField, static_cast<std::size_t>(static_cast<const char*>(nul) - nameField));
    d.ip = Field<4>(frame, kIpAt);
    d.mask = Field<4>(frame, kMaskAt);
    d.mac = Field<6>(frame, kMacAt);
    d.model = frame[kModelAt];
    if (IsKnownModel(d.model)) {
        d.gateway = Field<4>(frame, kGatewayAt);
        d.versionMajor = frame[kVersionMajorAt];
        d.versionMinor = frame[kVersionMinorAt];
    }
    d.interfaceIndex = interfaceIndex;
    d.firstSeen = seen;
    d.lastSeen = seen;
    return d;
}

} // namespace device
