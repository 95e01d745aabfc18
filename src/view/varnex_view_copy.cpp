// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Copying the selected rows: tab-separated text with a header line, every
// column in its logical order, hidden ones too, for pasting into a
// spreadsheet or a ticket. The texts are made from the devices' fields, not
// read back from the cells.
#include "devices/device_texts.h"
#include "system/services.h"
#include "view/varnex_view.h"

namespace {

// A tab or line break inside a cell would split it; it becomes a blank.
void AppendCell(std::string& out, const std::string& text)
{
    for (char c : text)
        out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
}

} // namespace

std::string CVarnexView::GetColumnHeading(int column)
{
    char buffer[260] = {};
    LVCOLUMNA heading;
    heading.mask = LVCF_TEXT;
    heading.pszText = buffer;
    heading.cchTextMax = static_cast<int>(sizeof buffer);
    if (!SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&heading)) ||
        heading.pszText == nullptr)
        return {};
    return heading.pszText;
}

std::string CVarnexView::SelectedRowsAsText()
{
    const int columns = GetColumnCount();
    std::string text;
    for (int column = 0; column < columns; ++column) {
        if (column > 0)
            text += '\t';
        AppendCell(text, GetColumnHeading(column));
    }
    text += '\n';
    for (int row = NextSelectedRow(-1); row >= 0; row = NextSelectedRow(row)) {
        const device::Device* d = DeviceAtRow(row);
        if (d == nullptr)
            continue;
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                text += '\t';
            AppendCell(text, device::ColumnText(*d, column));
        }
        text += '\n';
    }
    return text;
}

void CVarnexView::OnEditCopy()
{
    if (SendMessage(LVM_GETSELECTEDCOUNT) < 1 || Platform().ui == nullptr)
        return;
    Platform().ui->SetClipboardText(SelectedRowsAsText());
}

void CVarnexView::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(SendMessage(LVM_GETSELECTEDCOUNT) >= 1);
}
