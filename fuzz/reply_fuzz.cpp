// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Any datagram that reaches the discovery socket becomes a row: whatever the
// bytes, the row must hold six texts and a record that reads back as them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "commands/command_packet.h"
#include "discovery/device_reply.h"
#include "res/install_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool installed = [] {
        res::InstallResources();
        return true;
    }();
    (void)installed;

    packet::Bytes frame{};
    std::memcpy(frame.data(), data, size < frame.size() ? size : frame.size());
    const device::DeviceRow row = device::ReplyToRow(frame);
    if (row.image != device::kImageKnown && row.image != device::kImageUnknown)
        std::abort();
    if (row.columns[device::kName].empty() || row.columns[device::kName].size() > 16)
        std::abort();
    const std::string record = row.RecordText();
    for (int i = 0; i < device::kColumnCount; ++i) {
        const std::string& text = row.columns[static_cast<std::size_t>(i)];
        if (text.find('\0') != std::string::npos || text != device::GetField(record.c_str(), i))
            std::abort();
    }

    // The same bytes read as texts of a command dialog.
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::uint8_t bytes[6];
    ParseDottedBytes(text, bytes, 4);
    ParseMacBytes(text, bytes, 6);
    if (IsWellFormedMac(text)) {
        std::uint8_t mac[6];
        if (ParseMacBytes(text, mac, 6) != 6)
            std::abort();
    }
    return 0;
}
