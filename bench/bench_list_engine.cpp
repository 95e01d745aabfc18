// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list engine under the device list's load, beside the bare control: 10,000
// rows of six texts inserted through the engine and through the control alone
// (time and heap bytes per row), hiding and showing a column of such a list,
// inserting a column into it, and deleting every row.
//
// What these leave out: painting (the list is not shown; a change invalidates
// the window and the paint that follows is measured by the painting
// benchmarks) and the device program's own row records. Heap figures come from
// the C library's statistics (mallinfo2), allocator overhead included.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/common_controls.h"
#include "device_rows.h"
#include "framework/list_ctrl.h"
#include "listctrl/list_view_ex.h"

namespace {

constexpr int kRows = 10000;

long long HeapInUse()
{
    return static_cast<long long>(mallinfo2().uordblks);
}

double TextBytesPerRow(const std::vector<BenchRow>& rows)
{
    long long bytes = 0;
    for (const BenchRow& row : rows)
        for (const std::string& t : row.texts)
            bytes += static_cast<long long>(t.size() + 1);
    return static_cast<double>(bytes) / static_cast<double>(rows.size());
}

// The device list's six columns, in a window of the engine or of the bare control.
struct List {
    CWnd parent;
    std::unique_ptr<CWnd> window;
    CListCtrl ctrl;
    CListBase* engine = nullptr;

    explicit List(bool withEngine)
    {
        InitCommonControls();
        parent.CreateEx(0, "", 0, RECT{0, 0, 900, 600}, nullptr, 0);
        if (withEngine) {
            auto view = std::make_unique<CListViewEx>();
            engine = view.get();
            window = std::move(view);
        } else {
            window = std::make_unique<CWnd>();
        }
        window->CreateEx(0, WC_LISTVIEWA, WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 900, 600}, &parent, 1);
        ctrl.Attach(window.get());
        ctrl.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
        const char* headings[6] = {"Device Name", "IP Address", "Subnet Mask", "Gateway IP", "MAC", "Version"};
        const int widths[6] = {120, 120, 120, 120, 130, 95};
        for (int c = 0; c < 6; ++c) {
            ctrl.InsertColumn(c, headings[c], c == 5 ? LVCFMT_RIGHT : LVCFMT_LEFT, widths[c]);
            if (engine != nullptr && c > 0)
                engine->SetColumnHideable(c);
        }
    }
    ~List() { window->DestroyWindow(); }
    void Add(const BenchRow& row)
    {
        const int index = ctrl.InsertItem(LVIF_TEXT | LVIF_PARAM, ctrl.GetItemCount(), row.texts[0].c_str(), 0, 0, 0,
                                          reinterpret_cast<LPARAM>(&row));
        for (int c = 1; c < 6; ++c)
            ctrl.SetItemText(index, c, row.texts[static_cast<std::size_t>(c)].c_str());
    }
};

void Insert(benchmark::State& state, bool withEngine)
{
    const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    double heapPerRow = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<List>(withEngine);
        const long long before = HeapInUse();
        state.ResumeTiming();
        for (const BenchRow& row : rows)
            list->Add(row);
        state.PauseTiming();
        heapPerRow = static_cast<double>(HeapInUse() - before) / kRows;
        list.reset();
        state.ResumeTiming();
    }
    state.counters["heap_bytes_per_row"] = heapPerRow;
    state.counters["beyond_texts_per_row"] = heapPerRow - TextBytesPerRow(rows);
    state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kRows);
}

void BM_EngineInsertRows(benchmark::State& state)
{
    Insert(state, true);
}
BENCHMARK(BM_EngineInsertRows)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ControlInsertRows(benchmark::State& state)
{
    Insert(state, false);
}
BENCHMARK(BM_ControlInsertRows)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A list of 10,000 rows kept for the column benchmarks.
List& Filled()
{
    static const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    static List* list = [] {
        auto* l = new List(true);
        for (const BenchRow& row : rows)
            l->Add(row);
        return l;
    }();
    return *list;
}

void BM_EngineHideColumn(benchmark::State& state)
{
    List& list = Filled();
    for (auto _ : state) {
        list.engine->ShowColumn(3, false);
        state.PauseTiming();
        list.engine->ShowColumn(3, true);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EngineHideColumn)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EngineShowColumn(benchmark::State& state)
{
    List& list = Filled();
    for (auto _ : state) {
        state.PauseTiming();
        list.engine->ShowColumn(3, false);
        state.ResumeTiming();
        list.engine->ShowColumn(3, true);
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_EngineShowColumn)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EngineInsertColumn(benchmark::State& state)
{
    List& list = Filled();
    for (auto _ : state) {
        list.ctrl.InsertColumn(2, "Extra", LVCFMT_LEFT, 60);
        state.PauseTiming();
        list.ctrl.DeleteColumn(2);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EngineInsertColumn)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EngineDeleteAllRows(benchmark::State& state)
{
    const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<List>(true);
        for (const BenchRow& row : rows)
            list->Add(row);
        state.ResumeTiming();
        list->ctrl.DeleteAllItems();
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EngineDeleteAllRows)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
