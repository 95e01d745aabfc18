// The list-view control under the device list's load: rows of six texts added
// one by one, each followed by a sort that puts it in place (IP address text,
// descending), and the painting of one screenful of a long list.
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

#include "controls/common_controls.h"
#include "device_rows.h"
#include "framework/fixed_metrics_dc.h"
#include "framework/list_ctrl.h"

namespace {

constexpr int kRows = 10000;

long long HeapInUse()
{
    return static_cast<long long>(mallinfo2().uordblks);
}

int CompareIpDescending(LPARAM a, LPARAM b, LPARAM)
{
    const auto* x = reinterpret_cast<const BenchRow*>(a);
    const auto* y = reinterpret_cast<const BenchRow*>(b);
    return -std::strcmp(x->texts[1].c_str(), y->texts[1].c_str());
}

struct DeviceList {
    CWnd parent;
    CListCtrl list;
    explicit DeviceList(int height)
    {
        InitCommonControls();
        parent.CreateEx(0, "", 0, RECT{0, 0, 900, height}, nullptr, 0);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 900, height}, &parent, 1);
        list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
        const char* headings[6] = {"Device Name", "IP Address", "Subnet Mask", "Gateway IP", "MAC", "Version"};
        const int widths[6] = {120, 120, 120, 120, 130, 95};
        for (int c = 0; c < 6; ++c)
            list.InsertColumn(c, headings[c], c == 5 ? LVCFMT_RIGHT : LVCFMT_LEFT, widths[c]);
    }
    void Add(const BenchRow& row, bool sort)
    {
        const int index = list.InsertItem(LVIF_TEXT | LVIF_PARAM, list.GetItemCount(), row.texts[0].c_str(), 0, 0, 0,
                                          reinterpret_cast<LPARAM>(&row));
        for (int c = 1; c < 6; ++c)
            list.SetItemText(index, c, row.texts[static_cast<std::size_t>(c)].c_str());
        if (sort)
            list.SortItems(CompareIpDescending, 0);
    }
};

void BM_ListViewInsertSortedIntoPlace(benchmark::State& state)
{
    const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    long long textBytes = 0;
    for (const BenchRow& row : rows)
        for (const std::string& t : row.texts)
            textBytes += static_cast<long long>(t.size() + 1);
    double heapPerRow = 0;
    for (auto _ : state) {
        DeviceList devices(600);
        const long long before = HeapInUse();
        for (const BenchRow& row : rows)
            devices.Add(row, true);
        heapPerRow = static_cast<double>(HeapInUse() - before) / kRows;
        benchmark::DoNotOptimize(devices.list.GetItemCount());
    }
    state.counters["rows"] = kRows;
    state.counters["heap_bytes_per_row"] = heapPerRow;
    state.counters["beyond_texts_per_row"] = heapPerRow - static_cast<double>(textBytes) / kRows;
    state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kRows);
}
BENCHMARK(BM_ListViewInsertSortedIntoPlace)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ListViewPaintOneScreenful(benchmark::State& state)
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
BENCHMARK(BM_ListViewPaintOneScreenful)->Unit(benchmark::kMicrosecond);

} // namespace
