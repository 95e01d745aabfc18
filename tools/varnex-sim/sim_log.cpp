// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "sim_log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "discovery/packet_frame.h"
#include "sim_commands.h"
#include "system/quoted_argument.h"

namespace sim {

std::string FormatLogLine(const DatagramInfo& datagram, std::string_view verdict, bool showPasswords)
{
    static const char kHex[] = "0123456789abcdef";
    std::string line = datagram.srcIp + ":" + std::to_string(datagram.srcPort) + " -> " + datagram.dstIp + ":" +
                       std::to_string(datagram.dstPort) + " len=" + std::to_string(datagram.bytes.size()) + " ";
    const std::size_t shown = std::min(datagram.bytes.size(), kMaxLoggedBytes);
    const auto& b = datagram.bytes;
    const bool command = b.size() > packet::kCommandAt && std::equal(packet::kMagic, packet::kMagic + 3, b.begin()) &&
                         IsCommandCode(b[packet::kCommandAt]);
    for (std::size_t i = 0; i < shown; ++i) {
        if (command && !showPasswords && i >= packet::kPasswordAt && i < packet::kPasswordAt + packet::kPasswordSize) {
            line += "**";
            continue;
        }
        line.push_back(kHex[datagram.bytes[i] >> 4]);
        line.push_back(kHex[datagram.bytes[i] & 0x0F]);
    }
    if (shown < datagram.bytes.size())
        line += "...";
    line += " ";
    line += verdict;
    return line;
}

DatagramLog::~DatagramLog()
{
    if (m_owned)
        std::fclose(m_file);
}

bool DatagramLog::Open(const std::string& path, std::string& error)
{
    if (path.empty())
        return true;
    if (path == "-") {
        m_file = stderr;
        return true;
    }
    m_file = std::fopen(path.c_str(), "a");
    if (m_file == nullptr) {
        error = "cannot open log file " + QuoteArgument(path) + ": " + std::strerror(errno);
        return false;
    }
    m_owned = true;
    return true;
}

void DatagramLog::Write(const std::string& line)
{
    if (m_file == nullptr)
        return;
    // Flushed per line: tests and people read the log while the simulator runs.
    std::fprintf(m_file, "%s\n", line.c_str());
    std::fflush(m_file);
}

} // namespace sim
