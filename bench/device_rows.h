// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The rows every list benchmark inserts: six device texts each, in a fixed
// pseudo-random order so that sorting has work to do.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

struct BenchRow {
    std::array<std::string, 6> texts; // name, IP, mask, gateway, MAC, version
};

inline std::vector<BenchRow> MakeBenchRows(int count)
{
    std::vector<BenchRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    unsigned seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned r = seed >> 8;
        char ip[32], gw[32], mac[32], name[32];
        std::snprintf(ip, sizeof ip, "10.%u.%u.%u", (r >> 16) & 0xFF, (r >> 8) & 0xFF, r & 0xFF);
        std::snprintf(gw, sizeof gw, "10.%u.%u.1", (r >> 16) & 0xFF, (r >> 8) & 0xFF);
        std::snprintf(mac, sizeof mac, "00-1A-%02X-%02X-%02X-%02X", (i >> 24) & 0xFF, (i >> 16) & 0xFF, (i >> 8) & 0xFF,
                      i & 0xFF);
        std::snprintf(name, sizeof name, "Cam-%05u", r % 100000);
        rows.push_back(BenchRow{{name, ip, "255.255.0.0", gw, mac, "1.20"}});
    }
    return rows;
}
