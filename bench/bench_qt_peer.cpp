// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The Qt peers of the insert benchmark, fed the same rows, each insert
// followed by the proxy putting the row into place (IP address, descending):
// Qt's standard item model, and a lighter model over a vector of rows.
// Left out, as on our side: painting, and the views that would show the rows.
#ifdef VARNEX_BENCH_QT

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include "device_rows.h"
#include "qt_bench_app.h"

namespace {

constexpr int kRows = 10000;

void BM_QtModelInsertSorted(benchmark::State& state)
{
    EnsureQtApplication();
    const auto rows = MakeBenchRows(kRows);
    for (auto _ : state) {
        QStandardItemModel model(0, 6);
        QSortFilterProxyModel proxy;
        proxy.setSourceModel(&model);
        proxy.setDynamicSortFilter(true);
        proxy.sort(1, Qt::DescendingOrder);
        for (const BenchRow& row : rows) {
            QList<QStandardItem*> items;
            for (const std::string& text : row.texts)
                items.append(new QStandardItem(QString::fromStdString(text)));
            model.appendRow(items);
        }
        benchmark::DoNotOptimize(proxy.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_QtModelInsertSorted)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(10)
    ->DisplayAggregatesOnly();

// Six texts a row in a vector, no item objects: the model answers the proxy
// from the rows as they are.
class VectorModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 6; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return m_rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    }
    void Append(const BenchRow& row)
    {
        const int at = static_cast<int>(m_rows.size());
        beginInsertRows(QModelIndex(), at, at);
        std::array<QString, 6> texts;
        for (std::size_t c = 0; c < 6; ++c)
            texts[c] = QString::fromStdString(row.texts[c]);
        m_rows.push_back(std::move(texts));
        endInsertRows();
    }

private:
    std::vector<std::array<QString, 6>> m_rows;
};

void BM_QtVectorModelInsertSorted(benchmark::State& state)
{
    EnsureQtApplication();
    const auto rows = MakeBenchRows(kRows);
    for (auto _ : state) {
        VectorModel model;
        QSortFilterProxyModel proxy;
        proxy.setSourceModel(&model);
        proxy.setDynamicSortFilter(true);
        proxy.sort(1, Qt::DescendingOrder);
        for (const BenchRow& row : rows)
            model.Append(row);
        benchmark::DoNotOptimize(proxy.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_QtVectorModelInsertSorted)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(10)
    ->DisplayAggregatesOnly();

} // namespace

#endif
