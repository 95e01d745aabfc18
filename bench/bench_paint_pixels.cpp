// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// One screenful of a 10,000-row device list painted to real pixels, against
// Qt's own table view over the same rows, in the same run and at the same size.
//
// Ours: the list-view control hosted as in the program (its measuring context
// comes from the hosting widget), painted through the Qt drawing context into
// an image of the window's size: 40 rows of the middle of the list sorted by
// IP address, one of them selected, grid lines.
// The peer: QTableView over a QStandardItemModel with the same rows in the
// same order, the same column widths and row height, grid, full-row selection
// of the same row, scrolled to the same place; its viewport rendered into an
// image of the same size (viewport()->render).
// Left out on both sides: the header (a window of its own for us, a widget of
// its own for Qt), and putting the image on a screen.
#ifdef VARNEX_BENCH_QT

#include <benchmark/benchmark.h>

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>

#include "device_list.h"
#include "qt_bench_app.h"
#include "qt_host/qt_dc.h"
#include "qt_host/window_widget.h"
#include "qt_table_peer.h"

namespace {

constexpr int kRows = 10000;
constexpr int kWidth = 900;
// A 22-pixel header and 40 rows of 18 pixels (grid lines add one).
constexpr int kHeight = 22 + 40 * 18;

void BM_ListViewPaintScreenfulPixels(benchmark::State& state)
{
    EnsureQtApplication();
    const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    DeviceList devices(kHeight);
    WindowWidget host(&devices.parent);
    host.resize(kWidth, kHeight);
    for (const BenchRow& row : rows)
        devices.Add(row, false);
    devices.list.SortItems(CompareIpDescending, 0);
    devices.list.EnsureVisible(kRows / 2, FALSE);
    devices.list.SetItemState(kRows / 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        QtPainterDC dc(&painter, &host);
        dc.SetPaintArea(QRect(0, 0, kWidth, kHeight));
        devices.list.GetWnd()->Paint(&dc);
        benchmark::ClobberMemory();
    }
    state.counters["rows_visible"] = devices.list.GetCountPerPage();
    host.Detach();
}
BENCHMARK(BM_ListViewPaintScreenfulPixels)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5)
    ->Repetitions(10)
    ->DisplayAggregatesOnly();

void BM_QTableViewPaintScreenfulPixels(benchmark::State& state)
{
    EnsureQtApplication();
    QStandardItemModel model;
    FillPeerModel(model, kRows);
    model.setHorizontalHeaderLabels({"Device Name", "IP Address", "Subnet Mask", "Gateway IP", "MAC", "Version"});
    QTableView view;
    ShapePeerTable(view, model, kWidth, kHeight);
    RenderPeerScreenful(state, view, kWidth, kHeight);
}
BENCHMARK(BM_QTableViewPaintScreenfulPixels)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5)
    ->Repetitions(10)
    ->DisplayAggregatesOnly();

} // namespace

#endif
