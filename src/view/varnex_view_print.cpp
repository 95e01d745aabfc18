// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Printing the device list: the column headings at the top of every page,
// then one line per row, six columns at fixed character offsets that give way
// where a text would touch the next column. The texts are made from the
// devices' fields. The whole list is printed in the first call.
#include <vector>

#include "devices/device_texts.h"
#include "view/print_layout.h"
#include "view/varnex_view.h"

namespace {

using Line = std::array<std::string, kPrintColumns>;

} // namespace

void CVarnexView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    pDC->SetMapMode(MM_TEXT);
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
    const int rows = static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
    const PrintLayout layout = ComputePrintLayout(rows, pDC->GetDeviceCaps(VERTRES), lineHeight);
    pInfo->SetMinPage(1);
    pInfo->SetMaxPage(static_cast<UINT>(layout.pageCount));

    // Every text once: the columns make room for the widest, then they are printed.
    Line headings;
    std::vector<Line> lines(static_cast<std::size_t>(rows));
    std::array<int, kPrintColumns> widest{};
    const auto measure = [pDC, &widest](const Line& line) {
        for (std::size_t c = 0; c < line.size(); ++c)
            widest[c] = std::max(widest[c], static_cast<int>(pDC->GetTextExtent(line[c]).cx));
    };
    for (int column = 0; column < kPrintColumns; ++column)
        headings[static_cast<std::size_t>(column)] = GetColumnHeading(column);
    measure(headings);
    for (int row = 0; row < rows; ++row) {
        Line& line = lines[static_cast<std::size_t>(row)];
        if (const device::Device* d = DeviceAtRow(row))
            for (int column = 0; column < kPrintColumns; ++column)
                line[static_cast<std::size_t>(column)] = device::ColumnText(*d, column);
        measure(line);
    }
    const auto lefts = PrintColumnLefts(tm.tmAveCharWidth, widest, static_cast<int>(pDC->GetTextExtent(" ").cx));
    const auto print = [pDC, &lefts](const Line& line, int y) {
        for (std::size_t c = 0; c < line.size(); ++c)
            pDC->TextOut(lefts[c], y, line[c]);
    };

    // A row goes to a new page only when the page is full, so no row is cut at
    // the bottom edge and no empty page follows the last row.
    print(headings, 0);
    int y = lineHeight;
    int rowsOnPage = 0;
    for (const Line& line : lines) {
        if (rowsOnPage == layout.rowsPerPage) {
            if (pDC->Escape(NEWFRAME) <= 0)
                return;
            print(headings, 0);
            y = lineHeight;
            rowsOnPage = 0;
        }
        print(line, y);
        y += lineHeight;
        ++rowsOnPage;
    }
    if (pDC->Escape(NEWFRAME) <= 0)
        return;
    pDC->Escape(ENDDOC);
    pInfo->m_bContinuePrinting = FALSE;
}
