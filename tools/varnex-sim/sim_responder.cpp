// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "sim_responder.h"

#include <algorithm>
#include <cstdio>

#include "sim_commands.h"
#include "sim_reply.h"

namespace sim {

std::vector<packet::Bytes> AnswerAll(const std::vector<Device>& devices, Clock::time_point now)
{
    std::vector<packet::Bytes> replies;
    for (const Device& device : devices) {
        if (!device.IsSilent(now))
            replies.push_back(BuildReply(device));
    }
    return replies;
}

Reaction HandleDatagram(std::vector<Device>& devices, std::span<const std::uint8_t> datagram, Clock::time_point now,
                        Clock::duration resetSilence)
{
    Reaction reaction;
    if (datagram.size() != packet::kSize) {
        reaction.verdict = "ignored: " + std::to_string(datagram.size()) + " bytes, not a 52-byte frame";
        return reaction;
    }
    packet::Bytes frame{};
    std::copy(datagram.begin(), datagram.end(), frame.begin());
    const std::uint8_t code = frame[packet::kCommandAt];
    if (!packet::HasHeader(frame, code)) {
        reaction.verdict = "ignored: no QZR magic";
        return reaction;
    }

    if (code == packet::kProbeCode) {
        reaction.replies = AnswerAll(devices, now);
        const std::size_t silent = devices.size() - reaction.replies.size();
        const std::size_t sent = reaction.replies.size();
        reaction.verdict = "probe (" + std::to_string(sent) + (sent == 1 ? " reply" : " replies");
        if (silent > 0)
            reaction.verdict += ", " + std::to_string(silent) + " silent";
        reaction.verdict += ")";
        return reaction;
    }
    if (IsCommandCode(code)) {
        reaction.verdict = ApplyCommand(devices, frame, now, resetSilence);
        return reaction;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "ignored: unknown code 0x%02x", code);
    reaction.verdict = buf;
    return reaction;
}

} // namespace sim
