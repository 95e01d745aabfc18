// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Sorting through the list engine under the device list's load, beside the
// bare control. 10,000 rows arrive as the device view takes answers: a batch
// (the answers one socket notification brings: 1 when they come one by one,
// 16 when a display frame's worth waits) is inserted, sorted into place with
// one LVM_SORTITEMS (IP address text, descending), and read as the paint that
// follows reads it. And a column click that sorts 10,000 rows by another
// field and reads the order.
// The Qt peers of the same insert are in bench_qt_peer.cpp (same rows, same key).
// Left out: painting itself (see the pixel benchmarks), the socket.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "device_list.h"
#include "listctrl/list_view_ex.h"

namespace {

constexpr int kRows = 10000;

int CompareMacAscending(LPARAM a, LPARAM b, LPARAM)
{
    const auto* x = reinterpret_cast<const BenchRow*>(a);
    const auto* y = reinterpret_cast<const BenchRow*>(b);
    return std::strcmp(x->texts[4].c_str(), y->texts[4].c_str());
}

// The device columns in a window of the engine (the device view's kind) or of the bare control.
struct SortList {
    CWnd parent;
    std::unique_ptr<CWnd> window;
    CListCtrl ctrl;
    explicit SortList(bool withEngine)
    {
        InitCommonControls();
        parent.CreateEx(0, "", 0, RECT{0, 0, 900, 600}, nullptr, 0);
        window = withEngine ? std::unique_ptr<CWnd>(std::make_unique<CListViewEx>()) : std::make_unique<CWnd>();
        window->CreateEx(0, WC_LISTVIEWA, WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 900, 600}, &parent, 1);
        ctrl.Attach(window.get());
        const char* headings[6] = {"Device Name", "IP Address", "Subnet Mask", "Gateway IP", "MAC", "Version"};
        for (int c = 0; c < 6; ++c)
            ctrl.InsertColumn(c, headings[c], LVCFMT_LEFT, 120);
    }
    ~SortList() { window->DestroyWindow(); }
    void Add(const BenchRow& row)
    {
        const int index = ctrl.InsertItem(LVIF_TEXT | LVIF_PARAM, ctrl.GetItemCount(), row.texts[0].c_str(), 0, 0, 0,
                                          reinterpret_cast<LPARAM>(&row));
        for (int c = 1; c < 6; ++c)
            ctrl.SetItemText(index, c, row.texts[static_cast<std::size_t>(c)].c_str());
    }
    // What a paint asks first: the row at the top of the screen.
    void Read() { benchmark::DoNotOptimize(ctrl.GetItemData(ctrl.GetTopIndex())); }
};

void InsertInBatches(benchmark::State& state, bool withEngine)
{
    const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    const auto batch = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<SortList>(withEngine);
        state.ResumeTiming();
        int waiting = 0;
        for (const BenchRow& row : rows) {
            list->Add(row);
            if (++waiting < batch)
                continue;
            list->ctrl.SortItems(CompareIpDescending, 0);
            list->Read();
            waiting = 0;
        }
        list->ctrl.SortItems(CompareIpDescending, 0);
        list->Read();
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kRows);
}

void BM_EngineInsertSortedIntoPlace(benchmark::State& state)
{
    InsertInBatches(state, true);
}
BENCHMARK(BM_EngineInsertSortedIntoPlace)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();
// One answer at a time: a full sort (a pass over every row) per answer.
BENCHMARK(BM_EngineInsertSortedIntoPlace)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->DisplayAggregatesOnly();

void BM_ControlInsertSortedIntoPlaceRead(benchmark::State& state)
{
    InsertInBatches(state, false);
}
BENCHMARK(BM_ControlInsertSortedIntoPlaceRead)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

void BM_EngineColumnClickSort(benchmark::State& state)
{
    static const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    SortList list(true);
    for (const BenchRow& row : rows)
        list.Add(row);
    list.ctrl.SortItems(CompareIpDescending, 0);
    list.Read();
    bool byMac = true;
    for (auto _ : state) {
        // A click on the other column: a sort by a new key, then the paint's read.
        list.ctrl.SortItems(byMac ? CompareMacAscending : CompareIpDescending, 0);
        list.Read();
        byMac = !byMac;
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_EngineColumnClickSort)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

} // namespace
