// The peer: Qt's item model with a proxy that sorts dynamically, fed the same
// rows, each insert followed by the proxy putting the row into place.
#ifdef VARNEX_BENCH_QT

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include "device_rows.h"

namespace {

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "varnex_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

void BM_QtModelInsertSorted(benchmark::State& state)
{
    EnsureApplication();
    const auto rows = MakeBenchRows(static_cast<int>(state.range(0)));
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
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_QtModelInsertSorted)->Arg(10000)->Unit(benchmark::kMillisecond);

#endif
