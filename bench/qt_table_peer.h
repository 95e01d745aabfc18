// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The Qt peer of the screenful benchmarks: a QTableView over a standard model
// holding the same device rows, sorted by IP address descending, laid out
// like the device list (column widths, 18-pixel rows, a 22-pixel header,
// the middle row selected at the top), and its viewport rendered to an image.
#pragma once

#ifdef VARNEX_BENCH_QT

#include <benchmark/benchmark.h>

#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <algorithm>
#include <vector>

#include "device_list.h"

inline void FillPeerModel(QStandardItemModel& model, int rowCount)
{
    std::vector<BenchRow> rows = MakeBenchRows(rowCount);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const BenchRow& a, const BenchRow& b) { return a.texts[1] > b.texts[1]; });
    model.setRowCount(rowCount);
    model.setColumnCount(6);
    for (int r = 0; r < rowCount; ++r)
        for (int c = 0; c < 6; ++c)
            model.setItem(r, c, new QStandardItem(QString::fromStdString(rows[static_cast<std::size_t>(r)].texts[c])));
}

inline void ShapePeerTable(QTableView& view, QStandardItemModel& model, int width, int height)
{
    static constexpr int kColumnWidths[6] = {120, 120, 120, 120, 130, 95};
    view.setModel(&model);
    view.setShowGrid(true);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.verticalHeader()->hide();
    view.verticalHeader()->setMinimumSectionSize(1);
    view.verticalHeader()->setDefaultSectionSize(18);
    view.horizontalHeader()->setFixedHeight(22);
    for (int c = 0; c < 6; ++c)
        view.setColumnWidth(c, kColumnWidths[c]);
    view.resize(width, height);
    const int middle = model.rowCount() / 2;
    view.selectRow(middle);
    view.scrollTo(model.index(middle, 0), QAbstractItemView::PositionAtTop);
}

// Renders the viewport once per iteration, as a repaint of the screenful.
inline void RenderPeerScreenful(benchmark::State& state, QTableView& view, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.viewport()->render(&image);
        benchmark::ClobberMemory();
    }
    state.counters["rows_visible"] = view.viewport()->height() / 18;
}

#endif
