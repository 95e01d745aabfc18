// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// One watching probe with thousands of devices, as the window's watch and
// varnex-cli watch run it on their one thread: every device's answer through
// the roster (most repeat what the table holds, a few changed, a few new) and
// the end of the probe that counts the silent ones. Reported per probe, with
// the table's entries and id limit after a long run of churn.
// Left out: reading the datagrams and painting rows.
#include <benchmark/benchmark.h>

#include <vector>

#include "devices/device_roster.h"

namespace {

device::Device Answer(std::uint32_t n, std::uint8_t ipLast)
{
    device::Device d;
    d.name = "Cam";
    d.ip = {10, static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 8), ipLast};
    d.mask = {255, 0, 0, 0};
    d.mac = {0x00,
             0x1A,
             0,
             static_cast<std::uint8_t>(n >> 16),
             static_cast<std::uint8_t>(n >> 8),
             static_cast<std::uint8_t>(n)};
    d.model = device::kModelV;
    d.interfaceIndex = 2;
    return d;
}

// Each probe: every device answers but 1 % (who miss it), 1 % answer from a
// new address, and 1 % of the devices are new ones in place of as many old ones.
void BM_WatchProbe(benchmark::State& state)
{
    const auto devices = static_cast<std::uint32_t>(state.range(0));
    const std::uint32_t step = 100;
    device::DeviceTable table;
    device::DeviceRoster roster(table);
    device::Clock::time_point now{};
    std::uint32_t first = 0; // the oldest device still among the answering
    long long probes = 0;
    for (auto _ : state) {
        roster.BeginProbe(now);
        for (std::uint32_t n = first; n < first + devices; ++n) {
            if (n % step == static_cast<std::uint32_t>(probes % step))
                continue;
            const auto moved = static_cast<std::uint8_t>(n % step == (probes + 1) % step ? probes : 1);
            benchmark::DoNotOptimize(roster.Saw(Answer(n, moved), now));
        }
        benchmark::DoNotOptimize(roster.EndProbe(now + std::chrono::seconds(5)));
        first += devices / step;
        now += std::chrono::seconds(15);
        ++probes;
    }
    state.counters["devices"] = static_cast<double>(devices);
    state.counters["entries"] = static_cast<double>(table.Size());
    state.counters["id_limit"] = static_cast<double>(table.IdLimit());
    state.counters["answered_last"] = static_cast<double>(roster.AnsweredLastProbe());
    state.counters["probes"] = static_cast<double>(probes);
}
BENCHMARK(BM_WatchProbe)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
