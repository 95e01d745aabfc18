// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Any datagram at varnex-sim's port: answered, applied or ignored without a
// crash; replies are whole frames; devices stay within what a reply can carry;
// and the log line never shows a command's password bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "discovery/packet_frame.h"
#include "varnex-sim/sim_device_config.h"
#include "varnex-sim/sim_log.h"
#include "varnex-sim/sim_responder.h"

namespace {

std::vector<sim::Device> Devices()
{
    std::vector<sim::Device> devices;
    for (const char* line : {"name=Cam ip=10.0.0.1 mac=00-0A-1B-2C-3D-4E password=secret",
                             "name=Gate ip=10.0.0.2 mac=00-0A-1B-2C-3D-4F model=32",
                             "ip=10.0.0.3 mac=00-0A-1B-2C-3D-50 model=5 password=12345678"}) {
        std::optional<sim::Device> device;
        std::string error;
        if (!sim::ParseDeviceLine(line, device, error) || !device)
            std::abort();
        devices.push_back(*device);
    }
    return devices;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static std::vector<sim::Device> devices = Devices();
    const std::span<const std::uint8_t> datagram(data, size);
    const sim::Reaction reaction =
        sim::HandleDatagram(devices, datagram, sim::Clock::now(), std::chrono::milliseconds(0));
    if (reaction.verdict.empty() || reaction.replies.size() > devices.size())
        std::abort();
    for (const sim::Device& d : devices)
        if (d.name.size() > sim::kMaxNameBytes || d.password.size() > sim::kMaxPasswordBytes)
            std::abort();

    const std::string line = sim::FormatLogLine({"10.0.0.9", 4000, "255.255.255.255", 36, datagram}, reaction.verdict);
    const bool command = size > packet::kCommandAt && data[0] == 'Q' && data[1] == 'Z' && data[2] == 'R' &&
                         data[packet::kCommandAt] >= 0x3A && data[packet::kCommandAt] <= 0x3F;
    if (command) {
        const std::size_t hexAt = line.find(" len=");
        const std::size_t bytesAt = line.find(' ', hexAt + 1) + 1;
        for (std::size_t i = packet::kPasswordAt; i < std::min<std::size_t>(size, 50); ++i)
            if (line[bytesAt + 2 * i] != '*' || line[bytesAt + 2 * i + 1] != '*')
                std::abort();
    }
    return 0;
}
