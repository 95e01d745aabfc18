// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/packet_frame.h"

namespace packet {

Bytes BuildProbe()
{
    Bytes probe{};
    probe[kMagicAt + 0] = kMagic[0];
    probe[kMagicAt + 1] = kMagic[1];
    probe[kMagicAt + 2] = kMagic[2];
    probe[kCommandAt] = kProbeCode;
    return probe;
}

bool HasHeader(const Bytes& frame, std::uint8_t code)
{
    return frame[0] == kMagic[0] && frame[1] == kMagic[1] && frame[2] == kMagic[2] && frame[kCommandAt] == code;
}

} // namespace packet
