// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The datagram log: one line for every datagram received, with the verdict.
// The raw bytes in hex are the record of what arrived; no field is decoded
// beside them, so a password never appears as text, and the password bytes of
// a command are written as ** unless the user asks to see them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace sim {

struct DatagramInfo {
    std::string srcIp;
    std::uint16_t srcPort = 0;
    std::string dstIp; // the packet's destination address (255.255.255.255 for a broadcast)
    std::uint16_t dstPort = 0;
    std::span<const std::uint8_t> bytes;
};

// "<src_ip>:<src_port> -> <dst_ip>:<dst_port> len=<n> <hex> <verdict>"; the hex is
// lowercase without spaces, cut after kMaxLoggedBytes with "..." appended. In a
// datagram that starts like a command (the magic letters and a code 0x3A-0x3F),
// bytes 42-49 are written "**" each unless showPasswords.
constexpr std::size_t kMaxLoggedBytes = 256;
std::string FormatLogLine(const DatagramInfo& datagram, std::string_view verdict, bool showPasswords = false);

class DatagramLog {
public:
    DatagramLog() = default;
    DatagramLog(const DatagramLog&) = delete;
    DatagramLog& operator=(const DatagramLog&) = delete;
    ~DatagramLog();

    // An empty path logs nothing; "-" is standard error; a file is appended to.
    bool Open(const std::string& path, std::string& error);
    void Write(const std::string& line);

private:
    std::FILE* m_file = nullptr;
    bool m_owned = false;
};

} // namespace sim
