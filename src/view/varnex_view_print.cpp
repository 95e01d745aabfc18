// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Printing the device list: one line per row, six columns at fixed character
// offsets, no header line. The whole list is printed in the first call.
#include "discovery/device_record.h"
#include "view/print_layout.h"
#include "view/varnex_view.h"

void CVarnexView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    pDC->SetMapMode(MM_TEXT);
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
    const int charWidth = tm.tmAveCharWidth;
    const int rows = static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
    const PrintLayout layout = ComputePrintLayout(rows, pDC->GetDeviceCaps(VERTRES), lineHeight);
    pInfo->SetMinPage(1);
    pInfo->SetMaxPage(static_cast<UINT>(layout.pageCount));

    // A row goes to a new page only when the page is full, so no row is cut at
    // the bottom edge and no empty page follows the last row.
    int y = 0;
    int rowsOnPage = 0;
    for (int row = 0; row < rows; ++row) {
        if (rowsOnPage == layout.rowsPerPage) {
            if (pDC->Escape(NEWFRAME) <= 0)
                return;
            y = 0;
            rowsOnPage = 0;
        }
        for (int column = 0; column < device::kColumnCount; ++column) {
            char text[260] = {};
            LVITEMA item;
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = static_cast<int>(sizeof text);
            const int length = static_cast<int>(
                SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
            pDC->TextOut(kPrintColumnOffsets[column] * charWidth, y, std::string_view(item.pszText, length));
        }
        y += lineHeight;
        ++rowsOnPage;
    }
    if (pDC->Escape(NEWFRAME) <= 0)
        return;
    pDC->Escape(ENDDOC);
    pInfo->m_bContinuePrinting = FALSE;
}
