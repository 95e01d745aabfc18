// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// One screenful of a 10,000-row list painted to real pixels through the list
// engine: the device list's report mode (the engine's custom draw and tinted
// sort column on top of the control's painting) and the owner-drawn mode (the
// engine paints every cell itself), against QTableView with a delegate that
// paints the same cells (fill, text, the selected row), in the same run and at
// the same size. Left out on every side: the header, and the screen.
#ifdef VARNEX_BENCH_QT

#include <benchmark/benchmark.h>

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include "device_list.h"
#include "listctrl/list_view_ex.h"
#include "qt_bench_app.h"
#include "qt_host/qt_dc.h"
#include "qt_host/window_widget.h"
#include "qt_table_peer.h"

namespace {

constexpr int kRows = 10000;
constexpr int kWidth = 900;
constexpr int kHeight = 22 + 40 * 18;
constexpr int kWidths[6] = {120, 120, 120, 120, 130, 95};

void PaintEngineScreenful(benchmark::State& state, DWORD style)
{
    EnsureQtApplication();
    InitCommonControls();
    const std::vector<BenchRow> rows = MakeBenchRows(kRows);
    CWnd parent;
    parent.CreateEx(0, "", 0, RECT{0, 0, kWidth, kHeight}, nullptr, 0);
    CListViewEx list;
    list.CreateEx(0, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, RECT{0, 0, kWidth, kHeight}, &parent, 1);
    list.MoveWindow(RECT{0, 0, kWidth, kHeight});
    WindowWidget host(&parent);
    host.resize(kWidth, kHeight);
    CListCtrl ctrl;
    ctrl.Attach(&list);
    ctrl.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    const char* headings[6] = {"Device Name", "IP Address", "Subnet Mask", "Gateway IP", "MAC", "Version"};
    for (int c = 0; c < 6; ++c)
        ctrl.InsertColumn(c, headings[c], c == 5 ? LVCFMT_RIGHT : LVCFMT_LEFT, kWidths[c]);
    for (const BenchRow& row : rows) {
        const int index = ctrl.InsertItem(LVIF_TEXT | LVIF_PARAM, ctrl.GetItemCount(), row.texts[0].c_str(), 0, 0, 0,
                                          reinterpret_cast<LPARAM>(&row));
        for (int c = 1; c < 6; ++c)
            ctrl.SetItemText(index, c, row.texts[static_cast<std::size_t>(c)].c_str());
    }
    ctrl.SortItems(CompareIpDescending, 0);
    list.SetSortColumn(-2);
    list.EnableSortIcon(true);
    list.ColorSortColumn(true);
    ctrl.EnsureVisible(kRows / 2, FALSE);
    ctrl.SetItemState(kRows / 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        QtPainterDC dc(&painter, &host);
        dc.SetPaintArea(QRect(0, 0, kWidth, kHeight));
        list.Paint(&dc);
        benchmark::ClobberMemory();
    }
    state.counters["rows_visible"] = ctrl.GetCountPerPage();
    host.Detach();
    list.DestroyWindow();
}

void BM_EngineReportScreenfulPixels(benchmark::State& state)
{
    PaintEngineScreenful(state, 0);
}
BENCHMARK(BM_EngineReportScreenfulPixels)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5)
    ->Repetitions(10)
    ->DisplayAggregatesOnly();

void BM_EngineOwnerDrawnScreenfulPixels(benchmark::State& state)
{
    PaintEngineScreenful(state, LVS_OWNERDRAWFIXED);
}
BENCHMARK(BM_EngineOwnerDrawnScreenfulPixels)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5)
    ->Repetitions(10)
    ->DisplayAggregatesOnly();

// Paints a cell as the engine does: the background (the tinted sort column,
// the selection), then the text inset by 6 pixels, elided at the right.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QColor background = selected              ? option.palette.highlight().color()
                                  : index.column() == 1 ? QColor(247, 247, 247)
                                                        : option.palette.base().color();
        painter->fillRect(option.rect, background);
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        const QRect text = option.rect.adjusted(6, 0, -6, 0);
        const QString shown = option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width());
        painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft, shown);
    }
};

void BM_QTableViewDelegateScreenfulPixels(benchmark::State& state)
{
    EnsureQtApplication();
    QStandardItemModel model;
    FillPeerModel(model, kRows);
    QTableView view;
    CellDelegate delegate;
    view.setItemDelegate(&delegate);
    ShapePeerTable(view, model, kWidth, kHeight);
    RenderPeerScreenful(state, view, kWidth, kHeight);
}
BENCHMARK(BM_QTableViewDelegateScreenfulPixels)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5)
    ->Repetitions(10)
    ->DisplayAggregatesOnly();

} // namespace

#endif
