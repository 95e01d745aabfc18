// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/default_gateway.h"

#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr unsigned kRouteUp = 0x1;
constexpr unsigned kRouteByGateway = 0x2;
// The table is a few lines per route; more than this is not the kernel's.
constexpr std::size_t kLargestTable = 1 << 20;

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t begin = line.find_first_not_of(" \t", at);
        if (begin == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find_first_of(" \t", begin), line.size());
        fields.push_back(line.substr(begin, end - begin));
        at = end;
    }
    return fields;
}

bool Number(std::string_view text, int base, std::uint32_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

std::optional<GatewayAddress> DefaultGatewayIn(std::string_view routeTable, std::string_view interfaceName)
{
    std::optional<GatewayAddress> best;
    std::uint32_t bestMetric = 0;
    bool header = true;
    while (!routeTable.empty()) {
        const std::size_t end = routeTable.find('\n');
        const std::string_view line = routeTable.substr(0, end);
        routeTable = end == std::string_view::npos ? std::string_view() : routeTable.substr(end + 1);
        if (header) { // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
            header = false;
            continue;
        }
        const std::vector<std::string_view> f = Fields(line);
        std::uint32_t destination = 0, gateway = 0, flags = 0, metric = 0, mask = 0;
        if (f.size() < 8 || f[0] != interfaceName || !Number(f[1], 16, destination) || !Number(f[2], 16, gateway) ||
            !Number(f[3], 16, flags) || !Number(f[6], 10, metric) || !Number(f[7], 16, mask))
            continue;
        if (destination != 0 || mask != 0 || (flags & (kRouteUp | kRouteByGateway)) != (kRouteUp | kRouteByGateway))
            continue;
        if (best && metric >= bestMetric)
            continue;
        // The kernel prints the address as the number its bytes make in this machine's order.
        GatewayAddress bytes{};
        std::memcpy(bytes.data(), &gateway, bytes.size());
        best = bytes;
        bestMetric = metric;
    }
    return best;
}

std::optional<GatewayAddress> ReadDefaultGateway(std::string_view interfaceName)
{
    std::ifstream file("/proc/net/route", std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text;
    char chunk[4096];
    while (text.size() < kLargestTable && file.read(chunk, sizeof chunk).gcount() > 0)
        text.append(chunk, static_cast<std::size_t>(file.gcount()));
    return DefaultGatewayIn(text, interfaceName);
}
