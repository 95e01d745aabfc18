// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "sim_reply.h"

#include <algorithm>

namespace sim {

namespace {

constexpr std::size_t kShownNameMax = 16;

template <std::size_t N> void Put(packet::Bytes& frame, std::size_t at, const std::array<std::uint8_t, N>& field)
{
    std::copy(field.begin(), field.end(), frame.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace

std::string ShownName(const Device& device)
{
    if (!device.firmwareMode)
        return device.name;
    return ("FW-" + device.name).substr(0, kShownNameMax);
}

packet::Bytes BuildReply(const Device& device)
{
    using namespace packet;
    Bytes frame{};
    std::copy(std::begin(kMagic), std::end(kMagic), frame.begin() + kMagicAt);
    frame[kCommandAt] = kProbeCode;
    Put(frame, kIpAt, device.ip);
    Put(frame, kMaskAt, device.mask);
    Put(frame, kMacAt, device.mac);
    // Up to 17 bytes; a shorter name leaves its NUL from the cleared frame.
    const std::string name = ShownName(device);
    std::copy_n(name.begin(), std::min(name.size(), kNameSize), frame.begin() + kNameAt);
    Put(frame, kGatewayAt, device.gateway);
    frame[kVersionMajorAt] = device.firmwareMode ? 0 : device.versionMajor;
    frame[kVersionMinorAt] = device.firmwareMode ? 0 : device.versionMinor;
    frame[kModelAt] = device.model;
    return frame;
}

} // namespace sim
