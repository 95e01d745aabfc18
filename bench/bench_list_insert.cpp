// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list-view control under the device list's load: rows of six texts added
// in batches (the answers one socket notification brings: 1 or 16), each
// batch followed by one sort that puts it in place (IP address text,
// descending), and the layout work of painting one screenful of a long list.
// Left out of the insert: painting (the control has no host to paint to).
//
// Memory per row is read from the C library's heap statistics (mallinfo2:
// bytes in use, allocator overhead included) before and after the inserts,
// so nothing in the program is replaced or instrumented. "heap_bytes_per_row"
// is what the control holds per row on the heap; "beyond_texts_per_row"
// subtracts the six texts themselves (length + terminator each). Texts short
// enough for the string's inline buffer cost no heap bytes, so the difference
// between the two can be smaller than the text size.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstring>
#include <string>
#include <vector>

#include "device_list.h"
#include "device_rows.h"
#include "framework/fixed_metrics_dc.h"

namespace {

constexpr int kRows = 10000;

long long HeapInUse()
{
    return static_cast<long long>(mallinfo2().uordblks);
}

void BM_ListViewInsertSortedIntoPlace(benchmark::State& state)
{
    const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    long long textBytes = 0;
    for (const BenchRow& row : rows)
        for (const std::string& t : row.texts)
            textBytes += static_cast<long long>(t.size() + 1);
    double heapPerRow = 0;
    const auto batch = static_cast<int>(state.range(0));
    for (auto _ : state) {
        DeviceList devices(600);
        const long long before = HeapInUse();
        int waiting = 0;
        for (const BenchRow& row : rows) {
            devices.Add(row, ++waiting == batch);
            waiting %= batch;
        }
        devices.list.SortItems(CompareIpDescending, 0);
        heapPerRow = static_cast<double>(HeapInUse() - before) / kRows;
        benchmark::DoNotOptimize(devices.list.GetItemCount());
    }
    state.counters["rows"] = kRows;
    state.counters["heap_bytes_per_row"] = heapPerRow;
    state.counters["beyond_texts_per_row"] = heapPerRow - static_cast<double>(textBytes) / kRows;
    state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kRows);
}
BENCHMARK(BM_ListViewInsertSortedIntoPlace)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(10)
    ->DisplayAggregatesOnly();
BENCHMARK(BM_ListViewInsertSortedIntoPlace)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->DisplayAggregatesOnly();

// What painting costs the control itself, without pixels: the drawing calls
// go to a context that only measures (fixed metrics) and draws nothing. The
// pixels are BM_ListViewPaintScreenfulPixels.
void BM_ListViewLayoutOneScreenful(benchmark::State& state)
{
    const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    // A 22-pixel header and 40 rows of 18 pixels (grid lines add one).
    DeviceList devices(22 + 40 * 18);
    for (const BenchRow& row : rows)
        devices.Add(row, false);
    devices.list.SortItems(CompareIpDescending, 0);
    devices.list.EnsureVisible(kRows / 2, FALSE);
    devices.list.SetItemState(kRows / 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    for (auto _ : state) {
        FixedMetricsDC dc;
        devices.list.GetWnd()->Paint(&dc);
        benchmark::ClobberMemory();
    }
    state.counters["rows_visible"] = devices.list.GetCountPerPage();
}
BENCHMARK(BM_ListViewLayoutOneScreenful)->Unit(benchmark::kMicrosecond);

} // namespace
